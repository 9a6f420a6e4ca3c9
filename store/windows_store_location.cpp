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

std::string DefaultStoreLocation() {
  if (std::string db = Variable("ZM48D_DB"); !db.empty()) return db;
  return Variable("LOCALAPPDATA") + "\\zm48d\\events.db";
}

}  // namespace zm48d::store
