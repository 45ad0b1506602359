// SPDX-License-Identifier: MIT
// The desktop program's windows joined to the quiz core: Main, the About box and the boxes.
#pragma once

#include "body.hpp"
#include "help_box.hpp"
#include "main_window.hpp"
#include "message_boxes.hpp"

namespace vornikat {

// The ports that are not windows of the front-end.
struct Services {
    ResourcePort& resources;
    SoundPort& sound;
    FileSystemPort& files;
    RegistryPort& registry;
    LauncherPort& launcher;
    ProcessPort& process;
};

class FrontEnd {
  public:
    explicit FrontEnd(const Services& services);
    FrontEnd(const FrontEnd&) = delete;
    FrontEnd& operator=(const FrontEnd&) = delete;

    // Main's load: the start-up sequence runs with no window on the screen, and the window
    // comes up with the first question in place.
    void Start();

    MainWindow& Main() { return main_; }
    HelpBox& Help() { return help_; }
    Body& Quiz() { return body_; }

  private:
    QtDialogs dialogs_;
    MainWindow main_;
    Body body_;
    HelpBox help_;
};

}  // namespace vornikat
