#include "site/site_run.h"

#include <exception>
#include <thread>
#include <utility>

#include "link/com_port_names.h"
#include "link/port_link.h"
#include "operations/open_failure_text.h"

namespace zm48d::site {

namespace {

// A controller's notices: failures and their reasons kept for its outcome,
// progress passed on to the observer with the controller's place.
class ControllerNotices final : public ops::Notices {
 public:
  ControllerNotices(SiteObserver& observer, std::size_t index)
      : observer_(observer), index_(index) {}

  void Show(ops::Tone tone, std::string_view text) override {
    if (tone == ops::Tone::kFailure) failures.emplace_back(text);
  }
  void Progress(std::string_view text) override { observer_.Progress(index_, text); }
  void Explain(std::string_view text) override {
    if (failures.empty()) {
      failures.emplace_back(text);
    } else {
      failures.back() += " (" + std::string(text) + ")";
    }
  }

  std::vector<std::string> failures;

 private:
  SiteObserver& observer_;
  std::size_t index_;
};

ControllerOutcome RunOne(const SiteController& controller, std::size_t index,
                         const ControllerTask& task, SiteObserver& observer) {
  ControllerNotices notices(observer, index);
  PortLink device(ResolverOf(controller));
  LinkState link(device);
  link.HeadAddress = controller.head;
  const ops::Session session{link, PortNumberOf(controller), notices};
  ControllerOutcome outcome;
  try {
    outcome = task({session, controller, notices.failures});
  } catch (const std::exception& error) {
    // An error the operation did not expect ends this controller only.
    notices.failures.emplace_back(error.what());
    outcome.ok = false;
  }
  outcome.failures = std::move(notices.failures);
  // The table's line for a failure is what failed first.
  if (!outcome.ok && !outcome.failures.empty()) outcome.summary = outcome.failures.front();
  return outcome;
}

}  // namespace

int PortNumberOf(const SiteController& controller) {
  return ComPortNumber(controller.port).value_or(1);
}

DevicePathResolver ResolverOf(const SiteController& controller) {
  if (ComPortNumber(controller.port)) return DefaultComPortName;
  return [name = controller.port](int) { return name; };
}

std::vector<ControllerOutcome> RunOnEveryController(const Site& site, const ControllerTask& task,
                                                    SiteObserver& observer) {
  std::vector<ControllerOutcome> outcomes(site.controllers.size());
  {
    std::vector<std::jthread> threads;
    threads.reserve(site.controllers.size());
    for (std::size_t i = 0; i < site.controllers.size(); ++i) {
      threads.emplace_back([&, i] {
        outcomes[i] = RunOne(site.controllers[i], i, task, observer);
        observer.Finished(i, outcomes[i]);
      });
    }
  }  // every thread joined here
  return outcomes;
}

}  // namespace zm48d::site
