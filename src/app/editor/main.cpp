// SPDX-License-Identifier: MIT
// vornikat-editor: writes question banks, showing each question as the quiz window will.
#include <QApplication>
#include <QCommandLineParser>
#include <memory>

#include "display_check.hpp"

#include "editor_window.hpp"
#include "fonts.hpp"
#include "program_icon.hpp"
#include "translations.hpp"

int main(int argc, char** argv) {
    auto opening = std::make_unique<vornikat::DisplayOpening>();
    QApplication application(argc, argv);
    opening.reset();
    QApplication::setApplicationName(QStringLiteral("vornikat-editor"));
    QApplication::setOrganizationName(QStringLiteral("vornikat"));
    // The desktop entry's name: Wayland compositors match the window to it.
    QApplication::setDesktopFileName(QStringLiteral("org.example.vornikat.editor"));
    vornikat::InstallQtTranslations(application);
    vornikat::AddClassicFonts();
    QApplication::setWindowIcon(vornikat::ProgramIcon());

    QCommandLineParser options;
    options.setApplicationDescription(
        QStringLiteral("Редактор банков вопросов Ворниката: Aiken-текст и data.bin."));
    options.addHelpOption();
    options.addPositionalArgument(QStringLiteral("FILE"),
                                  QStringLiteral("банк, который открыть: текст Aiken или data.bin"),
                                  QStringLiteral("[FILE]"));
    options.process(application);

    vornikat::editor::EditorWindow window;
    window.show();
    if (!options.positionalArguments().isEmpty()) {
        window.OpenFile(options.positionalArguments().constFirst());
    }
    return QApplication::exec();
}
