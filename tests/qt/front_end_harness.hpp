// SPDX-License-Identifier: MIT
// The desktop front-end over test doubles: the bank and the sounds from FakePorts, a registry
// file of the test's own, programs started for real.
#pragma once

#include <QDialog>
#include <QTimer>
#include <QWidget>
#include <memory>

#include "box_closer.hpp"
#include "fake_ports.hpp"
#include "file_registry.hpp"
#include "front_end.hpp"
#include "posix_file_system.hpp"
#include "posix_launcher.hpp"

namespace vornikat::testing {

// The bank served from memory; every other file question goes to the real file system.
class BankFiles final : public PosixFileSystem {
  public:
    explicit BankFiles(FakePorts& fakes) : fakes_(fakes) {}
    void MakeProgramDirectoryCurrent() override {}
    std::unique_ptr<ByteSource> OpenForReading(std::string_view name) override {
        return fakes_.OpenForReading(name);
    }

  private:
    FakePorts& fakes_;
};

// Ends the test run loudly: these suites never expect the program to end.
class UnexpectedEnd final : public ProcessPort {
  public:
    [[noreturn]] void EndProgram(ExitStatus status) override;
};

class FrontEndHarness {
  public:
    // A new registry file, a bank of the given size and the front-end, not yet started.
    explicit FrontEndHarness(ProcessPort& process, int questions = 3);
    FrontEndHarness(const FrontEndHarness&) = delete;
    FrontEndHarness& operator=(const FrontEndHarness&) = delete;
    ~FrontEndHarness();

    // Starts as a new user who agrees to play, and waits for Main to come up.
    void StartAndPlay();

    MainWindow& Main() { return frontEnd->Main(); }
    template <typename Widget = QWidget>
    Widget& Control(const char* name) {
        auto* widget = Main().findChild<Widget*>(name);
        if (widget == nullptr) {
            qFatal("Main has no control %s", name);
        }
        return *widget;
    }
    // Clicks HelpMe and gives the About box it shows.
    QDialog& OpenAboutBox();
    // Every box that came was one the test expected, and none is left open.
    void VerifyBoxesSettled();
    QTimer& Timer1() { return Control<QTimer>("Timer1"); }
    QString Caption(const char* name);
    // The effects on the test doubles since the last call (the sounds played).
    QStringList TakeTrace();

    FakePorts fakes;
    BankFiles files{fakes};
    std::filesystem::path registryFile;
    FileRegistry registry;
    PosixLauncher launcher;
    BoxCloser boxes;
    std::unique_ptr<FrontEnd> frontEnd;
};

}  // namespace vornikat::testing
