// SPDX-License-Identifier: MIT
#include "posix_launcher.hpp"

#include <fcntl.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>

#include "cp1251.hpp"
#include "posix_file_system.hpp"
#include "text.hpp"

extern char** environ;

namespace vornikat {

namespace {

// Runs in the forked child of a threaded program: only async-signal-safe calls from here on.
// A grandchild runs the program so that it is nobody's zombie; it reports a failed exec
// through the pipe, whose end closes by itself when the exec succeeds.
[[noreturn]] void SpawnGrandchild(const char* path, int reportFd) {
    ::setsid();
    const pid_t grandchild = ::fork();
    if (grandchild == 0) {
        char* const argv[] = {const_cast<char*>(path), nullptr};
        ::execve(path, argv, environ);
        const int error = errno;
        [[maybe_unused]] const auto written = ::write(reportFd, &error, sizeof error);
        ::_exit(127);
    }
    if (grandchild < 0) {
        const int error = errno;
        [[maybe_unused]] const auto written = ::write(reportFd, &error, sizeof error);
    }
    ::_exit(0);
}

}  // namespace

bool IsExecutableFile(const std::string& nativePath) {
    struct stat status {};
    return ::stat(nativePath.c_str(), &status) == 0 && S_ISREG(status.st_mode) &&
           ::access(nativePath.c_str(), X_OK) == 0;
}

bool PosixLauncher::StartProgram(std::string_view path) {
    const std::string native = NativePath(path);
    if (native.empty() || !IsExecutableFile(native)) {
        return false;
    }
    int report[2];
    if (::pipe2(report, O_CLOEXEC) != 0) {
        return false;
    }
    const pid_t child = ::fork();
    if (child == 0) {
        ::close(report[0]);
        SpawnGrandchild(native.c_str(), report[1]);
    }
    ::close(report[1]);
    bool started = false;
    if (child > 0) {
        int status = 0;
        while (::waitpid(child, &status, 0) < 0 && errno == EINTR) {
        }
        int error = 0;
        ssize_t got = 0;
        do {
            got = ::read(report[0], &error, sizeof error);
        } while (got < 0 && errno == EINTR);
        started = got == 0;
    }
    ::close(report[0]);
    return started;
}

std::string FindExecutable(std::string_view searchPath, std::initializer_list<const char*> names) {
    for (const char* name : names) {
        std::string_view rest = searchPath;
        while (!rest.empty()) {
            const auto colon = rest.find(':');
            const std::string_view folder = rest.substr(0, colon);
            rest = colon == std::string_view::npos ? std::string_view{} : rest.substr(colon + 1);
            if (folder.empty() || folder.front() != '/') {
                continue;
            }
            std::string candidate(folder);
            candidate += '/';
            candidate += name;
            if (IsExecutableFile(candidate)) {
                return candidate;
            }
        }
    }
    return {};
}

std::string FindSystemInfoTool(std::string_view searchPath) {
    // Dedicated hardware and system reports first, the newer before the older; then the
    // desktops' information centres; a resource monitor only as the last resort.
    const std::string found = FindExecutable(
        searchPath, {"hardinfo2", "hardinfo", "kinfocenter", "gnome-system-monitor"});
    // The core keeps paths in the registry's code page; one that has no spelling there
    // cannot be passed on.
    return EncodeCp1251(FromUtf8(found)).value_or(std::string{});
}

std::string PosixLauncher::FindFallbackSystemInfoTool() {
    const char* searchPath = std::getenv("PATH");
    return FindSystemInfoTool(searchPath == nullptr ? "" : searchPath);
}

}  // namespace vornikat
