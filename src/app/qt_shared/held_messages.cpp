// SPDX-License-Identifier: MIT
#include "held_messages.hpp"

#include <QtGlobal>
#include <utility>

namespace vornikat {
namespace {

// The context's texts point into constant data of the program and its libraries.
struct HeldMessage {
    QtMsgType type;
    const char* file;
    int line;
    const char* function;
    const char* category;
    QString text;
};

QtMessageHandler passOn = nullptr;
void (*fatalHandler)(const QString&) = nullptr;
std::vector<HeldMessage> held;

void HoldMessage(QtMsgType type, const QMessageLogContext& context, const QString& text) {
    if (type == QtFatalMsg && fatalHandler != nullptr) {
        fatalHandler(text);
    }
    held.push_back(
        HeldMessage{type, context.file, context.line, context.function, context.category, text});
}

}  // namespace

HeldQtMessages::HeldQtMessages(void (*onFatal)(const QString& text)) {
    fatalHandler = onFatal;
    passOn = qInstallMessageHandler(HoldMessage);
}

HeldQtMessages::~HeldQtMessages() {
    qInstallMessageHandler(passOn);
    fatalHandler = nullptr;
    for (const HeldMessage& message : std::exchange(held, {})) {
        const QMessageLogContext context(message.file, message.line, message.function,
                                         message.category);
        qt_message_output(message.type, context, message.text);
    }
}

std::vector<QString> HeldQtMessages::Texts() {
    std::vector<QString> texts;
    for (const HeldMessage& message : held) {
        texts.push_back(message.text);
    }
    return texts;
}

}  // namespace vornikat
