#include "ctlsim/SimProzess.h"

#include <cerrno>
#include <chrono>
#include <csignal>
#include <poll.h>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>

namespace korvx::ctlsim {

SimProzess::SimProzess(const std::string& programm, const std::vector<std::string>& argumente) {
    int rohr[2];
    if (pipe(rohr) != 0) {
        return;
    }
    std::vector<std::string> alle = {programm};
    alle.insert(alle.end(), argumente.begin(), argumente.end());
    std::vector<char*> argv;
    for (auto& a : alle) {
        argv.push_back(a.data());
    }
    argv.push_back(nullptr);
    pid_ = fork();
    if (pid_ == 0) {
        dup2(rohr[1], STDOUT_FILENO);
        close(rohr[0]);
        close(rohr[1]);
        execv(programm.c_str(), argv.data());
        _exit(127);
    }
    close(rohr[1]);
    // The first line is the device path; 5 s is ample for a start.
    std::string zeile;
    const auto ende = std::chrono::steady_clock::now() + std::chrono::seconds(5);
    while (pid_ > 0 && std::chrono::steady_clock::now() < ende) {
        pollfd p{rohr[0], POLLIN, 0};
        if (poll(&p, 1, 100) <= 0) {
            continue;
        }
        char c = 0;
        if (read(rohr[0], &c, 1) != 1) {
            break;
        }
        if (c == '\n') {
            geraet_ = zeile;
            break;
        }
        zeile += c;
    }
    close(rohr[0]);
}

bool SimProzess::AufEndeWarten(int ms) {
    if (pid_ <= 0) {
        return true;
    }
    const auto ende = std::chrono::steady_clock::now() + std::chrono::milliseconds(ms);
    for (;;) {
        int status = 0;
        if (waitpid(pid_, &status, WNOHANG) == pid_) {
            pid_ = -1;
            return true;
        }
        if (std::chrono::steady_clock::now() >= ende) {
            return false;
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(5));
    }
}

SimProzess::~SimProzess() {
    if (pid_ <= 0) {
        return;
    }
    kill(pid_, SIGTERM);
    if (!AufEndeWarten(2000)) {
        kill(pid_, SIGKILL);
        AufEndeWarten(2000);
    }
}

} // namespace korvx::ctlsim
