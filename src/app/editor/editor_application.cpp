// SPDX-License-Identifier: MIT
#include "editor_application.hpp"

#include <QApplication>
#include <QCommandLineParser>
#include <QFile>
#include <cstdio>
#include <cstdlib>

#include "fonts.hpp"
#include "program_icon.hpp"
#include "translations.hpp"

namespace vornikat::editor {

void PrepareEditorApplication(QCoreApplication& application) {
    QCoreApplication::setApplicationName(QStringLiteral("vornikat-editor"));
    QCoreApplication::setOrganizationName(QStringLiteral("vornikat"));
    QCoreApplication::setApplicationVersion(QStringLiteral(VORNIKAT_VERSION));
    // The desktop entry's name: Wayland compositors match the window to it.
    QGuiApplication::setDesktopFileName(QStringLiteral("org.example.vornikat.editor"));
    // A box's «Отмена» beside the editor's «Сохранить как…», not "Cancel", whatever the system's
    // language. (The file dialog's dates and sizes follow the system: Qt's file model reads
    // them in its locale.)
    InstallQtTranslations(application, QLocale(QLocale::Russian, QLocale::Russia));
}

void DescribeEditorCommandLine(QCommandLineParser& parser) {
    parser.setApplicationDescription(
        QStringLiteral("Редактор банков вопросов Ворниката: Aiken-текст и data.bin."));
    // A name such as "-draft.txt" is said to be one unknown option, not seven of its letters.
    parser.setSingleDashWordOptionMode(QCommandLineParser::ParseAsLongOptions);
    parser.addHelpOption();
    parser.addVersionOption();
    parser.addPositionalArgument(QStringLiteral("FILE"),
                                 QStringLiteral("банк, который открыть: текст Aiken или data.bin"),
                                 QStringLiteral("[FILE]"));
}

std::optional<std::filesystem::path> ReadEditorCommandLine(int argc, char** argv) {
    QStringList arguments;
    for (int k = 0; k < argc; ++k) {
        arguments.append(QFile::decodeName(argv[k]));
    }
    QCommandLineParser parser;
    DescribeEditorCommandLine(parser);
    const QStringList files =
        parser.parse(arguments) ? parser.positionalArguments() : QStringList();
    QString problem;
    if (!parser.errorText().isEmpty()) {
        // Qt's own words, as a clause of this line.
        problem = parser.errorText();
        if (problem.endsWith('.')) {
            problem.chop(1);
        }
        problem += QStringLiteral("; имя файла, которое начинается с «-», пишут после «--»");
    } else if (files.size() > 1) {
        problem = QStringLiteral("открывается один файл, а дано %1").arg(files.size());
    }
    if (!problem.isEmpty()) {
        std::fprintf(stderr, "vornikat-editor: %s\n", qPrintable(problem));
        std::exit(2);
    }
    // What is left is --help or --version, answered here when a display was there after all.
    parser.process(arguments);
    if (files.isEmpty()) {
        return std::nullopt;
    }
    // Qt's text of a name not in UTF-8 names no file: the name is the argument's own bytes,
    // the last argument that Qt reads as the same text.
    for (int k = argc - 1; k > 0; --k) {
        if (QFile::decodeName(argv[k]) == files.constFirst()) {
            return std::filesystem::path(argv[k]);
        }
    }
    return std::filesystem::path(QFile::encodeName(files.constFirst()).toStdString());
}

void SetUpEditorApplication(QApplication& application) {
    PrepareEditorApplication(application);
    AddClassicFonts();
    QApplication::setWindowIcon(ProgramIcon());
}

}  // namespace vornikat::editor
