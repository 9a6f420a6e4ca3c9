#include "operations/operation_tally.h"

#include "operations/operator_texts.h"

namespace zm48d::ops {

std::string LinkStatusText(LinkStatus status) {
  switch (status) {
    case link_status::kOk: return "ok";
    case link_status::kShortWrite: return "escrita incompleta";
    case link_status::kWriteFailed: return "falha na escrita";
    case link_status::kBodyCountMismatch: return "resposta de tamanho errado";
    case link_status::kBodyIncomplete: return "resposta incompleta";
    case link_status::kWrongHead: return "resposta de outra cabeça";
    case link_status::kBadFraming: return "resposta mal formada";
    case link_status::kNoHeader: return "sem resposta";
    case link_status::kBadChecksum: return "checksum errado";
    default: return "LinkStatus " + std::to_string(status);
  }
}

std::string OutcomeText(const OperationTally& tally) {
  // The reason names the port itself: "COM 5 (/dev/ttyS4): dispositivo não existe".
  if (tally.portNotOpened) {
    if (!tally.openFailureReason.empty()) return tally.openFailureReason;
    return "porta COM " + std::to_string(*tally.portNotOpened) + " não abriu";
  }
  std::string text;
  if (tally.cancelled) {
    text = text::kCancelledByOperator;
  } else if (!tally.failureText.empty()) {
    text = tally.failureText;
    if (tally.failedStatus) text += " (" + LinkStatusText(*tally.failedStatus) + ")";
  } else if (tally.failedStatus) {
    text = "falhou (" + LinkStatusText(*tally.failedStatus) + ")";
  } else {
    text = tally.framesSent > 1 ? "concluído" : "ok";
  }
  if (tally.framesSent > 1) text += ", " + std::to_string(tally.framesSent) + " quadros";
  if (!tally.note.empty()) text += "; " + tally.note;
  return text;
}

}  // namespace zm48d::ops
