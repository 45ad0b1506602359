// SPDX-License-Identifier: MIT
#include "editor_application.hpp"

#include <QApplication>
#include <QCommandLineParser>

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
    // A box's «Отмена» beside the editor's «Сохранить как…», not "Cancel", and the file dialog's
    // dates and sizes in Russian, whatever the system's language.
    const QLocale russian(QLocale::Russian, QLocale::Russia);
    QLocale::setDefault(russian);
    InstallQtTranslations(application, russian);
}

void DescribeEditorCommandLine(QCommandLineParser& parser) {
    parser.setApplicationDescription(
        QStringLiteral("Редактор банков вопросов Ворниката: Aiken-текст и data.bin."));
    parser.addHelpOption();
    parser.addVersionOption();
    parser.addPositionalArgument(QStringLiteral("FILE"),
                                 QStringLiteral("банк, который открыть: текст Aiken или data.bin"),
                                 QStringLiteral("[FILE]"));
}

void SetUpEditorApplication(QApplication& application) {
    PrepareEditorApplication(application);
    AddClassicFonts();
    QApplication::setWindowIcon(ProgramIcon());
}

}  // namespace vornikat::editor
