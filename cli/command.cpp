#include "cli/command.h"

#include "operations/operator_texts.h"

namespace zm48d::cli {

void StreamNotices::Show(ops::Tone tone, std::string_view utf8Text) {
  switch (tone) {
    case ops::Tone::kNote: out_ << utf8Text << '\n'; return;
    case ops::Tone::kFailure: err_ << utf8Text << '\n'; return;
    case ops::Tone::kAside: return;
  }
}

void StreamNotices::Explain(std::string_view utf8Text) { err_ << utf8Text << '\n'; }

// "backup: copia/lista.txt: descriptions not kept (not a file of its kind)"
void StreamNotices::DescriptionsNotKept(std::string_view path, ops::DescriptionsLost why) {
  const std::string_view reason = why == ops::DescriptionsLost::kUnreadable
                                      ? text::kCliEarlierFileUnreadable
                                      : text::kCliEarlierFileIncompatible;
  err_ << "backup: " << path << text::kCliDescriptionsNotKept << reason << ")\n";
}

}  // namespace zm48d::cli
