// SPDX-License-Identifier: MIT
// The program's run-time error: the one failure that leaves a handler and ends the program.
#pragma once

#include <stdexcept>
#include <string>

namespace vornikat {

namespace err {
inline constexpr int kInvalidCall = 5;
inline constexpr int kOverflow = 6;
inline constexpr int kOutOfMemory = 7;
inline constexpr int kSubscriptOutOfRange = 9;
inline constexpr int kDivisionByZero = 11;
inline constexpr int kFileNotFound = 53;
inline constexpr int kInputPastEnd = 62;
inline constexpr int kFileAccess = 75;
inline constexpr int kResourceNotFound = 326;
}  // namespace err

class RuntimeError : public std::runtime_error {
  public:
    // detail fills the placeholder of messages that name something, such as a resource id.
    explicit RuntimeError(int number, const std::string& detail = {});

    int Number() const { return number_; }
    // The name of the error in Russian, as the user sees it.
    const std::u16string& Description() const { return description_; }
    // The text of the default handling's box: the number, then the name.
    std::u16string BoxText() const;

  private:
    int number_;
    std::u16string description_;
};

}  // namespace vornikat
