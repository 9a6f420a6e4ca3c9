#include "operations/reset_memory.h"

#include <algorithm>

#include "operations/operator_texts.h"
#include "protocol/big_endian.h"
#include "protocol/event_stack.h"
#include "protocol/memory.h"

namespace zm48d::ops {

namespace {

void EmptyTagList(Page& block) {
  PutWord(&block[config_block::kTagListAddress], TagListStart);
  PutWord(&block[config_block::kTagCount], 0);
}

void ShowFailure(const Session& session, ResetMemoryFailure failure) {
  switch (failure) {
    case ResetMemoryFailure::kNone: return;
    case ResetMemoryFailure::kConfigRead:
      session.Fail(text::kResetConfigReadFailed);
      session.Fail(text::kResetConfigFailed);
      return;
    case ResetMemoryFailure::kConfigWrite: session.Fail(text::kResetConfigFailed); return;
    case ResetMemoryFailure::kHeaderRead: session.Fail(text::kResetHeaderReadFailed); return;
    case ResetMemoryFailure::kHeaderWrite: session.Fail(text::kResetHeaderWriteFailed); return;
  }
}

}  // namespace

ResetMemoryFailure ResetMemory(LinkState& link, LinkStatus& status) {
  Page block{};
  if (!ReadConfigBlock(link, block, status)) return ResetMemoryFailure::kConfigRead;
  EmptyTagList(block);
  if (!WriteConfigBlock(link, block, status)) return ResetMemoryFailure::kConfigWrite;

  StackHeader header{};
  if (!ReadStackHeader(link, header, status)) return ResetMemoryFailure::kHeaderRead;
  std::copy(std::begin(kResetStackHeader), std::end(kResetStackHeader), header.begin());
  if (!WriteEeprom(link, 0, stack_header::kSize, header.data(), status)) {
    return ResetMemoryFailure::kHeaderWrite;
  }
  return ResetMemoryFailure::kNone;
}

bool ResetControllerMemory(const Session& session, std::string_view openFailure) {
  const PortCycle port(session, openFailure);
  if (!port) return false;
  LinkStatus status = link_status::kOk;
  const ResetMemoryFailure failure = ResetMemory(session.link, status);
  ShowFailure(session, failure);
  return failure == ResetMemoryFailure::kNone;
}

}  // namespace zm48d::ops
