#include "tests/support/postgres_server.h"

#include <unistd.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <system_error>
#include <vector>

namespace zm48d::testing {

namespace {

// The newest installed version's bin folder, e.g. /usr/lib/postgresql/15/bin.
std::string FindBinaries() {
  std::vector<std::filesystem::path> found;
  std::error_code error;
  for (const auto& entry : std::filesystem::directory_iterator("/usr/lib/postgresql", error)) {
    if (std::filesystem::exists(entry.path() / "bin" / "initdb")) found.push_back(entry.path());
  }
  if (found.empty()) return "";
  return (*std::max_element(found.begin(), found.end()) / "bin").string();
}

std::string Quoted(const std::string& text) { return "'" + text + "'"; }

}  // namespace

PostgresServer& PostgresServer::Shared() {
  static PostgresServer server;
  return server;
}

PostgresServer::PostgresServer() : asPostgres_(geteuid() == 0), binaries_(FindBinaries()) {
  if (binaries_.empty()) {
    failure_ = "no PostgreSQL server in /usr/lib/postgresql/*/bin";
    return;
  }
  const std::string root = Quoted(SocketDir());
  if (asPostgres_ && std::system(("chown postgres " + root).c_str()) != 0) {
    failure_ = "cannot hand " + root + " to the postgres user";
    return;
  }
  const std::string data = Quoted(SocketDir() + "/data");
  const std::string log = Quoted(SocketDir() + "/server.log");
  if (!Run("initdb", Quoted(binaries_ + "/initdb") + " --no-sync -A trust -U postgres -E UTF8" +
                         " --no-locale -D " + data)) {
    return;
  }
  // No TCP port, and durability is of no use to a database thrown away.
  const std::string options = "-c listen_addresses='' -c unix_socket_directories=" + SocketDir() +
                              " -c fsync=off -c synchronous_commit=off -c full_page_writes=off";
  started_ = Run("pg_ctl start", Quoted(binaries_ + "/pg_ctl") + " -w -D " + data + " -l " + log +
                                     " -o \"" + options + "\" start");
}

PostgresServer::~PostgresServer() {
  if (started_) {
    Run("pg_ctl stop", Quoted(binaries_ + "/pg_ctl") + " -D " + Quoted(SocketDir() + "/data") +
                           " -m immediate stop");
  }
}

std::string PostgresServer::CreateDatabase() {
  if (!failure_.empty()) return "";
  const std::string name = "events_" + std::to_string(++databases_);
  if (!Run("createdb", Quoted(binaries_ + "/createdb") + " -h " + Quoted(SocketDir()) +
                           " -U postgres " + name)) {
    return "";
  }
  return "postgresql://postgres@/" + name + "?host=" + SocketDir();
}

bool PostgresServer::Run(const std::string& what, const std::string& command) {
  const std::string output = SocketDir() + "/" + what.substr(0, what.find(' ')) + ".out";
  const std::string line =
      (asPostgres_ ? "runuser -u postgres -- " : "") + command + " > " + Quoted(output) + " 2>&1";
  if (std::system(line.c_str()) == 0) return true;
  std::ifstream text(output);
  failure_ = what + " failed: " + std::string(std::istreambuf_iterator<char>(text), {});
  return false;
}

}  // namespace zm48d::testing
