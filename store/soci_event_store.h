#pragma once
// The event store on a SOCI session: the same statements on SQLite and
// PostgreSQL, apart from the few that SqlEngine tells apart.
#include <memory>

#include "store/event_store.h"
#include "store/sql_engine.h"

namespace soci {
class session;
}

namespace zm48d::store {

// `session` is open and its schema up to date.
std::unique_ptr<EventStore> MakeSociEventStore(std::unique_ptr<soci::session> session,
                                               SqlEngine engine);

}  // namespace zm48d::store
