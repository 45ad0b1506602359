// SPDX-License-Identifier: MIT
#include "child_wait.hpp"

#include <sys/wait.h>

#include <cerrno>
#include <csignal>
#include <stdexcept>
#include <string>
#include <thread>

namespace vornikat::testing {

int WaitForChild(pid_t pid, std::chrono::milliseconds patience) {
    const auto deadline = std::chrono::steady_clock::now() + patience;
    for (;;) {
        int status = 0;
        const pid_t done = ::waitpid(pid, &status, WNOHANG);
        if (done == pid) {
            return status;
        }
        if (done < 0 && errno != EINTR) {
            throw std::runtime_error("no child process " + std::to_string(pid) + " to wait for");
        }
        if (std::chrono::steady_clock::now() >= deadline) {
            ::kill(pid, SIGKILL);
            ::waitpid(pid, nullptr, 0);
            throw std::runtime_error("child process " + std::to_string(pid) +
                                     " was still running after " +
                                     std::to_string(patience.count()) + " ms and was killed");
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(5));
    }
}

}  // namespace vornikat::testing
