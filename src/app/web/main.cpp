// SPDX-License-Identifier: MIT
// The entry points the page's script calls: one game (the ports and its Body) at a time, its
// events and the designs. A game ends by ProgramEnd, thrown out of Body by the end
// of the program, and the next game starts afresh with "play again" or a dropped bank.
#include <emscripten.h>

#include <memory>
#include <string>

#include "body.hpp"
#include "design_json.hpp"
#include "embedded_resources.hpp"
#include "layout.hpp"
#include "page_boundary.hpp"
#include "page_ports.hpp"
#include "storage_registry.hpp"

namespace vornikat {
namespace {

class Game {
  public:
    Body& Quiz() { return body_; }

  private:
    PageWindow window_;
    PageDialogs dialogs_;
    EmbeddedResources resources_;
    PageSound sound_;
    PageFiles files_;
    PageLauncher launcher_;
    PageProcess process_;
    // Read afresh for each game: a score stored since, in this tab or another, greets it.
    StorageRegistry registry_;
    Body body_{
        Ports{window_, dialogs_, resources_, sound_, files_, registry_, launcher_, process_}};
};

std::unique_ptr<Game> game;

template <typename Event>
void Run(Event event) {
    if (!game) {
        return;
    }
    try {
        event(game->Quiz());
    } catch (const ProgramEnd&) {
        game.reset();
    }
}

}  // namespace
}  // namespace vornikat

using vornikat::Body;

extern "C" {

EMSCRIPTEN_KEEPALIVE const char* vk_design(int help) {
    static std::string json;
    json = vornikat::DesignToJson(help != 0 ? vornikat::HelpDesign() : vornikat::MainDesign());
    return json.c_str();
}

// 1 when the game goes on after its start-up, 0 when it ended there.
EMSCRIPTEN_KEEPALIVE int vk_start() {
    vornikat::game = std::make_unique<vornikat::Game>();
    vornikat::Run([](Body& body) { body.OnLoad(); });
    return vornikat::game ? 1 : 0;
}

EMSCRIPTEN_KEEPALIVE void vk_next() {
    vornikat::Run([](Body& body) { body.OnNxtClick(); });
}

EMSCRIPTEN_KEEPALIVE void vk_tick() {
    vornikat::Run([](Body& body) { body.OnTimerTick(); });
}

EMSCRIPTEN_KEEPALIVE void vk_exit() {
    vornikat::Run([](Body& body) { body.OnExitClick(); });
}

EMSCRIPTEN_KEEPALIVE void vk_close() {
    vornikat::Run([](Body& body) {
        std::int16_t cancel = 0;
        body.OnCloseRequest(cancel);
    });
}

EMSCRIPTEN_KEEPALIVE void vk_sysinfo() {
    vornikat::Run([](Body& body) { body.OnSysInfoClick(); });
}

}  // extern "C"
