#include "site/site_harvest.h"

#include <utility>

#include "operations/event_harvest.h"
#include "operations/operator_texts.h"
#include "store/event_store.h"

namespace zm48d::site {

ControllerTask HarvestTask(std::string storeUrl) {
  return [storeUrl = std::move(storeUrl)](const ControllerWork& work) {
    auto opened = store::OpenEventStore(storeUrl);
    if (!opened.ok()) {
      // Nothing is read from the controller, so nothing can be lost.
      return ControllerOutcome{
          false, std::string(text::kSiteFailed), {"event store: " + opened.error()}};
    }
    const ops::HarvestResult result =
        ops::HarvestEvents(work.session, *opened.value(), work.controller.name, false);
    if (!result.ok()) return ControllerOutcome{false, std::string(text::kSiteFailed), {}};
    return ControllerOutcome{true, ops::HarvestedText(result.stored, work.controller.name), {}};
  };
}

}  // namespace zm48d::site
