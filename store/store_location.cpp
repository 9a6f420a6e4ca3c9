#include <cstdlib>
#include <string>

#include "store/event_store.h"

namespace zm48d::store {

namespace {

std::string Variable(const char* name) {
  const char* value = std::getenv(name);
  return value ? value : "";
}

}  // namespace

// The XDG base directory rules elsewhere: an empty variable counts as unset.
std::string DefaultStoreLocation() {
  if (std::string db = Variable("ZM48D_DB"); !db.empty()) return db;
#ifdef _WIN32
  return Variable("LOCALAPPDATA") + "\\zm48d\\events.db";
#else
  if (std::string data = Variable("XDG_DATA_HOME"); !data.empty()) return data + "/zm48d/events.db";
  return Variable("HOME") + "/.local/share/zm48d/events.db";
#endif
}

}  // namespace zm48d::store
