// backup and verify: what the controller holds, read back into the three files
// or compared with them. Differences are the command's result, one a line on
// the output; failures go to the error stream with the window's texts.
#include <string>
#include <string_view>

#include "cli/arguments.h"
#include "cli/commands.h"
#include "operations/controller_backup.h"

namespace zm48d::cli {

namespace {

constexpr std::string_view kFileOptions[] = {"--holidays", "--groups", "--tags"};

ops::ConfigurationFiles FilesOf(const FileOptions& options) {
  return {options.Value("--holidays"), options.Value("--groups"), options.Value("--tags")};
}

}  // namespace

int RunBackup(CommandContext& context) {
  const FileOptions options = ParseFileOptions("backup", context.args, kFileOptions);
  for (std::string_view name : kFileOptions) {
    if (options.Value(name).empty()) {
      throw UsageError("backup needs --holidays FILE, --groups FILE and --tags FILE");
    }
  }
  return ExitStatus(ops::BackupController(context.session, FilesOf(options)));
}

int RunVerify(CommandContext& context) {
  const FileOptions options = ParseFileOptions("verify", context.args, kFileOptions);
  if (options.values.empty()) throw UsageError("verify needs --holidays, --groups or --tags");
  return PrintVerifyResult(context, ops::VerifyController(context.session, FilesOf(options)));
}

int PrintVerifyResult(CommandContext& context, const ops::VerifyResult& result) {
  for (const std::string& line : result.differences) context.out << line << '\n';
  return ExitStatus(result.outcome == ops::VerifyOutcome::kEqual);
}

}  // namespace zm48d::cli
