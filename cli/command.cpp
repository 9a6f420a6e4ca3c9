#include "cli/command.h"

namespace zm48d::cli {

void StreamNotices::Show(ops::Tone tone, std::string_view utf8Text) {
  switch (tone) {
    case ops::Tone::kNote:
      out_ << utf8Text << '\n';
      return;
    case ops::Tone::kFailure:
      err_ << utf8Text << '\n';
      return;
    case ops::Tone::kAside:
      return;
  }
}

void StreamNotices::Explain(std::string_view utf8Text) { err_ << utf8Text << '\n'; }

}  // namespace zm48d::cli
