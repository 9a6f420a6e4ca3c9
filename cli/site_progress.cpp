#include "cli/site_progress.h"

#include <algorithm>

#include "operations/operator_texts.h"

namespace zm48d::cli {

namespace {

std::string Padded(const std::string& text, std::size_t width) {
  return text + std::string(width > text.size() ? width - text.size() : 0, ' ');
}

}  // namespace

SiteProgress::SiteProgress(const site::Site& site, std::ostream& out, bool live)
    : out_(out), live_(live), lines_(site.controllers.size(), "...") {
  for (const site::SiteController& c : site.controllers) {
    names_.push_back(c.name);
    width_ = std::max(width_, c.name.size());
  }
  if (!live_) return;
  for (std::size_t i = 0; i < names_.size(); ++i) out_ << '\n';
  Redraw();
}

void SiteProgress::Redraw() {
  // Up to the first controller's line, then each line cleared and written again.
  out_ << "\x1b[" << names_.size() << 'A';
  for (std::size_t i = 0; i < names_.size(); ++i) {
    out_ << "\r\x1b[2K" << Padded(names_[i], width_) << "  " << lines_[i] << '\n';
  }
  out_.flush();
}

void SiteProgress::Progress(std::size_t controller, std::string_view text) {
  const std::lock_guard lock(mutex_);
  lines_[controller] = text;
  if (live_) Redraw();
}

void SiteProgress::Finished(std::size_t controller, const site::ControllerOutcome& outcome) {
  const std::lock_guard lock(mutex_);
  lines_[controller] = outcome.summary;
  if (live_) {
    Redraw();
  } else {
    out_ << names_[controller] << ": " << outcome.summary << '\n';
    out_.flush();
  }
}

void PrintSiteSummary(std::ostream& out, const site::Site& site,
                      const std::vector<site::ControllerOutcome>& outcomes) {
  std::size_t nameWidth = std::string_view("Controlador").size();
  std::size_t portWidth = std::string_view("Porta").size();
  for (const site::SiteController& c : site.controllers) {
    nameWidth = std::max(nameWidth, c.name.size());
    portWidth = std::max(portWidth, c.port.size());
  }
  out << '\n' << Padded("Controlador", nameWidth) << "  " << Padded("Porta", portWidth)
      << "  Resultado\n";
  for (std::size_t i = 0; i < outcomes.size(); ++i) {
    const site::SiteController& c = site.controllers[i];
    out << Padded(c.name, nameWidth) << "  " << Padded(c.port, portWidth) << "  "
        << (outcomes[i].ok ? text::kSiteOutcomeOk : text::kSiteOutcomeFailed)
        << outcomes[i].summary << '\n';
  }
}

}  // namespace zm48d::cli
