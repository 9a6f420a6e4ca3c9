#pragma once
// A PostgreSQL server of the test program's own: a new cluster in a scratch
// folder, reachable only through a Unix socket there, stopped when the program
// ends. Each test takes a fresh database on it.
#include <memory>
#include <string>

#include "tests/support/temp_dir.h"

namespace zm48d::testing {

class PostgresServer {
 public:
  // The one server of this program, started on first use.
  static PostgresServer& Shared();

  PostgresServer();
  ~PostgresServer();
  PostgresServer(const PostgresServer&) = delete;
  PostgresServer& operator=(const PostgresServer&) = delete;

  // Empty when the server runs; else why it does not.
  const std::string& Failure() const { return failure_; }
  // The folder of the server's socket.
  std::string SocketDir() const { return folder_.Root().string(); }
  // A new empty database's connection URI; empty, with Failure() set, when it
  // cannot be created.
  std::string CreateDatabase();

 private:
  bool Run(const std::string& what, const std::string& command);

  TempDir folder_;
  bool asPostgres_ = false;  // PostgreSQL refuses to run as root
  bool started_ = false;
  int databases_ = 0;
  std::string binaries_, failure_;
};

}  // namespace zm48d::testing
