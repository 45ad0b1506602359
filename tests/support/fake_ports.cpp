// SPDX-License-Identifier: MIT
#include "fake_ports.hpp"

#include <algorithm>
#include <stdexcept>

#include "bank_writer.hpp"
#include "file_source.hpp"
#include "text.hpp"

namespace vornikat::testing {
namespace {

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

void FakePorts::MakeProgramDirectoryCurrent() {
    trace.emplace_back("chdir");
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

int FakePorts::AnswerBox(int /*flags*/) {
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

std::optional<std::span<const std::uint8_t>> FakePorts::FindSound(int id) {
    if (!soundsPresent) {
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

bool FakePorts::CanStart(std::string_view path) {
    return std::find(startablePrograms.begin(), startablePrograms.end(), path) !=
           startablePrograms.end();
}

Ports FakePorts::AllPorts() {
    return Ports{*this, *this, *this, *this, *this, registry, *this, *this};
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
