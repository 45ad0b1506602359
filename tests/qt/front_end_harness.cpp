#include "front_end_harness.hpp"

#include <QLabel>
#include <QRadioButton>
#include <QTest>
#include <filesystem>

#include "posix_file_system.hpp"
#include "registry_location.hpp"

namespace vornikat::testing {
namespace {

std::filesystem::path FreshRegistryFile() {
    std::filesystem::remove(DefaultRegistryFile());
    return DefaultRegistryFile();
}

}  // namespace

bool BankFiles::FileExists(std::string_view path) {
    return PosixFileSystem().FileExists(path);
}

void UnexpectedEnd::EndProgram() {
    qFatal("the program ended, which this test does not expect");
}

FrontEndHarness::FrontEndHarness(ProcessPort& process, int questions)
    : registry(FreshRegistryFile()) {
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
