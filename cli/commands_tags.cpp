// last-tag and oldest-tags: the tag numbers that "Último" and "Montar lista com os
// últimos "x" tags lidos" of the "Cadastro" page take from the event stack, one per
// line, for registering tags just presented at a reader.
#include <string>
#include <vector>

#include "cli/arguments.h"
#include "cli/commands.h"
#include "operations/operator_texts.h"
#include "operations/stack_tags.h"

namespace zm48d::cli {

// The page says nothing when the stack header cannot be read; a script is told
// that the controller's memory could not be read.
int RunLastTag(CommandContext& context) {
  RequireArgumentCount(context.args, 0);
  return ExitStatus(ops::TakeNewestTag(
      context.session, [&](const std::string& tag) { context.out << tag << '\n'; },
      text::kStackReadFailed));
}

// X is taken as the page's edit takes it; a negative X asks for nothing, like 0.
int RunOldestTags(CommandContext& context) {
  RequireArgumentCount(context.args, 1);
  const int count = ParseEditInteger(context.args[0]);
  return ExitStatus(ops::TakeOldestTags(
      context.session, [count] { return count; },
      [&](const std::vector<std::string>& tags) {
        for (const std::string& tag : tags) context.out << tag << '\n';
      },
      text::kStackReadFailed));
}

}  // namespace zm48d::cli
