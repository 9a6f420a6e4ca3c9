// stack-space, send, send-tags: the transfer page's calculation and sending, with
// the page's texts. Unlike the window's "Enviar lista para o aparelho", send-tags
// reports its outcome, so that a script can tell whether the list arrived.
#include <algorithm>
#include <map>

#include "cli/arguments.h"
#include "cli/commands.h"
#include "operations/operator_texts.h"
#include "operations/send_sequence.h"
#include "operations/stack_space_calculation.h"

namespace zm48d::cli {

namespace {

// "--name VALUE" pairs; each option at most once, only the known ones.
std::map<std::string, std::string> ParseFileOptions(const std::vector<std::string>& args,
                                                    std::initializer_list<std::string> known) {
  std::map<std::string, std::string> values;
  for (std::size_t i = 0; i < args.size(); i += 2) {
    const std::string& name = args[i];
    if (std::find(known.begin(), known.end(), name) == known.end()) {
      throw UsageError("send: unknown option '" + name + "'");
    }
    if (i + 1 >= args.size()) throw UsageError("send: " + name + " needs a file name");
    if (!values.emplace(name, args[i + 1]).second) {
      throw UsageError("send: " + name + " given twice");
    }
  }
  return values;
}

}  // namespace

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
int RunSend(CommandContext& context) {
  auto files = ParseFileOptions(context.args, {"--holidays", "--groups", "--tags"});
  if (!files.contains("--holidays") || !files.contains("--groups")) {
    throw UsageError("send needs --holidays FILE and --groups FILE");
  }
  const bool tagsAsked = files.contains("--tags");
  const ops::SendPaths paths{files["--holidays"], files["--groups"], files["--tags"]};
  const ops::SendResult result = ops::RunSendSequence(context.session, paths);
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
