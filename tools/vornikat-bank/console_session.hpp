// SPDX-License-Identifier: MIT
// The terminal the tool speaks to, for the length of a run. On Windows: standard output and
// error that are a console get the tool's UTF-8 as UTF-16 text, which the console shows right
// whatever its code page and font; redirected, they stay UTF-8 bytes. A console made for this
// run alone (a file dropped on the program, a double click) waits for a key before it closes
// with the program. Elsewhere nothing needs doing.
#pragma once

#include <string>
#include <vector>

#ifdef _WIN32
#include <functional>
#include <memory>
#include <streambuf>
#include <string_view>
#endif

namespace vornikat::banktool {

#ifdef _WIN32
// A stream's UTF-8 written on as UTF-16, whole characters only: a character whose bytes come
// in two writes is held back until its last byte, since a console shows each half as a wrong
// character of its own.
class Utf16Output : public std::streambuf {
  public:
    using Write = std::function<bool(std::wstring_view)>;
    explicit Utf16Output(Write write);
    ~Utf16Output() override;

  protected:
    int_type overflow(int_type c) override;
    std::streamsize xsputn(const char* bytes, std::streamsize count) override;
    int sync() override;

  private:
    bool WriteWholeCharacters(bool evenSplitOnes);

    Write write_;
    std::string pending_;
};
#endif

class ConsoleSession {
  public:
    ConsoleSession();
    ConsoleSession(const ConsoleSession&) = delete;
    ConsoleSession& operator=(const ConsoleSession&) = delete;
    ~ConsoleSession();

  private:
    unsigned int outputCodePage_ = 0;
#ifdef _WIN32
    std::unique_ptr<Utf16Output> out_;
    std::unique_ptr<Utf16Output> err_;
    std::streambuf* savedOut_ = nullptr;
    std::streambuf* savedErr_ = nullptr;
#endif
};

// The command line as UTF-8: on Windows read in UTF-16 from the system, whatever the ANSI code
// page; elsewhere the bytes as they are.
std::vector<std::string> ReadArguments(int argc, char** argv);

}  // namespace vornikat::banktool
