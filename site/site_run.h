#pragma once
// One operation on every controller of a site at once: a thread per controller,
// each with its own link, doing the port cycle of the single-controller
// operation. Nothing of the protocol is shared between the threads, and a
// controller that fails never stops the others.
#include <cstddef>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "operations/session.h"
#include "site/site_file.h"

namespace zm48d::site {

// What one controller did.
struct ControllerOutcome {
  bool ok = false;
  std::string summary;                // one line for the table: "5 registros armazenados"
  std::vector<std::string> failures;  // the operator's texts of what failed, with their reasons
};

// Where the controllers' progress goes. Called from their threads, several at
// once: implementations keep their own lock.
class SiteObserver {
 public:
  virtual ~SiteObserver() = default;
  virtual void Progress(std::size_t controller, std::string_view text) = 0;
  virtual void Finished(std::size_t controller, const ControllerOutcome& outcome) = 0;
};

// One controller's part: the session reaches it on its own port; `failed` holds
// what its notices reported as failures so far.
struct ControllerWork {
  const ops::Session& session;
  const SiteController& controller;
  const std::vector<std::string>& failed;
};
using ControllerTask = std::function<ControllerOutcome(const ControllerWork&)>;

// Runs `task` on every controller of `site` at once and returns when all have
// ended, their outcomes in the site's order.
std::vector<ControllerOutcome> RunOnEveryController(const Site& site, const ControllerTask& task,
                                                    SiteObserver& observer);

// "COM n" for a port written "COM1"; any other port (a device or a URL) is
// reached as "COM 1" of a link of its own.
int PortNumberOf(const SiteController& controller);
DevicePathResolver ResolverOf(const SiteController& controller);

}  // namespace zm48d::site
