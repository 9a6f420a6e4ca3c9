#include "cli/command.h"

namespace zm48d::cli {

void StreamNotices::Show(ops::Tone tone, std::string_view utf8Text) {
  switch (tone) {
    case ops::Tone::kNote:
      out_ << utf8Text << '\n';
      return;
    case ops::Tone::kFailure:
    case ops::Tone::kExplanation:
      err_ << utf8Text << '\n';
      return;
    case ops::Tone::kAside:
      return;
  }
}

}  // namespace zm48d::cli
