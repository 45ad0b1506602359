// SPDX-License-Identifier: MIT
#include "front_end_harness.hpp"

#include <QApplication>
#include <QCoreApplication>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QRegularExpression>
#include <QTest>
#include <filesystem>

namespace vornikat::testing {
namespace {

// A store of the test's own in the build tree, never the user's: one per test program and
// test function, since the suites run side by side.
std::filesystem::path FreshRegistryFile() {
    const char* function = QTest::currentTestFunction();
    const std::filesystem::path file =
        std::filesystem::path(VORNIKAT_QT_TEST_STORE) /
        QCoreApplication::applicationName().toStdString() /
        (std::string(function != nullptr ? function : "suite") + ".reg");
    std::filesystem::remove(file);
    return file;
}

}  // namespace

void UnexpectedEnd::EndProgram(ExitStatus /*status*/) {
    qFatal("the program ended, which this test does not expect");
}

FrontEndHarness::FrontEndHarness(ProcessPort& process, int questions)
    : registryFile(FreshRegistryFile()), registry(registryFile) {
    // The program says nothing on stderr in a normal run: any warning it causes fails the
    // test, but for those of a test platform that cannot raise or size windows.
    QTest::failOnWarning(QRegularExpression(QStringLiteral("^(?!This plugin does not support )")));
    fakes.files["data.bin"] = MakeBankBytes(questions, 2);
    frontEnd =
        std::make_unique<FrontEnd>(Services{fakes, fakes, files, registry, launcher, process});
    boxes.Watch(&frontEnd->Main());
}

void FrontEndHarness::StartAndPlay() {
    boxes.Answer(QMessageBox::Yes);
    boxes.Answer(QMessageBox::Ok);
    frontEnd->Start();
    QVERIFY(QTest::qWaitForWindowExposed(&Main()));
}

QDialog& FrontEndHarness::OpenAboutBox() {
    QTest::mouseClick(&Control<QPushButton>("HelpMe"), Qt::LeftButton);
    QDialog* box = frontEnd->Help().Window();
    if (box == nullptr) {
        qFatal("HelpMe showed no About box");
    }
    return *box;
}

FrontEndHarness::~FrontEndHarness() {
    // Qt 6.4's Wayland client can free a window's buffer on its event thread while the window
    // destroys it, and abort: the windows are hidden, and the compositor's release of their
    // buffers taken in, before they go.
    if (QGuiApplication::platformName() == QStringLiteral("wayland")) {
        for (QWidget* window : QApplication::topLevelWidgets()) {
            window->hide();
        }
        QTest::qWait(100);
    }
}

void FrontEndHarness::VerifyBoxesSettled() {
    QCOMPARE(boxes.unexpected, 0);
    QVERIFY(boxes.Idle());
}

QString FrontEndHarness::Caption(const char* name) {
    QWidget& widget = Control(name);
    if (auto* label = qobject_cast<QLabel*>(&widget)) {
        return label->text();
    }
    return static_cast<QAbstractButton&>(widget).text();
}

QStringList FrontEndHarness::TakeTrace() {
    QStringList lines;
    for (const std::string& line : fakes.TakeTrace()) {
        lines += QString::fromStdString(line);
    }
    return lines;
}

}  // namespace vornikat::testing
