// SPDX-License-Identifier: MIT
#include "display_check.hpp"

#include <QByteArray>
#include <QCommandLineParser>
#include <QCoreApplication>
#include <QString>
#include <QtGlobal>
#include <cerrno>
#include <cstdio>
#include <cstdlib>

namespace vornikat {
namespace {

bool IsSet(const char* name) {
    const char* value = std::getenv(name);
    return value != nullptr && *value != '\0';
}

// Qt ends the program when its window platform cannot start: say why in our own words.
// Without any display that is all there is to say; otherwise Qt's own messages name the
// cause (a display that refuses us, a missing plugin or library), so they go first.
[[noreturn]] void ReportPlatformFailure(const QString& text) {
    if (!IsSet("QT_QPA_PLATFORM") && !IsSet("DISPLAY") && !IsSet("WAYLAND_DISPLAY")) {
        // The name it was started by: the quiz and the bank editor both open windows.
        std::fprintf(stderr,
                     "%s: no display to open the window on (DISPLAY is not set); start it "
                     "from a desktop session, or under xvfb-run\n",
                     program_invocation_short_name);
    } else {
        for (const QString& message : HeldQtMessages::Texts()) {
            std::fprintf(stderr, "%s\n", qPrintable(message));
        }
        std::fprintf(stderr, "%s: cannot open the window: %s\n", program_invocation_short_name,
                     qPrintable(text));
    }
    std::_Exit(EXIT_FAILURE);
}

}  // namespace

DisplayOpening::DisplayOpening() : messages_(ReportPlatformFailure) {}

DisplayOpening::~DisplayOpening() = default;

void AnswerInformationRequests(int argc, char** argv, const CommandLineDescription& describe) {
    bool asked = false;
    for (int i = 1; i < argc; ++i) {
        const QByteArray argument = argv[i];
        if (argument == "--") {
            break;
        }
        asked = asked || argument == "-h" || argument == "--help" || argument == "--help-all" ||
                argument == "-v" || argument == "--version";
    }
    if (!asked) {
        return;
    }
    // The parser prints through an application object; this one opens no window platform.
    QCoreApplication application(argc, argv);
    QCommandLineParser parser;
    describe(application, parser);
    parser.process(application);
}

}  // namespace vornikat
