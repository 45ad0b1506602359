// SPDX-License-Identifier: MIT
#include "front_end.hpp"

namespace vornikat {

FrontEnd::FrontEnd(const Services& services)
    : body_(Ports{main_, dialogs_, services.resources, services.sound, services.files,
                  services.registry, services.launcher, services.process}),
      help_(body_) {
    main_.Attach(body_, help_);
    dialogs_.SetMainWindow(main_);
}

void FrontEnd::Start() {
    body_.OnLoad();
    main_.Load();
    main_.show();
    // The window that comes up as the greeting boxes go takes the focus at once, Ans1 in it: a
    // window manager may leave the focus nowhere, and a screen reader then says nothing.
    main_.activateWindow();
}

}  // namespace vornikat
