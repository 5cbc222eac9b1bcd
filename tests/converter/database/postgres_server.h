// A private PostgreSQL server for the tests: a fresh cluster in a temporary
// folder, listening on a free local port, run as an unprivileged user when
// the tests run as root, and stopped and removed at the end.
#pragma once

#include <string>

namespace database_test {

class PostgresServer {
  public:
    // Starts the server; `ready()` says whether it runs, `problem()` why not.
    PostgresServer();
    ~PostgresServer();
    PostgresServer(const PostgresServer&) = delete;
    PostgresServer& operator=(const PostgresServer&) = delete;

    bool ready() const { return ready_; }
    // Set when the server programs are not installed (the tests are skipped).
    bool missing() const { return missing_; }
    const std::string& problem() const { return problem_; }
    int port() const { return port_; }

    // Runs SQL (UTF-8) with psql; the output of the last statement, fields
    // separated by '|', rows by '\n'. Throws when psql fails.
    std::string sql(const std::string& statements) const;
    // An ODBC connection string to the server's database through the
    // PostgreSQL driver's library file ("" when the driver is not installed).
    std::string connectionString() const;

  private:
    bool run(const std::string& command, std::string* output = nullptr) const;
    std::string asServerUser(const std::string& command) const;

    std::string binDirectory_;
    std::string root_;  // temporary folder: data/, the socket and the log
    int port_ = 0;
    bool ready_ = false;
    bool missing_ = false;
    bool asRoot_ = false;
    std::string problem_;
};

// The PostgreSQL ODBC driver's library, "" when it is not installed.
std::string postgresOdbcDriver();

}  // namespace database_test
