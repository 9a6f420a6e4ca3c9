#pragma once
// What `zm48d site` shows while its controllers work: on a terminal one live
// line per controller, redrawn in place; elsewhere one plain line as each
// controller ends. Then the summary table.
#include <mutex>
#include <ostream>
#include <string>
#include <vector>

#include "site/site_run.h"

namespace zm48d::cli {

class SiteProgress final : public site::SiteObserver {
 public:
  SiteProgress(const site::Site& site, std::ostream& out, bool live);

  void Progress(std::size_t controller, std::string_view text) override;
  void Finished(std::size_t controller, const site::ControllerOutcome& outcome) override;

 private:
  void Redraw();  // with mutex_ held

  std::ostream& out_;
  bool live_;
  std::vector<std::string> names_;
  std::vector<std::string> lines_;
  std::size_t width_ = 0;  // of the longest name
  std::mutex mutex_;
};

// The table after the run: name, port and outcome, one row each.
void PrintSiteSummary(std::ostream& out, const site::Site& site,
                      const std::vector<site::ControllerOutcome>& outcomes);

}  // namespace zm48d::cli
