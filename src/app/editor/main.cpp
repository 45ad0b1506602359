// SPDX-License-Identifier: MIT
// vornikat-editor: writes question banks, showing each question as the quiz window will.
#include <QApplication>
#include <QCommandLineParser>
#include <memory>
#include <optional>

#include "display_check.hpp"
#include "editor_application.hpp"
#include "editor_window.hpp"

int main(int argc, char** argv) {
    using namespace vornikat::editor;
    vornikat::AnswerInformationRequests(
        argc, argv, [](QCoreApplication& application, QCommandLineParser& parser) {
            PrepareEditorApplication(application);
            DescribeEditorCommandLine(parser);
        });
    auto opening = std::make_unique<vornikat::DisplayOpening>();
    QApplication application(argc, argv);
    opening.reset();
    SetUpEditorApplication(application);
    const auto file = ReadEditorCommandLine(argc, argv);

    EditorWindow window;
    window.show();
    if (file) {
        window.OpenFile(*file);
    }
    return QApplication::exec();
}
