#pragma once
// While a long operation runs, its bulk transfers are reported to the session's
// notices as "<what runs>: <how far>", for example "Enviando lista: página 17 de
// 42" or "Descarregando registros: 80 de 126 blocos".
#include <string>
#include <string_view>

#include "operations/session.h"

namespace zm48d::ops {

std::string ProgressText(std::string_view caption, const TransferProgress& progress);

// Reports the link's progress for its life, then puts the previous observer back.
class ProgressReport {
 public:
  ProgressReport(const Session& session, std::string_view caption);
  ~ProgressReport();
  ProgressReport(const ProgressReport&) = delete;
  ProgressReport& operator=(const ProgressReport&) = delete;

 private:
  LinkState& link_;
  ProgressObserver previous_;
};

}  // namespace zm48d::ops
