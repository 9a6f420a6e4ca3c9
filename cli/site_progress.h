#pragma once
// What `zm48d site` shows while its controllers work: on a terminal one live
// line per controller, redrawn in place; elsewhere one plain line as each
// controller ends. Then the summary table.
#include <cstddef>
#include <mutex>
#include <optional>
#include <ostream>
#include <string>
#include <string_view>
#include <vector>

#include "site/site_run.h"

namespace zm48d::cli {

class SiteProgress final : public site::SiteObserver {
 public:
  // `liveColumns`: the terminal's width, when the lines are redrawn in place;
  // each is cut to fit, since a line that wraps would throw the redraw off.
  SiteProgress(const site::Site& site, std::ostream& out, std::optional<std::size_t> liveColumns);

  void Progress(std::size_t controller, std::string_view text) override;
  void Finished(std::size_t controller, const site::ControllerOutcome& outcome) override;

 private:
  void Redraw();  // with mutex_ held

  std::ostream& out_;
  std::optional<std::size_t> liveColumns_;
  std::vector<std::string> names_;
  std::vector<std::string> lines_;
  std::size_t width_ = 0;  // of the longest name, in characters
  std::mutex mutex_;
};

// The table after the run: name, port and outcome, one row each.
void PrintSiteSummary(std::ostream& out, const site::Site& site,
                      const std::vector<site::ControllerOutcome>& outcomes);

}  // namespace zm48d::cli
