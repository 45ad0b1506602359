#include "script_ports.hpp"

#include <filesystem>
#include <string>

#include "cp1251.hpp"
#include "embedded_sounds.hpp"
#include "layout.hpp"
#include "posix_file_system.hpp"
#include "posix_launcher.hpp"
#include "runtime_error.hpp"
#include "script_input.hpp"
#include "text.hpp"
#include "trace.hpp"

namespace vornikat::script {
namespace {

std::size_t OptionIndex(ControlId option) {
    const auto index = static_cast<int>(option) - static_cast<int>(ControlId::Ans1);
    if (index < 0 || index > 4) {
        throw RuntimeError(err::kInvalidCall);
    }
    return static_cast<std::size_t>(index);
}

}  // namespace

void ScriptWindow::SetCaption(ControlId control, std::u16string_view text) {
    Emit(std::string(ControlName(control)) + ".Caption = " + QuoteJson(text));
}

std::int16_t ScriptWindow::GetValue(ControlId option) {
    return values_[OptionIndex(option)];
}

void ScriptWindow::SetValue(ControlId option, std::int16_t value) {
    const std::size_t index = OptionIndex(option);
    // Selecting one option of the group clears the others.
    if (value != kFalse) {
        values_.fill(kFalse);
    }
    values_[index] = value != kFalse ? kTrue : kFalse;
    Emit(std::string(ControlName(option)) + ".Value = " + std::to_string(values_[index]));
}

void ScriptWindow::SetFocus(ControlId control) {
    Emit(std::string(ControlName(control)) + ".SetFocus");
}

void ScriptWindow::SetTimerInterval(std::int32_t milliseconds) {
    interval_ = milliseconds;
    Emit("Timer1.Interval = " + std::to_string(milliseconds));
}

void ScriptWindow::Select(int n) {
    values_.fill(kFalse);
    values_[static_cast<std::size_t>(n - 1)] = kTrue;
}

int ScriptDialogs::ShowMessage(std::u16string_view text, int flags) {
    Emit("msgbox " + std::to_string(flags) + " " + QuoteJson(text));
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

void ScriptDialogs::ShowRuntimeError(const RuntimeError& error) {
    Emit("error " + QuoteJson(error.BoxText()));
}

std::optional<std::span<const std::uint8_t>> ScriptResources::LoadResource(std::string_view type,
                                                                           int id) {
    if (type != "SOUNDS") {
        return std::nullopt;
    }
    const auto sound = EmbeddedSound(id);
    if (sound) {
        served_[sound->data()] = id;
    }
    return sound;
}

void ScriptResources::PlayWave(std::span<const std::uint8_t> image) {
    const auto found = served_.find(image.data());
    Emit("sound " + std::to_string(found != served_.end() ? found->second : 0));
}

void ScriptFiles::MakeProgramDirectoryCurrent() {
    std::filesystem::current_path(programDirectory_);
}

bool ScriptLauncher::StartProgram(std::string_view path) {
    // Nothing is started: the trace names the program, and it counts as started when it
    // could have been.
    Emit("launch " + QuoteJson(DecodeCp1251(path)));
    return IsExecutableFile(NativePath(path));
}

void ScriptProcess::EndProgram(ExitStatus /*status*/) {
    Emit("end");
    throw ProgramEnded{};
}

}  // namespace vornikat::script
