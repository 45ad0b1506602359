// SPDX-License-Identifier: MIT
#include "command_line.hpp"

#include <QCommandLineParser>
#include <QCoreApplication>
#include <QFile>
#include <QGuiApplication>

#include "bank_location.hpp"
#include "posix_file_system.hpp"
#include "xdg_folders.hpp"

namespace vornikat {
namespace {

std::vector<std::filesystem::path> BankPlacesOfThisProgram() {
    return BankPlaces(ProgramFolder(), VORNIKAT_INSTALLED_DATA);
}

QString Description() {
    const auto folder = ProgramFolder();
    const auto data = XdgFolder("XDG_DATA_HOME", ".local/share");
    QString text = QStringLiteral(
        "Vornikat, a quiz about computers.\n\n"
        "It plays the question bank BANK, or else the first of these that exists:\n");
    for (const auto& place : BankPlacesOfThisProgram()) {
        const char* role = "the bank installed with the program";
        if (place == folder / "data.bin") {
            role = "beside the program";
        } else if (data && place == *data / "vornikat" / "data.bin") {
            role = "your own bank: vornikat-bank build questions.txt -o this file";
        }
        text += QStringLiteral("  ") + QFile::decodeName(place.c_str()) +
                QStringLiteral("\n    (") + QString::fromUtf8(role) + QStringLiteral(")\n");
    }
    text.chop(1);
    return text;
}

}  // namespace

void DescribeCommandLine(QCommandLineParser& parser) {
    NameApplication();
    QCoreApplication::setApplicationVersion(QStringLiteral(VORNIKAT_VERSION));
    parser.setApplicationDescription(Description());
    // A bank named "-dash.bin" is reported as one unknown option, not as its letters.
    parser.setSingleDashWordOptionMode(QCommandLineParser::ParseAsLongOptions);
    parser.addHelpOption();
    parser.addVersionOption();
    parser.addPositionalArgument(QStringLiteral("BANK"),
                                 QStringLiteral("The question bank to play, a file made by "
                                                "vornikat-bank."),
                                 QStringLiteral("[BANK]"));
}

void NameApplication() {
    // The class of the windows (WM_CLASS) on X11; the desktop entry's StartupWMClass says it.
    QCoreApplication::setApplicationName(QStringLiteral("vornikat"));
    // The desktop entry's name: Wayland compositors and docks match the window to it.
    QGuiApplication::setDesktopFileName(QStringLiteral("org.example.vornikat"));
}

ChosenBank ChooseBank(int argc, char** argv) {
    QCommandLineParser parser;
    DescribeCommandLine(parser);
    parser.process(QCoreApplication::arguments());
    if (parser.positionalArguments().size() > 1) {
        parser.showHelp(2);
    }
    // The name is taken from the bytes given, not from Qt's decoded text, so that a name
    // that is not UTF-8 still names its file.
    bool optionsEnded = false;
    for (int i = 1; i < argc; ++i) {
        const std::string_view argument = argv[i];
        if (!optionsEnded && argument == "--") {
            optionsEnded = true;
        } else if (optionsEnded || argument.empty() || argument.front() != '-' || argument == "-") {
            return {NamedBankPath(argument), UnreadableBankLine("vornikat", argument)};
        }
    }
    const auto places = BankPlacesOfThisProgram();
    return {FindBank(places), NoBankLine("vornikat", places)};
}

}  // namespace vornikat
