#pragma once
// What one operation did on the line, counted while it ran, and the one line
// that sums it up for the window's status bar: "ok", "concluído, 69 quadros",
// "Erro!! (sem resposta)", "COM 3 (/dev/ttyS2): dispositivo não existe".
#include <optional>
#include <string>

#include "protocol/link_state.h"

namespace zm48d::ops {

struct OperationTally {
  int framesSent = 0;
  std::optional<LinkStatus> failedStatus;  // the last send or receive that failed
  std::string failureText;                 // the last failure text the operation showed
  std::optional<int> portNotOpened;        // "COM n" that did not open
  std::string openFailureReason;           // "COM n (<device>): <why>", in the window's words
  std::string note;                        // what the operator should know of its outcome
  bool cancelled = false;                  // the operator stopped it before a frame

  bool UsedTheLine() const { return framesSent > 0 || portNotOpened.has_value(); }
};

std::string OutcomeText(const OperationTally& tally);

// What a LinkStatus code means, in the operator's words ("sem resposta").
std::string LinkStatusText(LinkStatus status);

}  // namespace zm48d::ops
