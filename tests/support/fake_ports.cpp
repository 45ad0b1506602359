#include "fake_ports.hpp"

#include <algorithm>
#include <stdexcept>

#include "bank_writer.hpp"
#include "file_source.hpp"
#include "runtime_error.hpp"
#include "text.hpp"

namespace vornikat::testing {
namespace {

const char* Name(ControlId control) {
    constexpr const char* kNames[] = {"LblQ", "LblC", "LblT", "Ans1",
                                      "Ans2", "Ans3", "Ans4", "Ans5"};
    return kNames[static_cast<int>(control)];
}

std::size_t OptionIndex(ControlId option) {
    return static_cast<std::size_t>(static_cast<int>(option) - static_cast<int>(ControlId::Ans1));
}

// Plain UTF-8 in quotes, a carriage return shown as \r: enough to compare traces.
std::string Quote(std::u16string_view text) {
    std::string out = "\"";
    for (const char c : ToUtf8(text)) {
        out += c == '\r' ? std::string("\\r") : std::string(1, c);
    }
    return out + "\"";
}

class OwnedSource : public ByteSource {
  public:
    explicit OwnedSource(std::vector<std::uint8_t> bytes)
        : bytes_(std::move(bytes)), source_(bytes_) {}
    std::size_t Read(std::uint8_t* buffer, std::size_t size) override {
        return source_.Read(buffer, size);
    }

  private:
    std::vector<std::uint8_t> bytes_;
    MemorySource source_;
};

}  // namespace

FakePorts::FakePorts() = default;

void FakePorts::SetCaption(ControlId control, std::u16string_view text) {
    trace.push_back(std::string(Name(control)) + ".Caption = " + Quote(text));
}

std::int16_t FakePorts::GetValue(ControlId option) {
    return values.at(OptionIndex(option));
}

void FakePorts::SetValue(ControlId option, std::int16_t value) {
    if (value != kFalse) {
        values.fill(kFalse);
    }
    values.at(OptionIndex(option)) = value != kFalse ? kTrue : kFalse;
    trace.push_back(std::string(Name(option)) + ".Value = " + std::to_string(value));
}

void FakePorts::SetFocus(ControlId control) {
    trace.push_back(std::string(Name(control)) + ".SetFocus");
}

void FakePorts::SetTimerInterval(std::int32_t milliseconds) {
    timerInterval = milliseconds;
    trace.push_back("Timer1.Interval = " + std::to_string(milliseconds));
}

int FakePorts::ShowMessage(std::u16string_view text, int flags) {
    trace.push_back("msgbox " + std::to_string(flags) + " " + Quote(text));
    if (whileBoxOpen) {
        whileBoxOpen();
    }
    if (answers.empty()) {
        throw std::logic_error("a message box was shown with no answer queued: " + trace.back());
    }
    const int answer = answers.front();
    answers.pop_front();
    return answer;
}

void FakePorts::ShowRuntimeError(const RuntimeError& error) {
    trace.push_back("error " + Quote(error.BoxText()));
}

std::optional<std::span<const std::uint8_t>> FakePorts::LoadResource(std::string_view type,
                                                                     int id) {
    if (!soundsPresent || type != "SOUNDS") {
        return std::nullopt;
    }
    if (id == 101) {
        return std::span<const std::uint8_t>(sound101_);
    }
    if (id == 102) {
        return std::span<const std::uint8_t>(sound102_);
    }
    return std::nullopt;
}

void FakePorts::PlayWave(std::span<const std::uint8_t> image) {
    trace.push_back(image.data() == sound101_.data() ? "sound 101" : "sound 102");
}

void FakePorts::MakeProgramDirectoryCurrent() {
    trace.push_back("chdir");
}

std::unique_ptr<ByteSource> FakePorts::OpenForReading(std::string_view name) {
    const auto found = files.find(std::string(name));
    if (found == files.end()) {
        return nullptr;
    }
    return std::make_unique<OwnedSource>(found->second);
}

bool FakePorts::FileExists(std::string_view path) {
    return std::find(existingPaths.begin(), existingPaths.end(), path) != existingPaths.end();
}

bool FakePorts::StartProgram(std::string_view path) {
    trace.push_back("launch \"" + std::string(path) + "\"");
    return std::find(startablePrograms.begin(), startablePrograms.end(), path) !=
           startablePrograms.end();
}

void FakePorts::EndProgram(ExitStatus status) {
    trace.push_back("end");
    exitStatus = status;
    throw ProgramEnded{};
}

Ports FakePorts::AllPorts() {
    return Ports{*this, *this, *this, *this, *this, registry, *this, *this};
}

void FakePorts::Select(int n) {
    values.fill(kFalse);
    values.at(static_cast<std::size_t>(n - 1)) = kTrue;
}

std::vector<std::string> FakePorts::TakeTrace() {
    std::vector<std::string> taken;
    taken.swap(trace);
    return taken;
}

std::vector<std::uint8_t> MakeBankBytes(int questions, std::int16_t rightOption) {
    std::vector<QuestionRecord> records;
    for (int i = 0; i < questions; ++i) {
        QuestionRecord record;
        const std::u16string n = IntToText(i + 1);
        record.question = u"Вопрос " + n;
        for (int option = 0; option < 5; ++option) {
            record.options[static_cast<std::size_t>(option)] =
                u"Ответ " + n + u"." + IntToText(option + 1);
        }
        record.rightOption = rightOption;
        records.push_back(record);
    }
    return WriteQuestionBank(records);
}

}  // namespace vornikat::testing
