// SPDX-License-Identifier: MIT
#include "body.hpp"

#include <new>

#include "runtime_error.hpp"

namespace vornikat {

void Body::RunGuarded(const std::function<void()>& handler) {
    struct DepthScope {
        int& depth;
        explicit DepthScope(int& d) : depth(d) { ++depth; }
        ~DepthScope() { --depth; }
        DepthScope(const DepthScope&) = delete;
        DepthScope& operator=(const DepthScope&) = delete;
    } scope(handlerDepth_);
    try {
        handler();
    } catch (const RuntimeError& error) {
        ports_.dialogs.ShowRuntimeError(error);
        ports_.process.EndProgram(ExitStatus::Failure);
    } catch (const std::bad_alloc&) {
        ports_.dialogs.ShowRuntimeError(RuntimeError(err::kOutOfMemory));
        ports_.process.EndProgram(ExitStatus::Failure);
    }
}

void Body::OnLoad() {
    RunGuarded([this] { StartUp(); });
}

void Body::OnNxtClick() {
    RunGuarded([this] { AcceptAnswer(); });
}

void Body::OnTimerTick() {
    if (HandlerRunning()) {
        return;
    }
    RunGuarded([this] { TickTimer(); });
}

void Body::OnExitClick() {
    RunGuarded([this] { QuitProgram(); });
}

void Body::OnCloseRequest(std::int16_t& cancel) {
    RunGuarded([this, &cancel] { UnloadMain(cancel); });
}

void Body::OnSysInfoClick() {
    RunGuarded([this] { StartSysInfo(); });
}

int Body::ShowMessage(std::u16string_view text, int flags) {
    return ports_.dialogs.ShowMessage(text, flags);
}

}  // namespace vornikat
