// SPDX-License-Identifier: MIT
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "body.hpp"
#include "fake_ports.hpp"

namespace vornikat {
namespace {

using testing::FakePorts;
using testing::MakeBankBytes;
using testing::ProgramEnded;
using Trace = std::vector<std::string>;

const std::string kMachineKey = "HKEY_LOCAL_MACHINE\\Software\\Vornikat";
const std::string kUserKey = "HKEY_CURRENT_USER\\Software\\Vornikat";

const std::string kLamer = "А, это ты ламерятина, зачем пришёл ?\\rБудешь играть ?";
const std::string kTeapot = "Привет чайник, что тебе надо ?\\rБудешь играть ?";
const std::string kMiddle = "Привет, что ты хочешь ?\\rБудешь играть ?";
const std::string kProfi = "Привет Mr.Profi, хорошо что зашёл !\\rБудешь играть ?";
const std::string kHacker = "Привет Хакер, играй честно в этот раз !\\rТак ты будешь играть ?";
const std::string kDigging = "А зачем надо было в реестре капаться ?\\rБудешь играть или нет ?";

std::vector<std::uint8_t> Bytes(std::string_view text) {
    return {text.begin(), text.end()};
}

// A whole test of a hundred questions, `percent` of them answered right, whose end stores the
// score; the verdict is the last box, and storing it shows nothing more.
void RunToTheEnd(FakePorts& ports, int percent) {
    ports.files["data.bin"] = MakeBankBytes(100, 1);
    ports.answers = {msgbox::kAnswerYes, msgbox::kAnswerOk, msgbox::kAnswerOk, msgbox::kAnswerOk};
    Body body(ports.AllPorts());
    body.OnLoad();
    for (int n = 1; n < 100; ++n) {
        ports.Select(n <= percent ? 1 : 2);
        body.OnNxtClick();
    }
    ports.Select(percent == 100 ? 1 : 2);
    ports.trace.clear();
    EXPECT_THROW(body.OnNxtClick(), ProgramEnded);
    const Trace trace = ports.TakeTrace();
    ASSERT_GE(trace.size(), 2U);
    EXPECT_EQ(trace[trace.size() - 2].rfind("msgbox 64 ", 0), 0U);
    EXPECT_EQ(trace.back(), "end");
}

class GreetingTest : public ::testing::Test {
  protected:
    void SetUp() override { ports.files["data.bin"] = MakeBankBytes(3); }

    // The question the start-up greeting puts, answered Yes.
    std::string Greeting() {
        ports.answers = {msgbox::kAnswerYes, msgbox::kAnswerOk};
        Body{ports.AllPorts()}.OnLoad();
        const Trace trace = ports.TakeTrace();
        EXPECT_GE(trace.size(), 4U);
        if (trace.size() < 4) {
            return "no start-up";
        }
        EXPECT_EQ(trace[2], "msgbox 64 \"Желаю удачи :)\"");
        EXPECT_EQ(trace[3], "Timer1.Interval = 1000");
        const std::string prefix = "msgbox 36 \"";
        if (trace[1].rfind(prefix, 0) != 0) {
            return "no question: " + trace[1];
        }
        return trace[1].substr(prefix.size(), trace[1].size() - prefix.size() - 1);
    }

    std::string GreetingForStored(std::string_view bytes, std::uint32_t type = reg::kSz) {
        ports.registry.PutValue(kMachineKey, "LastScore", {type, Bytes(bytes)});
        return Greeting();
    }

    const MemoryRegistry::Value* Stored(const std::string& key) const {
        return ports.registry.FindValue(key, "LastScore");
    }

    void Save(int percent) { RunToTheEnd(ports, percent); }

    FakePorts ports;
    Body body{ports.AllPorts()};
};

TEST_F(GreetingTest, FirstRunAsksAndCreatesNoKey) {
    EXPECT_EQ(Greeting(), "Вы готовы пройти Ворникат ?");
    EXPECT_FALSE(ports.registry.HasKey(kMachineKey));

    ports.answers = {msgbox::kAnswerNo, msgbox::kAnswerOk};
    EXPECT_THROW(body.OnLoad(), ProgramEnded);
    EXPECT_EQ(ports.TakeTrace(), (Trace{"chdir", "msgbox 36 \"Вы готовы пройти Ворникат ?\"",
                                        "msgbox 64 \"Значит вы ламер :)\"", "end"}));
    EXPECT_EQ(ports.EndedWith(), ExitStatus::Success);
    EXPECT_FALSE(ports.registry.HasKey(kMachineKey));
    EXPECT_FALSE(ports.registry.HasKey(kUserKey));
}

TEST_F(GreetingTest, AReturningUserWhoDeclinesIsCalledALamerInTheSecondPerson) {
    ports.registry.PutValue(kMachineKey, "LastScore", {reg::kSz, Bytes(std::string(" 33\0", 4))});
    ports.answers = {msgbox::kAnswerNo, msgbox::kAnswerOk};
    EXPECT_THROW(body.OnLoad(), ProgramEnded);
    EXPECT_EQ(ports.TakeTrace(), (Trace{"chdir", "msgbox 36 \"" + kTeapot + "\"",
                                        "msgbox 64 \"Значит ты ламер :)\"", "end"}));
    EXPECT_EQ(ports.EndedWith(), ExitStatus::Success);
}

TEST_F(GreetingTest, StoredTextsGiveTheirGreetings) {
    using namespace std::string_literals;
    const struct {
        std::string stored;
        std::string greeting;
    } cases[] = {
        {" 33\0"s, kTeapot},
        {" 0\0"s, kLamer},
        {" 30\0"s, kLamer},
        {" 31\0"s, kTeapot},
        {" 49\0"s, kTeapot},
        {" 50\0"s, kMiddle},
        {" 70\0"s, kMiddle},
        {" 71\0"s, kProfi},
        {" 100\0"s, kProfi},
        {" 101\0"s, kHacker},
        {"-1\0"s, kHacker},
        // Halves go to the even neighbour.
        {"30.5\0"s, kLamer},
        {"49.5\0"s, kMiddle},
        {"70.5\0"s, kMiddle},
        {"100.5\0"s, kProfi},
        {"-0.5\0"s, kLamer},
        {"  +45.9\0"s, kTeapot},
        {"45abc\0"s, kTeapot},
        // No number reads as 0.
        {"abc\0"s, kLamer},
        {"\0"s, kLamer},
        {"."s, kLamer},
        // Past 16 bits counts as outside 0 to 100, whatever the low bits say.
        {"40000\0"s, kHacker},
        {"65566\0"s, kHacker},
        {"32767.5\0"s, kHacker},
        {"00000000000000000000000000000000000000000000000000045\0"s, kTeapot},
        // Without its NUL the text loses its last character.
        {"333"s, kTeapot},
        // Bytes after the first NUL change nothing.
        {"33\0999"s, kTeapot},
        {"33\0 7\0"s, kTeapot},
        // No data at all reads as 0; so do spaces alone.
        {""s, kLamer},
        {"    "s, kLamer},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(GreetingForStored(c.stored), c.greeting) << "stored \"" << c.stored << "\"";
    }
}

TEST_F(GreetingTest, AnUnreadableValueAsksWhyTheRegistryWasDugInto) {
    ports.registry.AddKey(kMachineKey);
    EXPECT_EQ(Greeting(), kDigging);

    EXPECT_EQ(GreetingForStored(std::string(255, '7')), kHacker);
    EXPECT_EQ(GreetingForStored(std::string(254, ' ') + "42"), kDigging);
    // The type is never looked at.
    EXPECT_EQ(GreetingForStored(std::string(" 80\0", 4), reg::kBinary), kProfi);
}

TEST_F(GreetingTest, AScoreIsStoredWithItsSignPositionAndNul) {
    Save(33);
    const auto* value = Stored(kMachineKey);
    ASSERT_NE(value, nullptr);
    EXPECT_EQ(value->type, reg::kSz);
    EXPECT_EQ(value->data, Bytes(std::string(" 33\0", 4)));
    EXPECT_EQ(Greeting(), kTeapot);

    Save(100);
    EXPECT_EQ(Stored(kMachineKey)->data, Bytes(std::string(" 100\0", 5)));
    Save(0);
    EXPECT_EQ(Stored(kMachineKey)->data, Bytes(std::string(" 0\0", 3)));
    EXPECT_FALSE(ports.registry.HasKey(kUserKey));
}

TEST_F(GreetingTest, AUserWhoMayNotWriteTheMachinesKeyKeepsTheScoreInTheirOwn) {
    ports.registry.DenyWrites("HKEY_LOCAL_MACHINE");
    Save(71);
    EXPECT_FALSE(ports.registry.HasKey(kMachineKey));
    ASSERT_NE(Stored(kUserKey), nullptr);
    EXPECT_EQ(Stored(kUserKey)->data, Bytes(std::string(" 71\0", 4)));
    EXPECT_EQ(Greeting(), kProfi);

    FakePorts other;
    other.registry.DenyAccess("HKEY_LOCAL_MACHINE\\Software");
    RunToTheEnd(other, 40);
    EXPECT_EQ(other.registry.FindValue(kUserKey, "LastScore")->data,
              Bytes(std::string(" 40\0", 4)));
}

TEST_F(GreetingTest, TheUsersOwnKeyIsReadFirstAndKeptUpToDate) {
    ports.registry.PutValue(kMachineKey, "LastScore", {reg::kSz, Bytes(std::string(" 5\0", 3))});
    ports.registry.PutValue(kUserKey, "LastScore", {reg::kSz, Bytes(std::string(" 95\0", 4))});
    EXPECT_EQ(Greeting(), kProfi);

    Save(40);
    EXPECT_EQ(Stored(kMachineKey)->data, Bytes(std::string(" 40\0", 4)));
    EXPECT_EQ(Stored(kUserKey)->data, Bytes(std::string(" 40\0", 4)));
    EXPECT_EQ(Greeting(), kTeapot);
}

TEST_F(GreetingTest, AScoreThatCannotBeStoredAnywhereIsLostSilently) {
    ports.registry.DenyWrites("HKEY_LOCAL_MACHINE");
    ports.registry.DenyWrites("HKEY_CURRENT_USER");
    Save(50);
    EXPECT_FALSE(ports.registry.HasKey(kMachineKey));
    EXPECT_FALSE(ports.registry.HasKey(kUserKey));
    EXPECT_EQ(Greeting(), "Вы готовы пройти Ворникат ?");
}

}  // namespace
}  // namespace vornikat
