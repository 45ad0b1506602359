// SPDX-License-Identifier: MIT
// Vornikat.exe under Wine, used as a user would use it: the greetings, the quiz played through
// to the verdict, the stored score, leaving, and the About box.
#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "bank_writer.hpp"
#include "program_driver.hpp"

namespace vornikat::win32test {
namespace {

constexpr wchar_t kTitle[] = L"Ворникат";
constexpr wchar_t kHelpTitle[] = L"О программе \"Ворникат\"";
constexpr wchar_t kGoodLuck[] = L"Желаю удачи :)";
constexpr wchar_t kGoodbye[] = L"Пока, загляни сюда ещё как-нибудь!";

// Four questions, the first with ampersands that must show as they are.
std::vector<std::uint8_t> SmallBank() {
    std::vector<QuestionRecord> records(4);
    const std::int16_t right[] = {2, 3, 1, 5};
    for (std::size_t i = 0; i < records.size(); ++i) {
        const std::u16string n(1, static_cast<char16_t>(u'1' + i));
        records[i].question = i == 0 ? u"Кто такие R&D?" : u"Вопрос " + n;
        for (std::size_t k = 0; k < 5; ++k) {
            records[i].options[k] = u"Ответ " + n + u"." + std::u16string(1, u'1' + k);
        }
        records[i].rightOption = right[i];
    }
    records[0].options[1] = u"Research & Development";
    return WriteQuestionBank(records);
}

// The focused control of the program's window thread.
HWND FocusOf(HWND window) {
    GUITHREADINFO info{};
    info.cbSize = sizeof info;
    GetGUIThreadInfo(GetWindowThreadProcessId(window, nullptr), &info);
    return info.hwndFocus;
}

constexpr wchar_t kSysInfoKey[] = L"SOFTWARE\\Microsoft\\Shared Tools\\MSINFO";

// Where the registry says the system information tool is; this prefix has no such entry.
void SetSysInfoPath(const std::wstring& path) {
    RegSetKeyValueW(HKEY_LOCAL_MACHINE, kSysInfoKey, L"PATH", REG_SZ, path.c_str(),
                    static_cast<DWORD>((path.size() + 1) * sizeof(wchar_t)));
}

void PostKey(HWND target, WPARAM key) {
    PostMessageW(target, WM_KEYDOWN, key, 1);
    PostMessageW(target, WM_KEYUP, key, 0xC0000001);
}

// Waits for the countdown to move on. The program's ticks are timer messages, which come only
// once no message posted before them is left, so every key and click posted earlier has been
// handled by then: what they did not do, they will not do.
bool WaitForTheNextTick(HWND countdown) {
    const std::wstring shown = TextOf(countdown);
    return WaitUntil([&] { return TextOf(countdown) != shown; }, 4000);
}

// A countdown's "m:ss" in seconds.
int SecondsOf(const std::wstring& shown) {
    const auto colon = shown.find(L':');
    return std::stoi(shown.substr(0, colon)) * 60 + std::stoi(shown.substr(colon + 1));
}

class ProgramUnderWine : public ::testing::Test {
  protected:
    void SetUp() override { DeleteScoreKeys(); }
    void TearDown() override {
        DeleteScoreKeys();
        RegDeleteTreeW(HKEY_LOCAL_MACHINE, kSysInfoKey);
    }

    // Expects a box with this text and these buttons under the program's title, and
    // presses the answer.
    static void ExpectBox(const RunningProgram& program, std::wstring_view text,
                          std::vector<int> buttons, int answer) {
        const HWND box = program.WaitForMessageBox();
        ASSERT_NE(box, nullptr) << "no message box";
        EXPECT_EQ(TextOf(box), kTitle);
        EXPECT_EQ(MessageText(box), text);
        for (int id : buttons) {
            EXPECT_NE(GetDlgItem(box, id), nullptr) << "no button " << id;
        }
        ASSERT_TRUE(Answer(box, answer));
    }

    // Answers the first-run greeting with Yes and waits for Main.
    static HWND StartPlaying(const RunningProgram& program) {
        ExpectBox(program, L"Вы готовы пройти Ворникат ?", {IDYES, IDNO}, IDYES);
        ExpectBox(program, kGoodLuck, {IDOK}, IDOK);
        return program.WaitForMain();
    }

    static void LeaveByExit(const RunningProgram& program, HWND main) {
        Click(ChildWithText(main, L"Выход"));
        ExpectBox(program, kGoodbye, {IDOK}, IDOK);
        EXPECT_TRUE(program.WaitForExit());
    }
};

TEST_F(ProgramUnderWine, NoAtTheFirstRunEndsTheProgramAndStoresNothing) {
    RunningProgram program(SmallBank());
    ExpectBox(program, L"Вы готовы пройти Ворникат ?", {IDYES, IDNO}, IDNO);
    ExpectBox(program, L"Значит вы ламер :)", {IDOK}, IDOK);
    EXPECT_TRUE(program.WaitForExit());
    EXPECT_FALSE(ReadLastScore(HKEY_LOCAL_MACHINE).has_value());
    EXPECT_FALSE(ReadLastScore(HKEY_CURRENT_USER).has_value());
}

TEST_F(ProgramUnderWine, ATestPlayedThroughStoresItsScoreAndGreetsTheNextStart) {
    {
        RunningProgram program(SmallBank());
        const HWND main = StartPlaying(program);
        ASSERT_NE(main, nullptr);
        const SIZE client = ClientSize(main);
        EXPECT_EQ(client.cx, 425);
        EXPECT_EQ(client.cy, 272);
        // A fixed border: minimized but never maximized or resized.
        const LONG style = GetWindowLongW(main, GWL_STYLE);
        EXPECT_NE(style & WS_MINIMIZEBOX, 0);
        EXPECT_EQ(style & (WS_MAXIMIZEBOX | WS_THICKFRAME), 0);
        // Tool tips for the three buttons and the three labels.
        EXPECT_EQ(ToolTipCount(main), 6);

        const HWND question = ChildInFrame(main, L"Вопрос", L"Static");
        const HWND counter = ChildInFrame(main, L"Счётчик", L"Static");
        const HWND countdown = ChildInFrame(main, L"Таймер", L"Static");
        const HWND next = ChildWithText(main, L"Дальше");
        const auto options = OptionButtons(main);
        ASSERT_EQ(options.size(), 5U);
        EXPECT_EQ(TextOf(question), L"Кто такие R&D?");
        EXPECT_NE(GetWindowLongW(question, GWL_STYLE) & SS_NOPREFIX, 0);
        // A button caption shows "&&" as one ampersand.
        EXPECT_EQ(TextOf(options[1]), L"Research && Development");
        EXPECT_EQ(TextOf(counter), L"0/0");
        EXPECT_EQ(TextOf(countdown), L"1:00");
        EXPECT_EQ(SendMessageW(options[0], BM_GETCHECK, 0, 0), BST_CHECKED);

        // Right, wrong, right, right: 3 of 4.
        Click(options[1]);
        Click(next);
        EXPECT_TRUE(WaitUntil([&] { return TextOf(counter) == L"1/1"; }));
        EXPECT_EQ(TextOf(question), L"Вопрос 2");
        EXPECT_EQ(TextOf(options[0]), L"Ответ 2.1");
        EXPECT_EQ(SendMessageW(options[0], BM_GETCHECK, 0, 0), BST_CHECKED);
        EXPECT_EQ(SendMessageW(options[1], BM_GETCHECK, 0, 0), BST_UNCHECKED);
        Click(next);
        EXPECT_TRUE(WaitUntil([&] { return TextOf(counter) == L"1/2"; }));
        Click(next);
        EXPECT_TRUE(WaitUntil([&] { return TextOf(counter) == L"2/3"; }));
        Click(options[4]);
        Click(next);
        ExpectBox(program, L"Отлично, очень хорошо,\r ты уж точно не ламер!", {IDOK}, IDOK);
        EXPECT_TRUE(program.WaitForExit());
    }
    const std::vector<std::uint8_t> stored = {' ', '7', '5', 0};
    EXPECT_EQ(ReadLastScore(HKEY_LOCAL_MACHINE), stored);

    // The next start greets by the score; leaving by the close button stores nothing.
    RunningProgram program(SmallBank());
    ExpectBox(program, L"Привет Mr.Profi, хорошо что зашёл !\rБудешь играть ?", {IDYES, IDNO},
              IDYES);
    ExpectBox(program, kGoodLuck, {IDOK}, IDOK);
    const HWND main = program.WaitForMain();
    ASSERT_NE(main, nullptr);
    PostMessageW(main, WM_SYSCOMMAND, SC_CLOSE, 0);
    const HWND goodbye = program.WaitForMessageBox();
    ASSERT_NE(goodbye, nullptr);
    EXPECT_EQ(MessageText(goodbye), kGoodbye);
    EXPECT_TRUE(IsWindowVisible(main)) << "the close is refused: Main stays behind the box";
    ASSERT_TRUE(Answer(goodbye, IDOK));
    EXPECT_TRUE(program.WaitForExit());
    EXPECT_EQ(ReadLastScore(HKEY_LOCAL_MACHINE), stored);
}

TEST_F(ProgramUnderWine, EnterSubmitsOnlyFromAFocusedNxt) {
    RunningProgram program(SmallBank());
    const HWND main = StartPlaying(program);
    ASSERT_NE(main, nullptr);
    const HWND counter = ChildInFrame(main, L"Счётчик", L"Static");
    const HWND countdown = ChildInFrame(main, L"Таймер", L"Static");
    const auto options = OptionButtons(main);
    ASSERT_EQ(options.size(), 5U);
    ASSERT_TRUE(WaitUntil([&] { return FocusOf(main) == options[0]; }));

    // The arrow moves through the group and selects; Enter then submits nothing.
    PostKey(options[0], VK_DOWN);
    EXPECT_TRUE(WaitUntil([&] { return FocusOf(main) == options[1]; }));
    PostKey(options[1], VK_RETURN);
    EXPECT_TRUE(WaitForTheNextTick(countdown));
    EXPECT_EQ(TextOf(counter), L"0/0");
    EXPECT_EQ(SendMessageW(options[1], BM_GETCHECK, 0, 0), BST_CHECKED);

    // Tab to Nxt makes it the button Enter presses while it has the focus, and only then.
    const HWND next = ChildWithText(main, L"Дальше");
    PostKey(options[1], VK_TAB);
    EXPECT_TRUE(WaitUntil([&] { return FocusOf(main) == next; }));
    PostKey(next, VK_RETURN);
    EXPECT_TRUE(WaitUntil([&] { return TextOf(counter) == L"1/1"; }));
    Click(options[2]);
    EXPECT_TRUE(WaitUntil([&] { return FocusOf(main) == options[2]; }));
    PostKey(options[2], VK_RETURN);
    EXPECT_TRUE(WaitForTheNextTick(countdown));
    EXPECT_EQ(TextOf(counter), L"1/1");

    EXPECT_TRUE(WaitUntil([&] { return TextOf(countdown) == L"0:59"; }, 4000));
    LeaveByExit(program, main);
    EXPECT_FALSE(ReadLastScore(HKEY_LOCAL_MACHINE).has_value());
}

// The About box, opened from a quiz under way.
class AboutBoxUnderWine : public ProgramUnderWine {
  protected:
    void SetUp() override {
        ProgramUnderWine::SetUp();
        program = std::make_unique<RunningProgram>(SmallBank());
        main = StartPlaying(*program);
        ASSERT_NE(main, nullptr);
        helpMe = ChildWithText(main, L"Помощь");
        countdown = ChildInFrame(main, L"Таймер", L"Static");
        help = ShowAboutBox();
        ASSERT_NE(help, nullptr);
    }

    HWND ShowAboutBox() {
        Click(helpMe);
        return program->WaitForWindow(L"", kHelpTitle);
    }

    void TearDown() override {
        program.reset();
        ProgramUnderWine::TearDown();
    }

    // Presses Tab on the focused control and waits for the focus to land where `is` holds.
    bool TabTo(const std::function<bool(HWND)>& is) {
        PostKey(FocusOf(help), VK_TAB);
        return WaitUntil([&] {
            const HWND focus = FocusOf(help);
            return focus != nullptr && is(focus);
        });
    }

    std::unique_ptr<RunningProgram> program;
    HWND main = nullptr;
    HWND helpMe = nullptr;
    HWND countdown = nullptr;
    HWND help = nullptr;
};

TEST_F(AboutBoxUnderWine, IsAFixedWindowOfItsOwnThatLeavesMainUsable) {
    const SIZE client = ClientSize(help);
    EXPECT_EQ(client.cx, 382);
    EXPECT_EQ(client.cy, 237);
    const HWND owner = GetWindow(help, GW_OWNER);
    EXPECT_NE(owner, nullptr) << "an unowned window gets a taskbar button";
    EXPECT_NE(owner, main);
    EXPECT_FALSE(IsWindowVisible(owner));
    EXPECT_EQ(GetWindowLongW(help, GWL_EXSTYLE) & WS_EX_APPWINDOW, 0);
    EXPECT_EQ(GetWindowLongW(help, GWL_STYLE) & (WS_MINIMIZEBOX | WS_MAXIMIZEBOX | WS_THICKFRAME),
              0);
    EXPECT_TRUE(IsWindowEnabled(main));
    EXPECT_NE(ChildWithText(help, L"Версия 1.00"), nullptr);
    EXPECT_NE(ChildWithText(help, kTitle), nullptr);
    const HWND ok = ChildWithText(help, L"OK");
    ASSERT_NE(ok, nullptr);
    EXPECT_TRUE(WaitUntil([&] { return FocusOf(help) == ok; }));
}

TEST_F(AboutBoxUnderWine, ASecondClickOnHelpMeShowsNoSecondBox) {
    Click(helpMe);
    ASSERT_TRUE(WaitForTheNextTick(countdown));
    int boxes = 0;
    for (HWND window : program->Windows()) {
        boxes += TextOf(window) == kHelpTitle ? 1 : 0;
    }
    EXPECT_EQ(boxes, 1);
}

// A window manager may minimize the box anyway: HelpMe brings it back, in front.
TEST_F(AboutBoxUnderWine, HelpMeBringsAMinimizedBoxBackInFront) {
    ShowWindow(help, SW_MINIMIZE);
    EXPECT_TRUE(WaitUntil([&] { return IsIconic(help) != FALSE; }));
    Click(helpMe);
    EXPECT_TRUE(WaitUntil([&] { return !IsIconic(help) && GetForegroundWindow() == help; }));
}

TEST_F(AboutBoxUnderWine, EnterAndEscCloseItAndEachShowLaysItOutAfresh) {
    for (const WPARAM key : {VK_RETURN, VK_ESCAPE}) {
        ASSERT_TRUE(WaitUntil([&] { return FocusOf(help) != nullptr; }));
        PostKey(FocusOf(help), key);
        EXPECT_TRUE(WaitUntil([&] { return program->FindWindowOf(L"", kHelpTitle) == nullptr; }))
            << "key " << key;
        help = ShowAboutBox();
        ASSERT_NE(help, nullptr);
        const SIZE client = ClientSize(help);
        EXPECT_EQ(client.cx, 382);
        EXPECT_EQ(client.cy, 237);
    }
}

// Tab walks cmdOK, picIcon, cmdSysInfo; Enter on cmdSysInfo starts the tool the registry names,
// in a window of its own, not waited for.
TEST_F(AboutBoxUnderWine, TabReachesSysInfoWhoseEnterStartsTheToolUnwaited) {
    const HWND sysInfo = ChildWithText(help, L"&System Info...");
    ASSERT_TRUE(WaitUntil([&] { return FocusOf(help) != nullptr; }));
    EXPECT_TRUE(TabTo(
        [](HWND focus) { return (GetWindowLongW(focus, GWL_STYLE) & SS_TYPEMASK) == SS_ICON; }));
    EXPECT_EQ(TextOf(FocusOf(help)), L"Значок программы") << "a focus stop needs a name";
    EXPECT_TRUE(TabTo([&](HWND focus) { return focus == sysInfo; }));
    wchar_t system[MAX_PATH] = {};
    GetSystemDirectoryW(system, MAX_PATH);
    SetSysInfoPath(std::wstring(system) + L"\\notepad.exe");
    PostKey(sysInfo, VK_RETURN);
    HWND tool = nullptr;
    EXPECT_TRUE(WaitUntil([&] {
        tool = FindWindowW(L"Notepad", nullptr);
        return tool != nullptr && IsWindowVisible(tool) && !IsIconic(tool);
    }));
    if (tool != nullptr) {
        PostMessageW(tool, WM_CLOSE, 0, 0);
    }
    EXPECT_EQ(program->FindWindowOf(L"#32770", kTitle), nullptr);
    EXPECT_NE(program->FindWindowOf(L"", kHelpTitle), nullptr);
}

// A tool that cannot be started ends in the box; while it is up the countdown stands still,
// since no tick runs inside a handler.
TEST_F(AboutBoxUnderWine, AToolThatCannotStartEndsInTheBoxWithTheCountdownStill) {
    SetSysInfoPath(L"C:\\no such folder\\MSINFO32.EXE");
    PostMessageW(ChildWithText(help, L"OK"), WM_SYSCHAR, 's', 1 << 29);
    const HWND box = program->WaitForMessageBox();
    ASSERT_NE(box, nullptr);
    EXPECT_EQ(MessageText(box), L"System Information Is Unavailable At This Time");
    EXPECT_EQ(GetDlgItem(box, IDCANCEL) == nullptr && GetDlgItem(box, IDNO) == nullptr, true);
    const std::wstring shown = TextOf(countdown);
    // Three ticks as the program's timer (id 1) sends them, queued ahead of the click that
    // closes the box: the box's own loop takes them first, and the handler drops them.
    for (int tick = 0; tick < 3; ++tick) {
        PostMessageW(main, WM_TIMER, 1, 0);
    }
    ASSERT_TRUE(Answer(box, IDOK));
    // At most one real tick may fall due between the box going and this look.
    const std::wstring after = TextOf(countdown);
    EXPECT_LE(SecondsOf(shown) - SecondsOf(after), 1);
    EXPECT_TRUE(WaitForTheNextTick(countdown));

    // Leaving with the About box open ends everything.
    LeaveByExit(*program, main);
}

}  // namespace
}  // namespace vornikat::win32test
