#include "tests/data_access/odbc/frozen_server.h"

#include <signal.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>

namespace odbctest {
namespace {

// The first line a command prints; empty when it prints none.
std::string FirstLineOf(const std::string& command) {
    std::string line;
    if (FILE* output = popen(command.c_str(), "r")) {
        for (int c = std::fgetc(output); c != EOF && c != '\n'; c = std::fgetc(output)) line += static_cast<char>(c);
        pclose(output);
    }
    return line;
}

// The parent in /proc/<pid>/stat ("pid (name) state ppid ..."); 0 when gone.
pid_t ParentOf(pid_t process) {
    std::ifstream stat("/proc/" + std::to_string(process) + "/stat");
    std::string line;
    if (!std::getline(stat, line)) return 0;
    std::istringstream rest(line.substr(line.rfind(')') + 1));
    std::string state;
    pid_t parent = 0;
    rest >> state >> parent;
    return parent;
}

}  // namespace

FrozenServer::FrozenServer(const TestServer& server, AdminConnection& admin) {
    if (server.kind == ServerKind::MariaDb) {
        // mariadb-ctl prints the server's process.
        const std::string process = FirstLineOf("'" + server.serverControl + "' pid");
        if (!process.empty()) processes_.push_back(std::stoi(process));
        return;
    }
    const std::string backend = admin.Query("SELECT pg_backend_pid()")[0][0];
    const pid_t postmaster = ParentOf(std::stoi(backend));
    processes_.push_back(postmaster);
    for (const auto& entry : std::filesystem::directory_iterator("/proc")) {
        const std::string name = entry.path().filename().string();
        if (name.find_first_not_of("0123456789") != std::string::npos) continue;
        if (ParentOf(std::stoi(name)) == postmaster) processes_.push_back(std::stoi(name));
    }
}

void FrozenServer::Freeze() {
    for (pid_t process : processes_) kill(process, SIGSTOP);
    frozen_ = true;
}

void FrozenServer::Resume() {
    if (!frozen_) return;
    for (pid_t process : processes_) kill(process, SIGCONT);
    frozen_ = false;
}

}  // namespace odbctest
