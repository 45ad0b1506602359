// SPDX-License-Identifier: MIT
// Leaving the program before the test is over.
#include "body.hpp"

namespace vornikat {

void Body::QuitProgram() {
    ports_.window.SetTimerInterval(0);
    ShowMessage(u"Пока, загляни сюда ещё как-нибудь!", msgbox::kInformation | msgbox::kOkOnly);
    ports_.process.EndProgram(ExitStatus::Success);
}

void Body::UnloadMain(std::int16_t& cancel) {
    cancel = 1;
    QuitProgram();
}

}  // namespace vornikat
