// stack-space, send, send-tags: the transfer page's calculation and sending, with
// the page's texts. Unlike the window's "Enviar lista para o aparelho", send-tags
// reports its outcome, so that a script can tell whether the list arrived.
#include <string_view>

#include "cli/arguments.h"
#include "cli/commands.h"
#include "operations/controller_verify.h"
#include "operations/operator_texts.h"
#include "operations/send_sequence.h"
#include "operations/stack_space_calculation.h"

namespace zm48d::cli {

int RunStackSpace(CommandContext& context) {
  RequireArgumentCount(context.args, 2);
  const ops::StackSpaceCalculation result =
      ops::CalculateStackSpace(context.args[0], context.args[1]);
  if (!result.space) {
    context.session.Fail(result.message);
    return kExitFailure;
  }
  context.out << ops::StackSpaceCaption(*result.space) << '\n';
  return kExitSuccess;
}

// Both rule files are required words here; an empty value still gets the
// page's "Escolha os arquivos corretamente!". Leaving out --tags shows "Lista
// não enviada!!" as the page does, but is not a failure: it was not asked for.
// With --verify the exit status is that of a verify of the files afterwards:
// whether the controller now holds them.
int RunSend(CommandContext& context) {
  static constexpr std::string_view kOptions[] = {"--holidays", "--groups", "--tags"};
  static constexpr std::string_view kFlags[] = {"--verify"};
  const FileOptions files = ParseFileOptions("send", context.args, kOptions, kFlags);
  if (!files.Has("--holidays") || !files.Has("--groups")) {
    throw UsageError("send needs --holidays FILE and --groups FILE");
  }
  const bool tagsAsked = files.Has("--tags");
  const ops::SendPaths paths{files.Value("--holidays"), files.Value("--groups"),
                             files.Value("--tags")};
  const ops::SendResult result = ops::RunSendSequence(context.session, paths);
  if (files.Has("--verify"))
    return PrintVerifyResult(context, ops::VerifyController(context.session, paths));
  using ops::StageOutcome;
  const bool ok = result.rules == StageOutcome::kSent &&
                  (!tagsAsked || result.tags == StageOutcome::kSent) && result.notified;
  return ExitStatus(ok);
}

int RunSendTags(CommandContext& context) {
  RequireArgumentCount(context.args, 1);
  const ops::StageOutcome outcome = ops::SendTagListFile(context.session, context.args[0]);
  if (outcome == ops::StageOutcome::kSent) return kExitSuccess;
  if (outcome == ops::StageOutcome::kFailed) context.session.Fail(text::kTagsFailed);
  return kExitFailure;
}

}  // namespace zm48d::cli
