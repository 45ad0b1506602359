// SPDX-License-Identifier: MIT
// The desktop program's command line: vornikat [--help] [--version] [BANK].
#pragma once

#include <QStringList>
#include <filesystem>

namespace vornikat {

// The program's name and its desktop entry's, which docks and task bars match its windows to.
void NameApplication();

// --help, --help-all and --version print their text and end the program before any window
// platform is opened, so they work without a display; anything else returns.
void AnswerInformationRequests(int argc, char** argv);

// The bank this run plays, from the arguments left once the application object has taken
// Qt's own: BANK as a full path from the folder the program was started in, else the first
// of the places the program looks in; empty when there is none. A wrong command line says
// why and ends the program.
std::filesystem::path ReadBankArgument(const QStringList& arguments);

}  // namespace vornikat
