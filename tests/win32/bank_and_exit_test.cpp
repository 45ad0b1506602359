// SPDX-License-Identifier: MIT
// Vornikat.exe under Wine: the bank it plays (beside it, or named on its command line) and the
// exit status each way out leaves for whoever started it.
#include <gtest/gtest.h>

#include <fstream>
#include <string>
#include <vector>

#include "bank_writer.hpp"
#include "program_driver.hpp"

namespace vornikat::win32test {
namespace {

constexpr wchar_t kFailure[] =
    L"Файл data.bin повреждён или отсутствует!\rНевосможно продолжить запуск программы!";

// A bank of one question with this text.
std::vector<std::uint8_t> OneQuestion(const std::u16string& question) {
    std::vector<QuestionRecord> records(1);
    records[0].question = question;
    for (std::size_t k = 0; k < 5; ++k) {
        records[0].options[k] = u"Ответ " + std::u16string(1, u'1' + k);
    }
    records[0].rightOption = 1;
    return WriteQuestionBank(records);
}

class BankAndExitStatus : public ::testing::Test {
  protected:
    void SetUp() override { DeleteScoreKeys(); }
    void TearDown() override { DeleteScoreKeys(); }

    static void Press(const RunningProgram& program, std::wstring_view text, int button) {
        const HWND box = program.WaitForMessageBox();
        ASSERT_NE(box, nullptr) << "no message box";
        EXPECT_EQ(MessageText(box), text);
        ASSERT_TRUE(Answer(box, button));
    }

    static HWND StartPlaying(const RunningProgram& program) {
        Press(program, L"Вы готовы пройти Ворникат ?", IDYES);
        Press(program, L"Желаю удачи :)", IDOK);
        return program.WaitForMain();
    }

    // The failure path of an unreadable bank, with no window shown, and status 1.
    static void ExpectFailure(const RunningProgram& program) {
        Press(program, L"Вы готовы пройти Ворникат ?", IDYES);
        Press(program, L"Желаю удачи :)", IDOK);
        Press(program, kFailure, IDOK);
        ASSERT_TRUE(program.WaitForExit());
        EXPECT_EQ(program.ExitCode(), 1U);
    }
};

TEST_F(BankAndExitStatus, EveryEndButAFailureReportsSuccess) {
    {
        RunningProgram declined(OneQuestion(u"Вопрос"));
        Press(declined, L"Вы готовы пройти Ворникат ?", IDNO);
        Press(declined, L"Значит вы ламер :)", IDOK);
        ASSERT_TRUE(declined.WaitForExit());
        EXPECT_EQ(declined.ExitCode(), 0U);
    }
    RunningProgram left(OneQuestion(u"Вопрос"));
    const HWND main = StartPlaying(left);
    ASSERT_NE(main, nullptr);
    Click(ChildWithText(main, L"Выход"));
    Press(left, L"Пока, загляни сюда ещё как-нибудь!", IDOK);
    ASSERT_TRUE(left.WaitForExit());
    EXPECT_EQ(left.ExitCode(), 0U);
}

TEST_F(BankAndExitStatus, ABrokenDataBinEndsWithFailure) {
    ExpectFailure(RunningProgram(std::vector<std::uint8_t>{0xFF, 0xFF}));
}

TEST_F(BankAndExitStatus, ABankNamedOnTheCommandLineIsFoundFromTheStartFolder) {
    const auto start = FreshFolder();
    const auto bank = OneQuestion(u"Вопрос из моего банка");
    std::ofstream(start / L"мой банк.bin", std::ios::binary)
        .write(reinterpret_cast<const char*>(bank.data()),
               static_cast<std::streamsize>(bank.size()));
    {
        RunningProgram program(
            Launch{OneQuestion(u"Вопрос рядом"), L"\"мой банк.bin\"", start, {}});
        const HWND main = StartPlaying(program);
        ASSERT_NE(main, nullptr);
        EXPECT_NE(ChildWithText(main, L"Вопрос из моего банка"), nullptr);
        EXPECT_EQ(ChildWithText(main, L"Вопрос рядом"), nullptr);
    }
    std::filesystem::remove_all(start);
}

// Only a file on a disk is read: a folder or a device fails at once, as a broken bank does.
TEST_F(BankAndExitStatus, ABankThatIsNoDiskFileFails) {
    const auto folder = FreshFolder();
    ExpectFailure(
        RunningProgram(Launch{OneQuestion(u"Вопрос"), L"\"" + folder.wstring() + L"\"", {}, {}}));
    ExpectFailure(RunningProgram(Launch{OneQuestion(u"Вопрос"), L"NUL", {}, {}}));
    std::filesystem::remove_all(folder);
}

}  // namespace
}  // namespace vornikat::win32test
