// SPDX-License-Identifier: MIT
#include "front_end.hpp"

namespace vornikat {

FrontEnd::FrontEnd(const Services& services)
    : body_(Ports{main_, dialogs_, services.resources, services.sound, services.files,
                  services.registry, services.launcher, services.process}),
      help_(body_) {
    main_.Attach(body_, help_);
}

void FrontEnd::Start() {
    body_.OnLoad();
    main_.show();
}

}  // namespace vornikat
