// SPDX-License-Identifier: MIT
#include "script_ports.hpp"

#include <iostream>
#include <system_error>

#include "embedded_resources.hpp"
#include "posix_launcher.hpp"
#include "script_input.hpp"

namespace vornikat::script {

void ScriptPorts::WriteLine(std::string_view line) {
    std::cout << line << '\n' << std::flush;
}

std::string ScriptPorts::FindFallbackSystemInfoTool() {
    return FindSystemInfoTool(searchPath_);
}

int ScriptPorts::AnswerBox(int flags) {
    const bool yesNo = (flags & 0x0F) == msgbox::kYesNo;
    for (;;) {
        const auto event = ReadEvent();
        if (!event) {
            throw InputEnded{};
        }
        if (*event == "tick") {
            continue;  // no tick runs while a box waits
        }
        if (yesNo && *event == "yes") {
            return msgbox::kAnswerYes;
        }
        if (yesNo && *event == "no") {
            return msgbox::kAnswerNo;
        }
        if (!yesNo && *event == "ok") {
            return msgbox::kAnswerOk;
        }
        throw ScriptError("\"" + *event + "\" while a message box waits for " +
                          (yesNo ? "yes or no" : "ok"));
    }
}

std::optional<std::span<const std::uint8_t>> ScriptPorts::FindSound(int id) {
    return EmbeddedSound(id);
}

bool ScriptPorts::CanStart(std::string_view path) {
    return IsExecutableFile(NativePath(path));
}

void ScriptFiles::MakeProgramDirectoryCurrent() {
    // A folder that cannot be entered leaves the current one; the bank is read by its full
    // path all the same, and then reported as unreadable.
    std::error_code error;
    if (!programDirectory_.empty()) {
        std::filesystem::current_path(programDirectory_, error);
    }
}

}  // namespace vornikat::script
