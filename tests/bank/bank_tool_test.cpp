// SPDX-License-Identifier: MIT
#include <gtest/gtest.h>
#include <sys/stat.h>

#include <algorithm>

#include <filesystem>
#include <fstream>
#include <initializer_list>
#include <iterator>

#include "bank_writer.hpp"
#include "cp1251.hpp"
#include "run_bank_tool.hpp"
#include "script_runner.hpp"
#include "text.hpp"

namespace vornikat {
namespace {

namespace fs = std::filesystem;
using testing::RunBankTool;
using testing::TempDir;
using Bytes = std::vector<std::uint8_t>;

Bytes Units(std::initializer_list<int> units) {
    Bytes bytes;
    for (const int u : units) {
        bytes.push_back(static_cast<std::uint8_t>(u & 0xFF));
        bytes.push_back(static_cast<std::uint8_t>((u >> 8) & 0xFF));
    }
    return bytes;
}

Bytes Join(std::initializer_list<Bytes> parts) {
    Bytes all;
    for (const auto& part : parts) {
        all.insert(all.end(), part.begin(), part.end());
    }
    return all;
}

Bytes ReadBytes(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    return Bytes(std::istreambuf_iterator<char>(in), {});
}

void WriteText(const fs::path& path, const std::string& text) {
    std::ofstream(path, std::ios::binary) << text;
}

std::vector<std::string> Files(const fs::path& dir) {
    std::vector<std::string> names;
    for (const auto& entry : fs::directory_iterator(dir)) {
        names.push_back(entry.path().filename().string());
    }
    std::sort(names.begin(), names.end());
    return names;
}

// One question with an option record built from the given units, everything else empty.
Bytes BankWithOption(std::initializer_list<int> optionRecord, int rightUnit = 78) {
    return Join({Units({0, -1, 0}), Units(optionRecord), Units({-1, 0, -1, 0, -1, 0, -1, 0}),
                 Units({rightUnit})});
}

const std::string kSource =
    "Сколько бит в байте?\nA) 8\nB) Сколько влезет\nC)\nD) 16, если байт упитанный\nE) "
    "Ни одного\nANSWER: A\n\nА в килобайте?\nA) 1000 или 1024\nB) 0\nC) 1\nD) 2\nE) 3\nANSWER: A\n";

TEST(BankTool, BuildsABankThatDumpsAndChecksBack) {
    const TempDir dir;
    const fs::path source = dir.Path() / "questions.txt";
    const fs::path bank = dir.Path() / "data.bin";
    WriteText(source, kSource);
    WriteText(bank, "an older bank");

    const auto build = RunBankTool({"build", source.string(), "-o", bank.string()});
    EXPECT_EQ(build.status, 0);
    EXPECT_EQ(build.out + build.err, "");
    const std::vector<QuestionRecord> expected = {
        {u"Сколько бит в байте?",
         {u"8", u"Сколько влезет", u"", u"16, если байт упитанный", u"Ни одного"},
         1},
        {u"А в килобайте?", {u"1000 или 1024", u"0", u"1", u"2", u"3"}, 1}};
    EXPECT_EQ(ReadBytes(bank), WriteQuestionBank(expected));
    EXPECT_EQ(Files(dir.Path()), (std::vector<std::string>{"data.bin", "questions.txt"}));

    const auto dump = RunBankTool({"dump", bank.string()});
    EXPECT_EQ(dump.status, 0);
    EXPECT_EQ(dump.out, kSource);
    EXPECT_EQ(dump.err, "");

    const auto check = RunBankTool({"check", bank.string()});
    EXPECT_EQ(check.status, 0);
    EXPECT_EQ(check.out, bank.string() + ": 2 questions\n");
    EXPECT_EQ(check.err, "");
}

TEST(BankTool, ABuildWithErrorsReportsThemAllAndWritesNothing) {
    const TempDir dir;
    const fs::path source = dir.Path() / "bad.txt";
    const fs::path bank = dir.Path() / "data.bin";
    WriteText(source, "Вопрос\nА) раз\nB) два\nC) три\nD) четыре\nANSWER: Z\n");
    WriteText(bank, "an older bank");

    const auto build = RunBankTool({"build", source.string(), "-o", bank.string()});
    EXPECT_EQ(build.status, 1);
    EXPECT_EQ(build.out, "");
    const std::string file = source.string();
    EXPECT_EQ(build.err,
              file + ":6:1: error: the question on line 1 has 4 options; it needs five, A to E\n" +
                  file +
                  ":6:9: error: the answer \"Z\" names none of this question's five options\n" +
                  bank.string() + ": not written\n");
    EXPECT_EQ(ReadBytes(bank),
              (Bytes{'a', 'n', ' ', 'o', 'l', 'd', 'e', 'r', ' ', 'b', 'a', 'n', 'k'}));
    EXPECT_EQ(Files(dir.Path()), (std::vector<std::string>{"bad.txt", "data.bin"}));

    const auto missing = RunBankTool({"build", (dir.Path() / "none.txt").string(), "-o", "x"});
    EXPECT_EQ(missing.status, 1);
    EXPECT_NE(missing.err.find("none.txt: error: cannot read: "), std::string::npos);

    WriteText(source, kSource);
    // A folder that cannot be made, under a file, is said in one line.
    const fs::path nowhere = source / "no" / "data.bin";
    const auto refused = RunBankTool({"build", source.string(), "-o", nowhere.string()});
    EXPECT_EQ(refused.status, 1);
    EXPECT_EQ(refused.err,
              nowhere.string() + ": error: its folder cannot be made: Not a directory\n");
}

TEST(BankTool, BuildWarnsAboutTextsThatMayNotFitAndCanRefuseThem) {
    const TempDir dir;
    const fs::path source = dir.Path() / "long.txt";
    const fs::path bank = dir.Path() / "data.bin";
    WriteText(source,
              "Q\nA) a\nB) Вызывает системного администратора и его кота\nC)\nD)\nE)\n"
              "ANSWER: A\n");
    const auto warned = RunBankTool({"build", source.string(), "-o", bank.string()});
    EXPECT_EQ(warned.status, 0);
    EXPECT_NE(warned.err.find(source.string() + ":3:4: warning: option B is about"),
              std::string::npos);
    EXPECT_TRUE(fs::exists(bank));
    fs::remove(bank);
    const auto refused =
        RunBankTool({"build", "--require-fit", source.string(), "-o", bank.string()});
    EXPECT_EQ(refused.status, 1);
    EXPECT_NE(refused.err.find(":3:4: error: option B is about"), std::string::npos);
    EXPECT_FALSE(fs::exists(bank));
}

TEST(BankTool, CheckRefusesWhatTheQuizRefusesAndSaysWhere) {
    const Bytes example =
        WriteQuestionBank(std::vector<QuestionRecord>{{u"abc", {u"xy", u"Да", u"", u"", u""}, 3}});
    Bytes header32767 = Units({32767});
    for (int i = 0; i < 32768; ++i) {
        const Bytes empty = Units({-1, 0});
        header32767.insert(header32767.end(), empty.begin(), empty.end());
    }
    const struct {
        Bytes bytes;
        std::string reason;
    } cases[] = {
        {{}, "at byte 0: the file ends too early"},
        {Units({-1}), "at byte 0: the question count field is negative (-1)"},
        {BankWithOption({32766}),
         "at byte 6: the text length field 32766 is too large (at most 32765)"},
        {BankWithOption({1, 0, 4, -3}),
         "at byte 12: the unit -3 decodes to the code -1, outside 0..255"},
        {Units({0, 0, 27083}), "at byte 4: the unit 27083 decodes to the code 256, outside 0..255"},
        {Bytes(example.begin(), example.end() - 1), "at byte 40: the file ends too early"},
        {header32767,
         "at byte " + std::to_string(header32767.size()) + ": a bank cannot hold 32768 questions"},
    };
    const TempDir dir;
    const fs::path bank = dir.Path() / "data.bin";
    for (const auto& c : cases) {
        dir.Write("data.bin", c.bytes);
        const auto check = RunBankTool({"check", bank.string()});
        EXPECT_EQ(check.status, 1) << c.reason;
        EXPECT_EQ(check.out, "");
        EXPECT_EQ(check.err,
                  bank.string() + ": error: " + c.reason + "; the quiz refuses this bank\n");
        const auto dump = RunBankTool({"dump", bank.string()});
        EXPECT_EQ(dump.status, 1);
        EXPECT_EQ(dump.out, "");
        EXPECT_EQ(dump.err, check.err);
    }
    const auto missing = RunBankTool({"check", (dir.Path() / "none.bin").string()});
    EXPECT_EQ(missing.status, 1);
    EXPECT_NE(missing.err.find("none.bin: error: cannot open: "), std::string::npos);
}

// Every command opens its file through the programs' one opener: nothing but a regular file is
// read, and nothing is waited on.
TEST(BankTool, FilesThatAreNotRegularAreRefusedInOneLineAtOnce) {
    const TempDir dir;
    const fs::path fifo = dir.Path() / "pipe";
    ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
    fs::create_symlink(dir.Path() / "nowhere", dir.Path() / "dangling");
    const struct {
        fs::path file;
        std::string why;
    } cases[] = {
        {dir.Path(), "a folder, not a bank file"},
        {fifo, "a named pipe, not a bank file"},
        {"/dev/zero", "a device, not a bank file"},
        {dir.Path() / "dangling", "a symbolic link that leads nowhere"},
    };
    for (const auto& c : cases) {
        for (const char* command : {"check", "dump"}) {
            const auto run = RunBankTool({command, c.file.string()});
            EXPECT_EQ(run.status, 1) << command << " " << c.file;
            EXPECT_NE(run.err.find(c.file.string() + ": error: cannot open: " + c.why),
                      std::string::npos)
                << run.err;
            EXPECT_EQ(std::count(run.err.begin(), run.err.end(), '\n'), 1);
        }
        const auto build =
            RunBankTool({"build", c.file.string(), "-o", (dir.Path() / "out.bin").string()});
        EXPECT_EQ(build.status, 1);
        EXPECT_NE(build.err.find(c.why), std::string::npos) << build.err;
        EXPECT_FALSE(fs::exists(dir.Path() / "out.bin"));
    }
}

// What the author keeps (a read-only bank, through a link too) and a loop of links are left as
// they are, with one line and a failure, whoever runs the tool.
TEST(BankTool, OutputsThatMustNotBeReplacedAreRefusedInOneLine) {
    const TempDir dir;
    const fs::path source = dir.Path() / "q.txt";
    WriteText(source, kSource);
    const fs::path kept = dir.Path() / "kept.bin";
    WriteText(kept, "the author's own");
    fs::permissions(kept, fs::perms::owner_read | fs::perms::group_read | fs::perms::others_read);
    fs::create_symlink(kept, dir.Path() / "to-kept.bin");
    fs::create_symlink(dir.Path() / "b.bin", dir.Path() / "a.bin");
    fs::create_symlink(dir.Path() / "a.bin", dir.Path() / "b.bin");
    const struct {
        fs::path output;
        std::string why;
    } cases[] = {
        {kept, "read-only, and it is not replaced"},
        {dir.Path() / "to-kept.bin", "read-only, and it is not replaced"},
        {dir.Path() / "a.bin", "a loop of symbolic links stands at that name"},
    };
    for (const auto& c : cases) {
        const auto run = RunBankTool({"build", source.string(), "-o", c.output.string()});
        EXPECT_EQ(run.status, 1) << c.output;
        EXPECT_NE(run.err.find(c.output.string() + ": error: " + c.why), std::string::npos)
            << run.err;
        EXPECT_EQ(std::count(run.err.begin(), run.err.end(), '\n'), 1) << run.err;
    }
    // Nor is the source text itself, under its own name or another's.
    fs::create_symlink(source, dir.Path() / "q-link.bin");
    for (const fs::path& output : {source, dir.Path() / "q-link.bin"}) {
        const auto run = RunBankTool({"build", source.string(), "-o", output.string()});
        EXPECT_EQ(run.status, 1);
        EXPECT_NE(run.err.find("it is SOURCE.txt itself, and it is not replaced"),
                  std::string::npos)
            << run.err;
    }
    std::ifstream text(source);
    EXPECT_EQ(std::string(std::istreambuf_iterator<char>(text), {}), kSource);
    fs::remove(dir.Path() / "q-link.bin");
    const std::string own = "the author's own";
    EXPECT_EQ(ReadBytes(kept), Bytes(own.begin(), own.end()));
    EXPECT_TRUE(fs::is_symlink(dir.Path() / "a.bin") && fs::is_symlink(dir.Path() / "to-kept.bin"));
    EXPECT_EQ(Files(dir.Path()),
              (std::vector<std::string>{"a.bin", "b.bin", "kept.bin", "q.txt", "to-kept.bin"}));
}

// What killed builds of a bank left beside it goes with the next build of it; what is not a
// leftover of that bank stays. An empty name is a usage error.
TEST(BankTool, ABuildClearsWhatKilledBuildsLeftAndNamesAnEmptyName) {
    const TempDir dir;
    const fs::path source = dir.Path() / "q.txt";
    WriteText(source, kSource);
    WriteText(dir.Path() / ".out.bin.vornikat-save-k1ll3d", "half a bank");
    WriteText(dir.Path() / ".out.bin.vornikat-save-notours", "someone else's");
    EXPECT_EQ(
        RunBankTool({"build", source.string(), "-o", (dir.Path() / "out.bin").string()}).status, 0);
    EXPECT_EQ(Files(dir.Path()),
              (std::vector<std::string>{".out.bin.vornikat-save-notours", "out.bin", "q.txt"}));
    // The folders of a place not there yet are made, as of the player's own on a fresh install.
    const fs::path fresh = dir.Path() / "share" / "vornikat" / "data.bin";
    EXPECT_EQ(RunBankTool({"build", source.string(), "-o", fresh.string()}).status, 0);
    EXPECT_EQ(ReadBytes(fresh), ReadBytes(dir.Path() / "out.bin"));
    for (const std::vector<std::string>& args :
         {std::vector<std::string>{"build", "", "-o", "x.bin"},
          std::vector<std::string>{"build", source.string(), "-o", ""},
          std::vector<std::string>{"check", ""}, std::vector<std::string>{"dump", ""}}) {
        const auto run = RunBankTool(args);
        EXPECT_EQ(run.status, 2) << args[0];
        EXPECT_NE(run.err.find("an empty name names no file"), std::string::npos) << run.err;
    }
}

// A text saved by Notepad as "ANSI" on a Russian Windows (Windows-1251, CRLF) or as "Unicode"
// (UTF-16 with its mark) builds the same bank as the UTF-8 text.
TEST(BankTool, BuildsTheSameBankFromEveryEncodingOfItsText) {
    const TempDir dir;
    WriteText(dir.Path() / "utf8.txt", kSource);
    ASSERT_EQ(RunBankTool({"build", (dir.Path() / "utf8.txt").string(), "-o",
                           (dir.Path() / "utf8.bin").string()})
                  .status,
              0);
    std::string ansi;
    std::string unicode = "\xFF\xFE";
    for (const char16_t c : FromUtf8(kSource)) {
        if (c == u'\n') {
            ansi += "\r\n";
            unicode += std::string("\r\0\n\0", 4);
            continue;
        }
        ansi += static_cast<char>(*EncodeCp1251(c));
        unicode += std::string{static_cast<char>(c & 0xFF), static_cast<char>(c >> 8)};
    }
    for (const auto& [name, bytes] :
         {std::pair{"ansi.txt", ansi}, std::pair{"unicode.txt", unicode}}) {
        WriteText(dir.Path() / name, bytes);
        const fs::path bank = dir.Path() / (std::string(name) + ".bin");
        const auto run = RunBankTool({"build", (dir.Path() / name).string(), "-o", bank.string()});
        EXPECT_EQ(run.status, 0) << name << run.err;
        EXPECT_EQ(ReadBytes(bank), ReadBytes(dir.Path() / "utf8.bin")) << name;
    }
}

// Other tools' exports build the bank the same Aiken text builds, told by extension or
// content or named by --from; what the quiz cannot ask is counted, a draft refused at its line.
TEST(BankTool, BuildsFromGiftXmlAndCsvByNameContentOrFrom) {
    const TempDir dir;
    WriteText(dir.Path() / "aiken.txt", kSource);
    ASSERT_EQ(RunBankTool({"build", (dir.Path() / "aiken.txt").string(), "-o",
                           (dir.Path() / "aiken.bin").string()})
                  .status,
              0);
    const std::string gift =
        "::1::Сколько бит в байте?{=8 ~Сколько влезет ~ ~16, если байт упитанный ~Ни одного}\n\n"
        "Истина?{T}\n\nА в килобайте?{=1000 или 1024 ~0 ~1 ~2 ~3}\n";
    const std::string csv = *EncodeCp1251(
        u"Вопрос;1;2;3;4;5;Ответ\r\nСколько бит в байте?;8;Сколько влезет;;16, если байт "
        u"упитанный;Ни одного;А\r\nА в килобайте?;1000 или 1024;0;1;2;3;1\r\n");
    const struct {
        std::string name;
        std::string bytes;
        std::vector<std::string> from;
        bool skipped;
    } cases[] = {
        {"q.gift", gift, {}, true},
        {"gift.csv", gift, {"--from", "gift"}, true},
        {"table.csv", csv, {}, false},
        {"table.txt", csv, {}, false},
    };
    const std::string kSkipped =
        ": note: 1 question skipped: the quiz asks only multiple-choice questions with one right "
        "answer\n";
    for (const auto& c : cases) {
        const fs::path bank = dir.Path() / (c.name + ".bin");
        std::vector<std::string> args = {"build", (dir.Path() / c.name).string(), "-o",
                                         bank.string()};
        args.insert(args.begin() + 1, c.from.begin(), c.from.end());
        WriteText(dir.Path() / c.name, c.bytes);
        const auto run = RunBankTool(args);
        EXPECT_EQ(run.status, 0) << c.name << run.err;
        EXPECT_EQ(run.err, c.skipped ? (dir.Path() / c.name).string() + kSkipped : "");
        EXPECT_EQ(ReadBytes(bank), ReadBytes(dir.Path() / "aiken.bin")) << c.name;
    }

    const fs::path xml = dir.Path() / "q.xml";
    WriteText(xml,
              "<quiz>\n<question type=\"multichoice\"><questiontext><text>Q</text>"
              "</questiontext>\n<answer fraction=\"100\"><text>a</text></answer>"
              "<answer fraction=\"0\"><text>b</text></answer></question></quiz>");
    const auto refused =
        RunBankTool({"build", xml.string(), "-o", (dir.Path() / "x.bin").string()});
    EXPECT_EQ(refused.status, 1);
    EXPECT_EQ(refused.err, xml.string() +
                               ":2:1: error: this question has 2 options; the quiz asks five\n" +
                               (dir.Path() / "x.bin").string() + ": not written\n");
    EXPECT_FALSE(fs::exists(dir.Path() / "x.bin"));
    const auto unknown = RunBankTool({"build", "--from", "docx", xml.string(), "-o", "x.bin"});
    EXPECT_EQ(unknown.status, 2);
    EXPECT_NE(unknown.err.find("unknown format 'docx'"), std::string::npos);
}

// A name that would break the line or reach the terminal's controls is printed quoted and
// escaped; a plain one stays as it is.
TEST(BankTool, NamesThatWouldBreakALineArePrintedEscaped) {
    const TempDir dir;
    const fs::path source = dir.Path() / "q.txt";
    WriteText(source, "Вопрос?\nA) 1\nB) 2\nC) 3\nD) 4\nE) 5\nANSWER: A\n");
    const fs::path odd = dir.Path() / "new\nline\x1b[31m.bin";
    ASSERT_EQ(RunBankTool({"build", source.string(), "-o", odd.string()}).status, 0);
    const auto checked = RunBankTool({"check", odd.string()});
    EXPECT_EQ(checked.status, 0);
    EXPECT_EQ(checked.out, "\"" + dir.Path().string() + "/new\\nline\\x1b[31m.bin\": 1 question\n");

    // Nor does a name printed inside the reason of a failed write.
    const fs::path folder = dir.Path() / "dir\n\x1b[31m";
    fs::create_directory(folder);
    const auto refusedOutput = RunBankTool({"build", source.string(), "-o", folder.string()});
    EXPECT_EQ(refusedOutput.status, 1);
    EXPECT_EQ(refusedOutput.err, "\"" + dir.Path().string() +
                                     "/dir\\n\\x1b[31m\": error: a folder stands at that name, and "
                                     "it is not replaced\n");

    const std::string missing = (dir.Path() / "nope\xff.bin").string();
    const auto refused = RunBankTool({"check", missing});
    EXPECT_EQ(refused.status, 1);
    EXPECT_EQ(std::count(refused.err.begin(), refused.err.end(), '\n'), 1) << refused.err;
    EXPECT_NE(refused.err.find("nope\\xff.bin\": error: cannot open"), std::string::npos)
        << refused.err;
}

TEST(BankTool, CheckWarnsAboutWhatLoadsButIsOdd) {
    const TempDir dir;
    const fs::path bank = dir.Path() / "data.bin";
    // An empty question whose option 1 holds an inexact unit, right option 6, three stray bytes.
    dir.Write("data.bin", Join({BankWithOption({0, 0, 6}, 6 * 78), {1, 2, 3}}));
    const auto check = RunBankTool({"check", bank.string()});
    EXPECT_EQ(check.status, 0);
    EXPECT_EQ(check.out, bank.string() + ": 1 question\n");
    const std::string w = bank.string() + ": warning: ";
    EXPECT_EQ(
        check.err,
        w + "question 1: the right option is 6, outside 1..5, so no answer counts as right\n" + w +
            "question 1: the question text is empty\n" + w +
            "1 unit is not an exact multiple of its factor; the program rounds it to the "
            "nearest value\n" +
            w + "3 bytes after the end of the bank; the program ignores them\n");

    std::vector<QuestionRecord> many(12, QuestionRecord{u"Q", {}, 0});
    dir.Write("data.bin", WriteQuestionBank(many));
    const auto listed = RunBankTool({"check", bank.string()});
    EXPECT_EQ(listed.status, 0);
    EXPECT_NE(listed.err.find(w + "question 10: the right option is 0"), std::string::npos);
    EXPECT_EQ(listed.err.find("question 11:"), std::string::npos);
    EXPECT_NE(listed.err.find(w + "and 2 more questions with a right option outside 1..5\n"),
              std::string::npos);
}

TEST(BankTool, DumpNamesWhatAikenCannotExpressAndPrintsNothing) {
    const TempDir dir;
    const fs::path bank = dir.Path() / "data.bin";
    dir.Write("data.bin", WriteQuestionBank(std::vector<QuestionRecord>{
                              {u"Fine", {}, 1}, {u"Вопрос ", {u"a\tb"}, 7}}));
    const auto dump = RunBankTool({"dump", bank.string()});
    EXPECT_EQ(dump.status, 1);
    EXPECT_EQ(dump.out, "");
    const std::string e = bank.string() + ": error: ";
    EXPECT_EQ(
        dump.err,
        e + "question 2: the question text \"Вопрос \" ends with a blank, which Aiken drops\n" + e +
            "question 2 (\"Вопрос \"): option A \"a\\u0009b\" holds a control character "
            "(\"\\u0009\"), which an Aiken line cannot carry\n" +
            e +
            "question 2 (\"Вопрос \"): the right option is 7, and Aiken can only name "
            "options 1 to 5 (A to E)\n" +
            bank.string() + ": Aiken cannot express this bank; nothing printed\n");
}

TEST(BankTool, EveryCommandHasHelpAndWrongUseSaysWhatInOneLine) {
    for (const auto& args : std::vector<std::vector<std::string>>{
             {"--help"}, {"-h"}, {"build", "--help"}, {"dump", "--help"}, {"check", "-h"}}) {
        const auto help = RunBankTool(args);
        EXPECT_EQ(help.status, 0);
        EXPECT_EQ(help.out.rfind("usage: vornikat-bank", 0), 0U) << args.front();
    }
    const auto version = RunBankTool({"--version"});
    EXPECT_EQ(version.status, 0);
    EXPECT_EQ(version.out.rfind("vornikat-bank ", 0), 0U);
    for (const auto& [args, said] : std::vector<std::pair<std::vector<std::string>, std::string>>{
             {{}, "vornikat-bank: no command given\n"},
             {{"compile"}, "vornikat-bank: unknown command 'compile'\n"},
             {{"--frob"}, "vornikat-bank: unknown option '--frob'\n"},
             {{"build", "x.txt"}, "vornikat-bank build: no bank to write given (-o data.bin)\n"},
             {{"build", "x.txt", "-o"}, "vornikat-bank build: option '-o' needs an argument\n"},
             {{"build", "-q", "x.txt"}, "vornikat-bank build: unknown option '-q'\n"},
             {{"build", "-вопросы.txt", "-o", "x"},
              "vornikat-bank build: unknown option '-вопросы.txt'\n"},
             {{"dump"}, "vornikat-bank dump: no data.bin given\n"},
             {{"check", "a", "b"}, "vornikat-bank check: one data.bin only, not also 'b'\n"}}) {
        const auto wrong = RunBankTool(args);
        EXPECT_EQ(wrong.status, 2);
        const std::string command = said.substr(0, said.find(':'));
        EXPECT_EQ(wrong.err, said + "Try '" + command + " --help' for more information.\n");
        EXPECT_TRUE(wrong.out.empty());
    }
}

// Every way of giving the output, and a source named like an option after "--".
TEST(BankTool, OptionsTakeEveryConventionalForm) {
    const TempDir dir;
    const fs::path source = dir.Path() / "-q.txt";
    WriteText(source, kSource);
    const fs::path expected = dir.Path() / "expected.bin";
    ASSERT_EQ(RunBankTool({"build", "-o", expected.string(), "--", source.string()}).status, 0);
    const auto bytes = ReadBytes(expected);
    ASSERT_FALSE(bytes.empty());
    const std::string out = (dir.Path() / "out.bin").string();
    for (const auto& form : std::vector<std::vector<std::string>>{
             {"-o", out}, {"-o" + out}, {"--output", out}, {"--output=" + out}}) {
        fs::remove(out);
        std::vector<std::string> args{"build", "--"};
        args.insert(args.begin() + 1, form.begin(), form.end());
        args.push_back(source.string());
        const auto run = RunBankTool(args);
        EXPECT_EQ(run.status, 0) << form.front() << run.err;
        EXPECT_EQ(ReadBytes(out), bytes) << form.front();
    }
    // After "--" nothing is an option, not even "-o".
    EXPECT_EQ(RunBankTool({"build", "--", source.string(), "-o", out}).status, 2);
    EXPECT_EQ(RunBankTool({"check", "--", expected.string()}).status, 0);
}

// Russian where the locale of messages is Russian, by the C library's order of the variables;
// English elsewhere. Line and column stay where editors read them.
TEST(BankTool, SpeaksRussianWhereTheLocaleIsRussianAndEnglishElsewhere) {
    const TempDir dir;
    const fs::path source = dir.Path() / "bad.txt";
    const fs::path bank = dir.Path() / "data.bin";
    WriteText(source, "Вопрос ✓\nA) раз\nB) два\nC) три\nD) четыре\nE) пять\nANSWER: B\n");
    dir.Write("data.bin", WriteQuestionBank(std::vector<QuestionRecord>{
                              {u"a", {u"1", u"2", u"3", u"4", u"5"}, 1},
                              {u"b", {u"1", u"2", u"3", u"4", u"5"}, 2}}));
    dir.Write("short.bin", Units({0}));
    const std::string russian[] = {
        source.string() +
            ":1:8: ошибка: «✓» (U+2713) не входит в Windows-1251, и программа не сможет его "
            "показать; замените его\n" +
            (dir.Path() / "x.bin").string() + ": не записан\n",
        bank.string() + ": 2 вопроса\n",
        (dir.Path() / "short.bin").string() +
            ": ошибка: байт 2: файл кончается раньше, чем банк; викторина не загрузит этот банк\n",
        "vornikat-bank: неизвестная команда «frob»\nПодробнее: «vornikat-bank --help».\n"};
    const std::string english[] = {
        source.string() +
            ":1:8: error: \"✓\" (U+2713) is not a Windows-1251 character, so the program "
            "cannot show it; replace it\n" +
            (dir.Path() / "x.bin").string() + ": not written\n",
        bank.string() + ": 2 questions\n",
        (dir.Path() / "short.bin").string() +
            ": error: at byte 2: the file ends too early; the quiz refuses this bank\n",
        "vornikat-bank: unknown command 'frob'\nTry 'vornikat-bank --help' for more "
        "information.\n"};
    const struct {
        std::string setup;
        bool inRussian;
    } cases[] = {
        {"LANG=ru_RU.UTF-8", true},
        {"LC_MESSAGES=ru_RU.UTF-8 LANG=en_US.UTF-8", true},
        {"LC_ALL=ru_UA.UTF-8 LANG=en_US.UTF-8", true},
        {"LC_ALL=C LANG=ru_RU.UTF-8", false},
        {"LANG=de_DE.UTF-8", false},
        {"", false},
    };
    for (const auto& c : cases) {
        const auto& expected = c.inRussian ? russian : english;
        const auto build =
            RunBankTool({"build", source.string(), "-o", (dir.Path() / "x.bin").string()}, c.setup);
        EXPECT_EQ(build.err, expected[0]) << c.setup;
        EXPECT_EQ(RunBankTool({"check", bank.string()}, c.setup).out, expected[1]) << c.setup;
        EXPECT_EQ(RunBankTool({"check", (dir.Path() / "short.bin").string()}, c.setup).err,
                  expected[2])
            << c.setup;
        EXPECT_EQ(RunBankTool({"frob"}, c.setup).err, expected[3]) << c.setup;
    }
}

// What a file dropped on the program gives: the file checked by what it holds, nothing written.
TEST(BankTool, AFileNamedAloneIsCheckedByWhatItHoldsAndNothingIsWritten) {
    const TempDir dir;
    WriteText(dir.Path() / "good.txt", kSource);
    WriteText(dir.Path() / "good copy.txt", kSource);
    WriteText(dir.Path() / "bad.txt", "Вопрос\nA) раз\n");
    dir.Write(
        "data.bin",
        WriteQuestionBank(std::vector<QuestionRecord>{{u"a", {u"1", u"2", u"3", u"4", u"5"}, 1}}));
    dir.Write("short.bin", Units({0}));
    const struct {
        std::string name;
        int status;
        std::string out;
        std::string errStart;
    } cases[] = {
        {"good.txt", 0, ": 2 questions and no error; the bank is built by: vornikat-bank build ",
         ""},
        // The command it suggests is one a shell takes back as it stands.
        {"good copy.txt", 0,
         ": 2 questions and no error; the bank is built by: vornikat-bank build \"", ""},
        {"missing.txt", 1, "", ": error: cannot open: No such file"},
        {"bad.txt", 1, "", ":1:1: error: the question on line 1 has 1 option"},
        {"data.bin", 0, ": 1 question\n", ""},
        {"short.bin", 1, "", ": error: at byte 2: the file ends too early"},
    };
    const std::vector<std::string> before = Files(dir.Path());
    for (const auto& c : cases) {
        const std::string file = (dir.Path() / c.name).string();
        const auto run = RunBankTool({file});
        EXPECT_EQ(run.status, c.status) << c.name;
        EXPECT_EQ(run.out.substr(0, std::min(run.out.size(), file.size() + c.out.size())),
                  c.out.empty() ? "" : file + c.out)
            << c.name;
        EXPECT_EQ(run.err.substr(0, std::min(run.err.size(), file.size() + c.errStart.size())),
                  c.errStart.empty() ? "" : file + c.errStart)
            << c.name;
    }
    EXPECT_EQ(Files(dir.Path()), before);
}

// A bank followed by 2 GB (a sparse file, made at once) costs what the bank does: the reading
// stops where the bank ends. The address space is capped below the file's size, so reading it
// whole fails; the sanitizers' shadow memory needs more than that cap, so there it is not set.
TEST(BankTool, CheckAndDumpReadABankNoFurtherThanItGoes) {
    const TempDir dir;
    const fs::path bank = dir.Path() / "huge.bin";
    const Bytes small =
        WriteQuestionBank(std::vector<QuestionRecord>{{u"abc", {u"xy", u"Да", u"", u"", u""}, 3}});
    dir.Write("huge.bin", small);
    constexpr std::uintmax_t kSize = std::uintmax_t{2} << 30;
    fs::resize_file(bank, kSize);
#if defined(__SANITIZE_ADDRESS__)
    const std::string setup;
#else
    const std::string setup = "ulimit -v 1000000;";
#endif
    const auto check = RunBankTool({"check", bank.string()}, setup);
    EXPECT_EQ(check.status, 0);
    EXPECT_EQ(check.out, bank.string() + ": 1 question\n");
    EXPECT_EQ(check.err, bank.string() + ": warning: " + std::to_string(kSize - small.size()) +
                             " bytes after the end of the bank; the program ignores them\n");
    const auto dump = RunBankTool({"dump", bank.string()}, setup);
    EXPECT_EQ(dump.status, 0);
    EXPECT_EQ(dump.out, "abc\nA) xy\nB) Да\nC)\nD)\nE)\nANSWER: C\n");
}

}  // namespace
}  // namespace vornikat
