// SPDX-License-Identifier: MIT
// vornikat: the desktop quiz, playing the bank named on its command line or the one it finds.
#include <QApplication>
#include <QCommandLineParser>
#include <memory>

#include "bare_buttons_style.hpp"
#include "command_line.hpp"
#include "display_check.hpp"
#include "embedded_resources.hpp"
#include "first_window.hpp"
#include "front_end.hpp"
#include "posix_file_system.hpp"
#include "posix_launcher.hpp"
#include "program_icon.hpp"
#include "qt_process.hpp"
#include "registry_location.hpp"
#include "sound_output.hpp"
#include "translations.hpp"

int main(int argc, char** argv) {
    using namespace vornikat;
    AnswerInformationRequests(argc, argv, [](QCoreApplication&, QCommandLineParser& parser) {
        DescribeCommandLine(parser);
    });
    // The store and the bank are worked out before the start-up changes the current folder.
    const auto registry = OpenDefaultStore();
    auto opening = std::make_unique<DisplayOpening>();
    QApplication application(argc, argv);
    opening.reset();
    NameApplication();
    const ChosenBank bank = ChooseBank(argc, argv);
    // The program ends only through its own way out, never because a window closed.
    QApplication::setQuitOnLastWindowClosed(false);
    InstallQtTranslations(application);
    QApplication::setStyle(new BareButtonsStyle);
    QApplication::setWindowIcon(ProgramIcon());

    QtProcess process;
    EmbeddedResources resources;
    auto sound = std::make_unique<PulseSoundOutput>();
    PosixFileSystem files(bank.file, bank.unreadable);
    PosixLauncher launcher;
    auto frontEnd = std::make_unique<FrontEnd>(
        Services{resources, *sound, files, *registry, launcher, process});
    // Main and the sound server's client are made ready once the first window (a greeting box)
    // is up, not before it.
    RunWhenFirstWindowShown([&frontEnd, &sound] {
        if (frontEnd) {
            frontEnd->Main().Load();
            sound->LoadClient(*EmbeddedSound(101));
        }
    });
    // The windows go before the sound output, and that before the application object.
    process.SetTeardown([&frontEnd, &sound] {
        frontEnd.reset();
        sound.reset();
    });
    frontEnd->Start();
    QApplication::exec();
    process.EndProgram(ExitStatus::Success);
}
