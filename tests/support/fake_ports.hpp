// SPDX-License-Identifier: MIT
// Test doubles for every port: the tracing ports of vornikat-script with the trace gathered
// in a vector and message boxes answered from a queue, files in memory, and a registry in
// memory.
#pragma once

#include <array>
#include <deque>
#include <functional>
#include <map>
#include <string>
#include <vector>

#include "body.hpp"
#include "memory_registry.hpp"
#include "ports.hpp"
#include "tracing_ports.hpp"

namespace vornikat::testing {

using vornikat::ProgramEnded;

class FakePorts : public TracingPorts, public FileSystemPort {
  public:
    void WriteLine(std::string_view line) override { trace.emplace_back(line); }
    // FileSystemPort
    void MakeProgramDirectoryCurrent() override;
    std::unique_ptr<ByteSource> OpenForReading(std::string_view name) override;
    bool FileExists(std::string_view path) override;
    void ReportUnreadableFile(std::string_view name) override {
        unreadableFiles.emplace_back(name);
    }
    // LauncherPort
    std::string FindFallbackSystemInfoTool() override { return fallbackTool; }
    char PathSeparator() const override { return '\\'; }

    Ports AllPorts();

    // Takes the trace gathered so far and starts a new one.
    std::vector<std::string> TakeTrace();

    std::vector<std::string> trace;
    std::deque<int> answers;  // answers for the boxes to come; a box with none left fails
    std::function<void()> whileBoxOpen;  // runs inside every box, as a nested event loop would
    std::map<std::string, std::vector<std::uint8_t>> files;
    std::vector<std::string> existingPaths;
    std::vector<std::string> unreadableFiles;  // the names reported as unreadable
    std::vector<std::string> startablePrograms;
    std::string fallbackTool;
    bool soundsPresent = true;
    MemoryRegistry registry;

  protected:
    int AnswerBox(int flags) override;
    std::optional<std::span<const std::uint8_t>> FindSound(int id) override;
    bool CanStart(std::string_view path) override;

  private:
    std::array<std::uint8_t, 4> sound101_{};
    std::array<std::uint8_t, 4> sound102_{};
};

// A bank of n questions "Вопрос i" with options "Ответ i.k", all with the same right option.
std::vector<std::uint8_t> MakeBankBytes(int questions, std::int16_t rightOption = 1);

}  // namespace vornikat::testing
