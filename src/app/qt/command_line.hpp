// SPDX-License-Identifier: MIT
// The desktop program's command line: vornikat [--help] [--version] [BANK].
#pragma once

#include <filesystem>
#include <string>

class QCommandLineParser;

namespace vornikat {

// The program's name and its desktop entry's, which docks and task bars match its windows to.
void NameApplication();

// The quiz's names, description and options, for --help and for the bank named.
void DescribeCommandLine(QCommandLineParser& parser);

// The bank a run plays (empty when there is none to read), and the line for standard error
// that tells why, should it fail to load.
struct ChosenBank {
    std::filesystem::path file;
    std::string unreadable;
};

// The bank this run plays, from the arguments left once the application object has taken
// Qt's own: BANK, its bytes as given, as a full path from the folder the program was started
// in, else the first of the places the program looks in. A wrong command line says why and
// ends the program.
ChosenBank ChooseBank(int argc, char** argv);

}  // namespace vornikat
