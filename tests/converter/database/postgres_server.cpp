#include "postgres_server.h"

#include <arpa/inet.h>
#include <netinet/in.h>
#include <sys/socket.h>
#include <unistd.h>

#include <algorithm>
#include <atomic>
#include <filesystem>
#include <stdexcept>
#include <vector>

#include "support/test_support.h"

namespace database_test {
namespace fs = std::filesystem;

namespace {

// The newest installed server's program folder, "" when none.
std::string findBinDirectory() {
    std::vector<std::string> found;
    std::error_code ec;
    for (const auto& entry : fs::directory_iterator("/usr/lib/postgresql", ec))
        if (fs::exists(entry.path() / "bin" / "initdb") &&
            fs::exists(entry.path() / "bin" / "pg_ctl"))
            found.push_back((entry.path() / "bin").string());
    std::sort(found.begin(), found.end(), [](const std::string& a, const std::string& b) {
        return std::stoi(fs::path(a).parent_path().filename().string()) <
               std::stoi(fs::path(b).parent_path().filename().string());
    });
    return found.empty() ? std::string() : found.back();
}

// A port nobody listens on right now.
int freePort() {
    const int s = socket(AF_INET, SOCK_STREAM, 0);
    if (s < 0) return 0;
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    socklen_t length = sizeof address;
    int port = 0;
    if (bind(s, reinterpret_cast<sockaddr*>(&address), sizeof address) == 0 &&
        getsockname(s, reinterpret_cast<sockaddr*>(&address), &length) == 0)
        port = ntohs(address.sin_port);
    close(s);
    return port;
}

std::string shellQuoted(const std::string& text) {
    std::string out = "'";
    for (char c : text) {
        if (c == '\'')
            out += "'\\''";
        else
            out += c;
    }
    return out + "'";
}

}  // namespace

std::string postgresOdbcDriver() {
    const char* candidates[] = {"/usr/lib/x86_64-linux-gnu/odbc/psqlodbcw.so",
                                "/usr/lib/aarch64-linux-gnu/odbc/psqlodbcw.so",
                                "/usr/lib/odbc/psqlodbcw.so", "/usr/lib64/psqlodbcw.so",
                                "/usr/local/lib/psqlodbcw.so"};
    for (const char* c : candidates)
        if (fs::exists(c)) return c;
    std::error_code ec;
    for (const auto& entry : fs::directory_iterator("/usr/lib", ec)) {
        const fs::path p = entry.path() / "odbc" / "psqlodbcw.so";
        if (fs::exists(p, ec)) return p.string();
    }
    return {};
}

PostgresServer::PostgresServer() {
    binDirectory_ = findBinDirectory();
    if (binDirectory_.empty()) {
        missing_ = true;
        problem_ =
            "the PostgreSQL server programs (initdb, pg_ctl under /usr/lib/postgresql/*/bin) are "
            "not installed; install the Debian package postgresql to run this test";
        return;
    }
    // As root the folder goes to /tmp, which the server's user can always
    // reach; a private TMPDIR might not be.
    asRoot_ = geteuid() == 0;
    const fs::path base = asRoot_ ? fs::path("/tmp") : fs::temp_directory_path();
    std::string pattern = (base / "keszip-pg-XXXXXX").string();
    if (!mkdtemp(pattern.data())) {
        problem_ = "cannot make a temporary folder";
        return;
    }
    root_ = pattern;
    // The server refuses to run as root: it runs as nobody, who owns the folder.
    if (asRoot_ && !run("chown nobody " + shellQuoted(root_))) {
        problem_ = "cannot hand the folder to the user nobody";
        return;
    }
    std::string output;
    if (!run(asServerUser(binDirectory_ + "/initdb -D " + shellQuoted(root_ + "/data") +
                          " -U zelko --auth=trust -E UTF8 --no-locale --no-sync 2>&1"),
             &output)) {
        problem_ = "initdb failed: " + output;
        return;
    }
    for (int attempt = 0; attempt < 5 && !ready_; ++attempt) {
        port_ = freePort();
        const std::string options = "-p " + std::to_string(port_) + " -k " + root_ +
                                    " -c listen_addresses=127.0.0.1 -c fsync=off";
        ready_ = run(asServerUser(binDirectory_ + "/pg_ctl -D " + shellQuoted(root_ + "/data") +
                                  " -l " + shellQuoted(root_ + "/log") + " -o " +
                                  shellQuoted(options) + " -w -t 60 start >/dev/null 2>&1"));
    }
    if (!ready_)
        problem_ = "the server did not start: " + testing_support::readFile(root_ + "/log");
}

PostgresServer::~PostgresServer() {
    if (ready_)
        run(asServerUser(binDirectory_ + "/pg_ctl -D " + shellQuoted(root_ + "/data") +
                         " -m immediate -w stop >/dev/null 2>&1"));
    if (!root_.empty()) {
        std::error_code ec;
        fs::remove_all(root_, ec);
    }
}

bool PostgresServer::run(const std::string& command, std::string* output) const {
    return testing_support::runCommand(command, output) == 0;
}

std::string PostgresServer::asServerUser(const std::string& command) const {
    // Commands run from the temporary folder, which the server user may enter.
    const std::string inFolder = "cd " + shellQuoted(root_) + " && " + command;
    return asRoot_ ? "runuser -u nobody -- sh -c " + shellQuoted(inFolder)
                   : "sh -c " + shellQuoted(inFolder);
}

std::string PostgresServer::sql(const std::string& statements) const {
    // A file of its own per call: tests may run statements from two threads.
    static std::atomic<int> calls{0};
    const std::string file = root_ + "/statements-" + std::to_string(++calls) + ".sql";
    testing_support::writeFile(file, statements);
    std::string output;
    const std::string command =
        binDirectory_ + "/psql -X -q -A -t -v ON_ERROR_STOP=1 -h 127.0.0.1 -p " +
        std::to_string(port_) + " -U zelko -d postgres -f " + shellQuoted(file) + " 2>&1";
    if (!run(command, &output)) throw std::runtime_error("psql: " + output);
    while (!output.empty() && output.back() == '\n') output.pop_back();
    return output;
}

std::string PostgresServer::connectionString() const {
    const std::string driver = postgresOdbcDriver();
    if (driver.empty()) return {};
    return "DRIVER=" + driver + ";SERVER=127.0.0.1;PORT=" + std::to_string(port_) +
           ";DATABASE=postgres;UID=zelko;PWD=;";
}

}  // namespace database_test
