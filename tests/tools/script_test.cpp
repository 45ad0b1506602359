// SPDX-License-Identifier: MIT
#include <gtest/gtest.h>
#include <sys/stat.h>

#include "bank_writer.hpp"
#include "fake_ports.hpp"
#include "script_runner.hpp"

namespace vornikat {
namespace {

using testing::RunScript;
using testing::TempDir;
using Lines = std::vector<std::string>;

const std::vector<std::uint8_t> kExample = {
    0x00, 0x00, 0x02, 0x00, 0x00, 0x00, 0x2A, 0x28, 0x94, 0x28, 0xFE, 0x28, 0x01, 0x00,
    0x00, 0x00, 0xE0, 0x01, 0xE4, 0x01, 0x01, 0x00, 0x00, 0x00, 0x10, 0x03, 0x80, 0x03,
    0xFF, 0xFF, 0x00, 0x00, 0xFF, 0xFF, 0x00, 0x00, 0xFF, 0xFF, 0x00, 0x00, 0xEA, 0x00};

// A first run starts with its question; "yes" and "ok" answer it.
const std::string kAnswerFirstRun = "yes\nok\n";
const std::string kFirstRunQuestion = "msgbox 36 \"Вы готовы пройти Ворникат ?\"";
const std::string kGoodLuck = "msgbox 64 \"Желаю удачи :)\"";

const Lines kExampleStart = {kFirstRunQuestion,        kGoodLuck,
                             "Timer1.Interval = 1000", "LblT.Caption = \"1:00\"",
                             "LblC.Caption = \"0/0\"", "LblQ.Caption = \"abc\"",
                             "Ans1.Caption = \"xy\"",  "Ans2.Caption = \"Да\"",
                             "Ans3.Caption = \"\"",    "Ans4.Caption = \"\"",
                             "Ans5.Caption = \"\"",    "LblT.Caption = \"1:00\"",
                             "Ans1.Value = -1"};

Lines Tail(const Lines& lines, std::size_t from) {
    return Lines(lines.begin() + static_cast<long>(std::min(from, lines.size())), lines.end());
}

TEST(VornikatScript, PlaysTheExampleBankToTheEndOfItsQuestion) {
    const TempDir dir;
    dir.Write("data.bin", kExample);
    const auto run =
        RunScript(dir.Path(), kAnswerFirstRun + "# right answer\nselect 3\nclick Nxt\nok\n");
    ASSERT_EQ(run.status, 0);
    ASSERT_GE(run.lines.size(), kExampleStart.size());
    EXPECT_EQ(Lines(run.lines.begin(), run.lines.begin() + kExampleStart.size()), kExampleStart);
    const Lines tail = Tail(run.lines, kExampleStart.size());
    ASSERT_GE(tail.size(), 3U);
    EXPECT_EQ(tail[0], "sound 101");
    EXPECT_EQ(tail[1], "LblC.Caption = \"1/1\"");
    EXPECT_EQ(tail[2], "Timer1.Interval = 0");
    EXPECT_EQ(tail[3].rfind("msgbox 64 \"SUPER, SUPER, SUPER !!!", 0), 0U);
    EXPECT_EQ(tail.back(), "end");
}

TEST(VornikatScript, PlaysSeveralQuestionsThroughClicksAndTimeOuts) {
    const TempDir dir;
    dir.Write("data.bin", testing::MakeBankBytes(3, 2));
    std::string script = kAnswerFirstRun + "select 2\nclick Nxt\n";
    for (int i = 0; i < 62; ++i) {
        script += "tick\n";
    }
    script += "click Nxt\nok\n";
    const auto run = RunScript(dir.Path(), script);
    ASSERT_EQ(run.status, 0);
    const auto count = [&](const std::string& line) {
        return std::count(run.lines.begin(), run.lines.end(), line);
    };
    EXPECT_EQ(count("sound 101"), 1);
    EXPECT_EQ(count("sound 102"), 2);
    EXPECT_EQ(count("LblC.Caption = \"1/2\""), 1);
    EXPECT_EQ(count("LblC.Caption = \"1/3\""), 1);
    EXPECT_EQ(count("LblT.Caption = \"0:00\""), 1);
    EXPECT_EQ(count("Ans1.SetFocus"), 2);
    EXPECT_EQ(count("msgbox 64 \"Не так уж и плохо, очков чуть-чуть ниже сред\\rнего, но ты всё "
                    "равно чайник и немного ламер\""),
              1);
    EXPECT_EQ(run.lines.back(), "end");
}

TEST(VornikatScript, ReportsEndOfInputAndScriptErrors) {
    const TempDir dir;
    dir.Write("data.bin", kExample);
    auto run = RunScript(dir.Path(), kAnswerFirstRun + "tick\n");
    EXPECT_EQ(run.status, 0);
    EXPECT_EQ(run.lines.back(), "eof");

    run = RunScript(dir.Path(), kAnswerFirstRun + "ok\n");
    EXPECT_EQ(run.status, 2);
    EXPECT_EQ(run.lines.back(), "script-error \"\\\"ok\\\" with no message box open\"");

    run = RunScript(dir.Path(), kAnswerFirstRun + "click Nowhere\n");
    EXPECT_EQ(run.status, 2);
    EXPECT_EQ(run.lines.back(), "script-error \"unknown event \\\"click Nowhere\\\"\"");

    run = RunScript(dir.Path(), "ok\n");
    EXPECT_EQ(run.status, 2);
    EXPECT_EQ(run.lines.back().rfind("script-error \"\\\"ok\\\" while a message box waits", 0), 0U);
}

TEST(VornikatScript, AMissingBankShowsItsFailureAndWaitsForOk) {
    const TempDir dir;
    auto run = RunScript(dir.Path(), kAnswerFirstRun);
    EXPECT_EQ(run.status, 0);
    EXPECT_EQ(run.lines, (Lines{kFirstRunQuestion, kGoodLuck,
                                "msgbox 16 \"Файл data.bin повреждён или отсутствует!\\rНевосможно "
                                "продолжить запуск программы!\"",
                                "eof"}));
    run = RunScript(dir.Path(), kAnswerFirstRun + "tick\nok\n");
    EXPECT_EQ(run.lines.back(), "end");
    EXPECT_FALSE(std::filesystem::exists(dir.Path() / "data.bin"));
}

// A FIFO with no writer would block the open, and a folder cannot be read: both fail at once,
// and the tool's own status stays that of a completed script.
TEST(VornikatScript, ADataBinThatIsNoRegularFileFailsAtOnce) {
    const Lines failed = {kFirstRunQuestion, kGoodLuck,
                          "msgbox 16 \"Файл data.bin повреждён или отсутствует!\\rНевосможно "
                          "продолжить запуск программы!\"",
                          "end"};
    const TempDir fifo;
    ASSERT_EQ(::mkfifo((fifo.Path() / "data.bin").c_str(), 0600), 0);
    const auto fromFifo = RunScript(fifo.Path(), kAnswerFirstRun + "ok\n");
    EXPECT_EQ(fromFifo.status, 0);
    EXPECT_EQ(fromFifo.lines, failed);

    const TempDir folder;
    std::filesystem::create_directory(folder.Path() / "data.bin");
    EXPECT_EQ(RunScript(folder.Path(), kAnswerFirstRun + "ok\n").lines, failed);
}

TEST(VornikatScript, EscapesControlCharactersInTexts) {
    QuestionRecord record{u"a\"b\\c\u0001\u0098\tz", {u"1", u"2", u"3", u"4", u"5"}, 1};
    const TempDir dir;
    dir.Write("data.bin", WriteQuestionBank(std::span(&record, 1)));
    const auto run = RunScript(dir.Path(), kAnswerFirstRun);
    EXPECT_EQ(std::count(run.lines.begin(), run.lines.end(),
                         "LblQ.Caption = \"a\\\"b\\\\c\\u0001\\u0098\\tz\""),
              1);
}

TEST(VornikatScript, TheAboutBoxShowsAgainAndStartsTheToolTheRegistryNames) {
    const TempDir dir;
    dir.Write("data.bin", kExample);
    const std::string tool = (dir.Path() / "info tool").string();
    dir.Write("info tool", {'#', '!', '/', 'b', 'i', 'n', '/', 's', 'h', '\n'});
    std::filesystem::permissions(tool, std::filesystem::perms::owner_all);
    const std::string registry =
        "Windows Registry Editor Version 5.00\n\n"
        "[HKEY_LOCAL_MACHINE\\SOFTWARE\\Microsoft\\Shared Tools\\MSINFO]\n"
        "\"PATH\"=\"" +
        tool + "\"\n";
    dir.Write("registry.reg", std::vector<std::uint8_t>(registry.begin(), registry.end()));

    const auto run = RunScript(dir.Path(),
                               kAnswerFirstRun +
                                   "click HelpMe\nclick HelpMe\nclick cmdSysInfo\nclick cmdOK\n"
                                   "click HelpMe\nclick cmdOK\nclick cmdSysInfo\n",
                               {"--registry", (dir.Path() / "registry.reg").string()});
    EXPECT_EQ(run.status, 2);
    EXPECT_EQ(Tail(run.lines, kExampleStart.size()),
              (Lines{"frmHelp.Show", "frmHelp.Show", "launch \"" + tool + "\"", "frmHelp.Unload",
                     "frmHelp.Show", "frmHelp.Unload",
                     "script-error \"click cmdSysInfo with the About box closed\""}));
}

TEST(VornikatScript, WithoutRegistryEntriesTheToolIsLookedForOnPath) {
    const TempDir dir;
    dir.Write("data.bin", kExample);
    const std::vector<std::uint8_t> script = {'#', '!', '/', 'b', 'i', 'n', '/', 's', 'h', '\n'};
    for (const std::string name : {"first/gnome-system-monitor", "second/kinfocenter",
                                   "second/hardinfo2", "relative/hardinfo2"}) {
        std::filesystem::create_directories((dir.Path() / name).parent_path());
        dir.Write(name, script);
        std::filesystem::permissions(dir.Path() / name, std::filesystem::perms::owner_all);
    }
    // A relative entry is never searched; the better tool wins over the earlier folder.
    const std::string searchPath =
        "relative:" + (dir.Path() / "first").string() + ":" + (dir.Path() / "second").string();
    const auto run =
        RunScript(dir.Path(), kAnswerFirstRun + "click HelpMe\nclick cmdSysInfo\n", {}, searchPath);
    EXPECT_EQ(Tail(run.lines, kExampleStart.size()),
              (Lines{"frmHelp.Show",
                     "launch \"" + (dir.Path() / "second/hardinfo2").string() + "\"", "eof"}));
}

TEST(VornikatScript, WithoutTheToolTheAboutBoxSaysItIsUnavailable) {
    const TempDir dir;
    dir.Write("data.bin", kExample);
    const auto run =
        RunScript(dir.Path(), kAnswerFirstRun + "click HelpMe\nclick cmdSysInfo\nok\n");
    EXPECT_EQ(Tail(run.lines, kExampleStart.size()),
              (Lines{"frmHelp.Show", "msgbox 0 \"System Information Is Unavailable At This Time\"",
                     "eof"}));
}

}  // namespace
}  // namespace vornikat
