// last-tag and oldest-tags: the tag numbers that "Último" and "Montar lista com os
// últimos "x" tags lidos" of the "Cadastro" page take from the event stack, one per
// line, for registering tags just presented at a reader.
#include "cli/arguments.h"
#include "cli/commands.h"
#include "protocol/stack_tags.h"

namespace zm48d::cli {

namespace {

constexpr std::string_view kOpenFailed = "Erro ao abrir a serial!!";
constexpr std::string_view kNoRecords = "Não existem registros a serem lidos!!";
constexpr std::string_view kReadFailed = "Não foi possível ler os dados da eeprom!!";

// The page says nothing when the stack header cannot be read; a script is told
// that the controller's memory could not be read.
int PrintTags(CommandContext& context, const std::optional<StackPointers>& pointers,
              const StackTags& tags) {
  if (!pointers || tags.outcome == StackTagsOutcome::kRecordReadFailed) {
    context.err << kReadFailed << '\n';
    return kExitFailure;
  }
  if (tags.outcome == StackTagsOutcome::kNoRecords) {
    context.err << kNoRecords << '\n';
    return kExitFailure;
  }
  for (const std::string& tag : tags.tags) context.out << tag << '\n';
  return kExitSuccess;
}

}  // namespace

int RunLastTag(CommandContext& context) {
  RequireArgumentCount(context.args, 0);
  PortCycle port(context, kOpenFailed);
  if (!port.IsOpen()) return kExitFailure;
  const auto pointers = ReadStackPointers(context.link);
  return PrintTags(context, pointers, pointers ? ReadNewestTag(context.link, *pointers) : StackTags{});
}

// X is taken as the page's edit takes it; a negative X asks for nothing, like 0.
int RunOldestTags(CommandContext& context) {
  RequireArgumentCount(context.args, 1);
  const int count = ParseEditInteger(context.args[0]);
  PortCycle port(context, kOpenFailed);
  if (!port.IsOpen()) return kExitFailure;
  const auto pointers = ReadStackPointers(context.link);
  return PrintTags(context, pointers,
                   pointers ? ReadOldestTags(context.link, *pointers, count) : StackTags{});
}

}  // namespace zm48d::cli
