// SPDX-License-Identifier: MIT
#include "tracing_ports.hpp"

#include <cstdio>

#include "cp1251.hpp"
#include "layout.hpp"
#include "runtime_error.hpp"
#include "text.hpp"

namespace vornikat {
namespace {

std::size_t OptionIndex(ControlId option) {
    const auto index = static_cast<int>(option) - static_cast<int>(ControlId::Ans1);
    if (index < 0 || index > 4) {
        throw RuntimeError(err::kInvalidCall);
    }
    return static_cast<std::size_t>(index);
}

}  // namespace

std::string QuoteJson(std::u16string_view text) {
    std::u16string escaped;
    escaped.reserve(text.size() + 2);
    for (const char16_t c : text) {
        switch (c) {
            case u'"':
                escaped += u"\\\"";
                break;
            case u'\\':
                escaped += u"\\\\";
                break;
            case u'\r':
                escaped += u"\\r";
                break;
            case u'\n':
                escaped += u"\\n";
                break;
            case u'\t':
                escaped += u"\\t";
                break;
            default:
                if (c < 0x20 || (c >= 0x7F && c <= 0x9F)) {
                    char buffer[8];
                    std::snprintf(buffer, sizeof buffer, "\\u%04x", static_cast<unsigned>(c));
                    escaped += AsciiToText(buffer);
                } else {
                    escaped += c;
                }
        }
    }
    std::string quoted = "\"";
    quoted += ToUtf8(escaped);
    quoted += '"';
    return quoted;
}

void TracingPorts::SetCaption(ControlId control, std::u16string_view text) {
    WriteLine(std::string(ControlName(control)) + ".Caption = " + QuoteJson(text));
}

std::int16_t TracingPorts::GetValue(ControlId option) {
    return values_[OptionIndex(option)];
}

void TracingPorts::SetValue(ControlId option, std::int16_t value) {
    const std::size_t index = OptionIndex(option);
    // Selecting one option of the group clears the others.
    if (value != kFalse) {
        values_.fill(kFalse);
    }
    values_[index] = value != kFalse ? kTrue : kFalse;
    WriteLine(std::string(ControlName(option)) + ".Value = " + std::to_string(values_[index]));
}

void TracingPorts::SetFocus(ControlId control) {
    WriteLine(std::string(ControlName(control)) + ".SetFocus");
}

void TracingPorts::SetTimerInterval(std::int32_t milliseconds) {
    interval_ = milliseconds;
    WriteLine("Timer1.Interval = " + std::to_string(milliseconds));
}

int TracingPorts::ShowMessage(std::u16string_view text, int flags) {
    WriteLine("msgbox " + std::to_string(flags) + " " + QuoteJson(text));
    return AnswerBox(flags);
}

void TracingPorts::ShowRuntimeError(const RuntimeError& error) {
    WriteLine("error " + QuoteJson(error.BoxText()));
}

std::optional<std::span<const std::uint8_t>> TracingPorts::LoadResource(std::string_view type,
                                                                        int id) {
    if (type != "SOUNDS") {
        return std::nullopt;
    }
    const auto sound = FindSound(id);
    if (sound) {
        served_[sound->data()] = id;
    }
    return sound;
}

void TracingPorts::PlayWave(std::span<const std::uint8_t> image) {
    const auto found = served_.find(image.data());
    WriteLine("sound " + std::to_string(found != served_.end() ? found->second : 0));
}

bool TracingPorts::StartProgram(std::string_view path) {
    WriteLine("launch " + QuoteJson(DecodeCp1251(path)));
    return CanStart(path);
}

void TracingPorts::EndProgram(ExitStatus status) {
    WriteLine("end");
    endedWith_ = status;
    throw ProgramEnded{status};
}

void TracingPorts::Select(int n) {
    values_.fill(kFalse);
    values_.at(static_cast<std::size_t>(n - 1)) = kTrue;
}

}  // namespace vornikat
