#pragma once
// What differs between the two databases the store runs on.
#include <string>

namespace soci {
class session;
}

namespace zm48d::store {

enum class SqlEngine { kSqlite, kPostgres };

// A write transaction, rolled back unless committed. On SQLite it takes the
// file's write lock at once, so two writers wait for each other rather than
// fail halfway; PostgreSQL's row locks need nothing more.
class WriteTransaction {
 public:
  WriteTransaction(soci::session& session, SqlEngine engine);
  ~WriteTransaction();
  WriteTransaction(const WriteTransaction&) = delete;
  WriteTransaction& operator=(const WriteTransaction&) = delete;

  // Serializes this transaction with others holding the same lock (on
  // PostgreSQL; SQLite's write lock already serializes every writer).
  void Lock(int space, const std::string& key);
  void Commit();

 private:
  soci::session& session_;
  SqlEngine engine_;
  bool done_ = false;
};

}  // namespace zm48d::store
