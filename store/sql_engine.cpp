#include "store/sql_engine.h"

#include <exception>

#include <soci/soci.h>

namespace zm48d::store {

WriteTransaction::WriteTransaction(soci::session& session, SqlEngine engine)
    : session_(session), engine_(engine) {
  session_ << (engine_ == SqlEngine::kSqlite ? "BEGIN IMMEDIATE" : "BEGIN");
}

WriteTransaction::~WriteTransaction() {
  if (done_) return;
  try {
    session_ << "ROLLBACK";
  } catch (const std::exception&) {
    // The connection is gone; the database drops the transaction with it.
  }
}

void WriteTransaction::Lock(int space, const std::string& key) {
  if (engine_ != SqlEngine::kPostgres) return;
  session_ << "SELECT pg_advisory_xact_lock(:space, hashtext(:key))", soci::use(space),
      soci::use(key);
}

void WriteTransaction::Commit() {
  session_ << "COMMIT";
  done_ = true;
}

}  // namespace zm48d::store
