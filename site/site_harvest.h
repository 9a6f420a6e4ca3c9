#pragma once
// The harvest of every controller of a site into one event store, each under
// its name in the site. Left out where the event store is not built.
#include <string>

#include "site/site_run.h"

namespace zm48d::site {

// Each controller's thread opens the store at `storeUrl` for itself: a store's
// connection is not shared between threads, and the store's own locking (the
// SQLite file's, or PostgreSQL's) orders the commits.
ControllerTask HarvestTask(std::string storeUrl);

}  // namespace zm48d::site
