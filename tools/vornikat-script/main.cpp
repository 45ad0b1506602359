// SPDX-License-Identifier: MIT
// vornikat-script: runs the quiz against a script of user events read from standard input
// and prints every effect the program has on its windows, one per line.
#include <cstdlib>
#include <filesystem>
#include <iostream>
#include <memory>
#include <optional>
#include <string>
#include <string_view>

#include "bank_location.hpp"
#include "body.hpp"
#include "file_registry.hpp"
#include "memory_registry.hpp"
#include "script_input.hpp"
#include "script_ports.hpp"
#include "terminal_text.hpp"
#include "text.hpp"

namespace vs = vornikat::script;

namespace {

struct Options {
    std::optional<std::string> directory;  // as given
    std::filesystem::path registryFile;
};

constexpr std::string_view kUsage = "usage: vornikat-script --dir DIR [--registry FILE]\n";

bool ParseOptions(int argc, char** argv, Options& options) {
    for (int i = 1; i < argc; ++i) {
        const std::string_view arg = argv[i];
        if (arg == "--dir" && i + 1 < argc) {
            options.directory = argv[++i];
        } else if (arg == "--registry" && i + 1 < argc && argv[i + 1][0] != '\0') {
            // Resolved now, before the start-up changes the current directory.
            options.registryFile = vornikat::NamedBankPath(argv[++i]);
        } else {
            return false;
        }
    }
    return options.directory.has_value();
}

int ParseOption(const std::string& event) {
    const std::string_view prefix = "select ";
    if (event.size() != prefix.size() + 1 || event.compare(0, prefix.size(), prefix) != 0 ||
        event.back() < '1' || event.back() > '5') {
        return 0;
    }
    return event.back() - '0';
}

// The About box: one object for the run, shown again at each click on HelpMe.
class AboutBox {
  public:
    AboutBox(vornikat::Body& body, vs::ScriptPorts& ports) : body_(body), ports_(ports) {}

    void Show() {
        body_.RunGuarded([this] {
            open_ = true;
            ports_.WriteLine("frmHelp.Show");
        });
    }
    void ClickOk() {
        RequireOpen("cmdOK");
        open_ = false;
        ports_.WriteLine("frmHelp.Unload");
    }
    void ClickSysInfo() {
        RequireOpen("cmdSysInfo");
        body_.OnSysInfoClick();
    }

  private:
    void RequireOpen(const std::string& control) const {
        if (!open_) {
            throw vs::ScriptError("click " + control + " with the About box closed");
        }
    }

    vornikat::Body& body_;
    vs::ScriptPorts& ports_;
    bool open_ = false;
};

void RunEvents(vornikat::Body& body, vs::ScriptPorts& ports) {
    AboutBox about(body, ports);
    body.OnLoad();
    while (const auto event = vs::ReadEvent()) {
        if (*event == "tick") {
            if (ports.TimerInterval() != 0) {
                body.OnTimerTick();
            }
        } else if (const int option = ParseOption(*event); option != 0) {
            ports.Select(option);
        } else if (*event == "click Nxt") {
            body.OnNxtClick();
        } else if (*event == "click Exit") {
            body.OnExitClick();
        } else if (*event == "click HelpMe") {
            about.Show();
        } else if (*event == "click cmdOK") {
            about.ClickOk();
        } else if (*event == "click cmdSysInfo") {
            about.ClickSysInfo();
        } else if (*event == "close") {
            std::int16_t cancel = 0;
            body.OnCloseRequest(cancel);
        } else if (*event == "yes" || *event == "no" || *event == "ok") {
            throw vs::ScriptError("\"" + *event + "\" with no message box open");
        } else {
            throw vs::ScriptError("unknown event \"" + *event + "\"");
        }
    }
    throw vs::InputEnded{};
}

}  // namespace

int main(int argc, char** argv) {
    Options options;
    if (!ParseOptions(argc, argv, options)) {
        std::cerr << kUsage;
        return 2;
    }
    const char* searchPath = std::getenv("PATH");
    vs::ScriptPorts ports(searchPath == nullptr ? "" : searchPath);
    // The bank is DIR/data.bin, whatever the current folder; an empty DIR names no folder.
    const std::filesystem::path folder = vornikat::NamedBankPath(*options.directory);
    vs::ScriptFiles files(folder, folder.empty() ? folder : folder / "data.bin",
                          "vornikat-script: no readable question bank data.bin in the folder " +
                              vornikat::QuoteForTerminal(*options.directory));
    // Without a store file the run starts from an empty registry and leaves nothing behind.
    std::unique_ptr<vornikat::RegistryPort> registry;
    if (options.registryFile.empty()) {
        registry = std::make_unique<vornikat::MemoryRegistry>();
    } else {
        registry = std::make_unique<vornikat::FileRegistry>(options.registryFile);
    }
    vornikat::Body body(
        vornikat::Ports{ports, ports, ports, ports, files, *registry, ports, ports});
    try {
        RunEvents(body, ports);
    } catch (const vornikat::ProgramEnded&) {
        // The tool's own exit status keeps its meaning: the script ran to the program's end.
        return 0;
    } catch (const vs::InputEnded&) {
        ports.WriteLine("eof");
        return 0;
    } catch (const vs::ScriptError& error) {
        ports.WriteLine("script-error " + vornikat::QuoteJson(vornikat::FromUtf8(error.what())));
        return 2;
    }
    return 0;
}
