// SPDX-License-Identifier: MIT
// first_map: starts a program on the X display and prints the milliseconds from its fork to the
// first of its windows mapped (a MapNotify on the root window, which without a window manager
// is the program's own map), then kills it. Usage: first_map PROGRAM [ARGUMENT...]
#include <poll.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>
#include <xcb/xcb.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <memory>

namespace {

using Clock = std::chrono::steady_clock;
constexpr auto kPatience = std::chrono::seconds(20);

// Waits for a map of a top-level window; false when the program mapped none in time.
bool WaitForMap(xcb_connection_t* connection, xcb_window_t root, Clock::time_point deadline) {
    pollfd watched{xcb_get_file_descriptor(connection), POLLIN, 0};
    for (;;) {
        while (const std::unique_ptr<xcb_generic_event_t, decltype(&std::free)> event{
            xcb_poll_for_event(connection), &std::free}) {
            if ((event->response_type & 0x7F) == XCB_MAP_NOTIFY &&
                reinterpret_cast<const xcb_map_notify_event_t*>(event.get())->event == root) {
                return true;
            }
        }
        if (xcb_connection_has_error(connection) != 0) {
            return false;
        }
        const auto left =
            std::chrono::duration_cast<std::chrono::milliseconds>(deadline - Clock::now());
        if (left.count() <= 0 || poll(&watched, 1, static_cast<int>(left.count())) < 0) {
            return false;
        }
    }
}

}  // namespace

int main(int argc, char** argv) {
    if (argc < 2) {
        std::fprintf(stderr, "usage: first_map PROGRAM [ARGUMENT...]\n");
        return 2;
    }
    xcb_connection_t* connection = xcb_connect(nullptr, nullptr);
    if (xcb_connection_has_error(connection) != 0) {
        std::fprintf(stderr, "first_map: cannot open the display\n");
        return 1;
    }
    const xcb_window_t root = xcb_setup_roots_iterator(xcb_get_setup(connection)).data->root;
    const std::uint32_t mask = XCB_EVENT_MASK_SUBSTRUCTURE_NOTIFY;
    if (std::unique_ptr<xcb_generic_error_t, decltype(&std::free)> error{
            xcb_request_check(connection, xcb_change_window_attributes_checked(
                                              connection, root, XCB_CW_EVENT_MASK, &mask)),
            &std::free}) {
        std::fprintf(stderr, "first_map: cannot watch the root window\n");
        return 1;
    }

    const auto started = Clock::now();
    const pid_t child = fork();
    if (child == 0) {
        execvp(argv[1], argv + 1);
        std::perror("first_map: exec");
        _exit(127);
    }
    const bool mapped = WaitForMap(connection, root, started + kPatience);
    const auto took = Clock::now() - started;
    kill(child, SIGKILL);
    waitpid(child, nullptr, 0);
    xcb_disconnect(connection);
    if (!mapped) {
        std::fprintf(stderr, "first_map: %s mapped no window\n", argv[1]);
        return 1;
    }
    std::printf("%.1f\n", std::chrono::duration<double, std::milli>(took).count());
    return 0;
}
