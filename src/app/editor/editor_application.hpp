// SPDX-License-Identifier: MIT
// The editor as an application: its names for the desktop and the settings, its command line,
// its fonts and icon, and Qt's own words in Russian on any system, since every other word of
// the editor is Russian.
#pragma once

#include <QString>
#include <filesystem>
#include <optional>

class QApplication;
class QCommandLineParser;
class QCoreApplication;

namespace vornikat::editor {

// The names and Qt's words: all that its command line needs, with a display or without one.
void PrepareEditorApplication(QCoreApplication& application);
// [FILE], --help and --version.
void DescribeEditorCommandLine(QCommandLineParser& parser);
// The file named on the command line (argv's own bytes, whatever their encoding), or none; a
// wrong command line says why on standard error and ends the program.
// Qt's own options already taken out by QApplication.
std::optional<std::filesystem::path> ReadEditorCommandLine(int argc, char** argv);
// Everything the editor's windows need of the application.
void SetUpEditorApplication(QApplication& application);

}  // namespace vornikat::editor
