#include "cli/site_progress.h"

#include <algorithm>
#include <cstddef>
#include <string_view>

#include "operations/operator_texts.h"

namespace zm48d::cli {

namespace {

bool StartsCharacter(char byte) { return (static_cast<unsigned char>(byte) & 0xC0) != 0x80; }

// Names and texts are UTF-8: a column is as wide as its characters, not its bytes.
std::size_t Characters(std::string_view text) {
  return static_cast<std::size_t>(std::count_if(text.begin(), text.end(), StartsCharacter));
}

std::string Padded(const std::string& text, std::size_t width) {
  const std::size_t length = Characters(text);
  return text + std::string(width > length ? width - length : 0, ' ');
}

// The first `count` characters of `text`.
std::string_view FirstCharacters(std::string_view text, std::size_t count) {
  for (std::size_t i = 0; i < text.size(); ++i) {
    if (StartsCharacter(text[i]) && count-- == 0) return text.substr(0, i);
  }
  return text;
}

}  // namespace

SiteProgress::SiteProgress(const site::Site& site, std::ostream& out,
                           std::optional<std::size_t> liveColumns)
    : out_(out), liveColumns_(liveColumns), lines_(site.controllers.size(), "...") {
  for (const site::SiteController& c : site.controllers) {
    names_.push_back(c.name);
    width_ = std::max(width_, Characters(c.name));
  }
  if (!liveColumns_) return;
  for (std::size_t i = 0; i < names_.size(); ++i) out_ << '\n';
  Redraw();
}

void SiteProgress::Redraw() {
  // Up to the first controller's line, then each line cleared and written again.
  out_ << "\x1b[" << names_.size() << 'A';
  for (std::size_t i = 0; i < names_.size(); ++i) {
    const std::string line = Padded(names_[i], width_) + "  " + lines_[i];
    // One column short of the width: a full line would leave the cursor past it.
    out_ << "\r\x1b[2K" << FirstCharacters(line, *liveColumns_ - 1) << '\n';
  }
  out_.flush();
}

void SiteProgress::Progress(std::size_t controller, std::string_view text) {
  const std::lock_guard lock(mutex_);
  lines_[controller] = text;
  if (liveColumns_) Redraw();
}

void SiteProgress::Finished(std::size_t controller, const site::ControllerOutcome& outcome) {
  const std::lock_guard lock(mutex_);
  lines_[controller] = outcome.summary;
  if (liveColumns_) {
    Redraw();
  } else {
    out_ << names_[controller] << ": " << outcome.summary << '\n';
    out_.flush();
  }
}

void PrintSiteSummary(std::ostream& out, const site::Site& site,
                      const std::vector<site::ControllerOutcome>& outcomes) {
  std::size_t nameWidth = Characters("Controlador");
  std::size_t portWidth = Characters("Porta");
  for (const site::SiteController& c : site.controllers) {
    nameWidth = std::max(nameWidth, Characters(c.name));
    portWidth = std::max(portWidth, Characters(c.port));
  }
  out << '\n'
      << Padded("Controlador", nameWidth) << "  " << Padded("Porta", portWidth) << "  Resultado\n";
  for (std::size_t i = 0; i < outcomes.size(); ++i) {
    const site::SiteController& c = site.controllers[i];
    out << Padded(c.name, nameWidth) << "  " << Padded(c.port, portWidth) << "  "
        << (outcomes[i].ok ? text::kSiteOutcomeOk : text::kSiteOutcomeFailed) << outcomes[i].summary
        << '\n';
  }
}

}  // namespace zm48d::cli
