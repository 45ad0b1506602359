// SPDX-License-Identifier: MIT
// Qt's own messages held back while the program finds out whether they matter.
#pragma once

#include <QString>
#include <vector>

namespace vornikat {

// While it lives, Qt's messages are kept instead of printed; when it goes they are passed on to
// the handler that was there before. One lives at a time.
class HeldQtMessages {
  public:
    // A fatal message goes to onFatal, which must not return, rather than being kept.
    explicit HeldQtMessages(void (*onFatal)(const QString& text) = nullptr);
    ~HeldQtMessages();
    HeldQtMessages(const HeldQtMessages&) = delete;
    HeldQtMessages& operator=(const HeldQtMessages&) = delete;

    static std::vector<QString> Texts();
};

}  // namespace vornikat
