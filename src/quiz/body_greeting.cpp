// The stored last score and the greeting at start-up.
#include <array>
#include <string>

#include "body.hpp"
#include "cp1251.hpp"
#include "stored_score.hpp"

namespace vornikat {
namespace {

constexpr std::string_view kScoreKeyPath = "Software\\Vornikat";
constexpr std::string_view kScoreValue = "LastScore";
constexpr std::size_t kReadBufferSize = 255;

// A standard user may not write under HKEY_LOCAL_MACHINE, so a score may live in the user's
// own key instead; that key, when there is one, is the one to read.
long OpenScoreKey(RegistryPort& registry, RegKey& key) {
    if (registry.OpenKey(kHKeyCurrentUser, kScoreKeyPath, RegAccess::Default, key) ==
        reg::kSuccess) {
        return reg::kSuccess;
    }
    return registry.OpenKey(kHKeyLocalMachine, kScoreKeyPath, RegAccess::Default, key);
}

// Opens Software, creates Vornikat under it and sets the value; true when it was stored.
bool StoreScoreUnder(RegistryPort& registry, RegKey root, std::span<const std::uint8_t> data) {
    RegKey software = 0;
    RegKey vornikat = 0;
    const bool stored =
        registry.OpenKey(root, "Software", RegAccess::Default, software) == reg::kSuccess &&
        registry.CreateKey(software, "Vornikat", vornikat) == reg::kSuccess &&
        registry.SetValue(vornikat, kScoreValue, reg::kSz, data) == reg::kSuccess;
    if (vornikat != 0) {
        registry.CloseKey(vornikat);
    }
    if (software != 0) {
        registry.CloseKey(software);
    }
    return stored;
}

std::u16string GreetingFor(std::optional<std::int16_t> score) {
    const std::int16_t s = score.value_or(-1);
    if (s >= 0 && s <= 30) {
        return u"А, это ты ламерятина, зачем пришёл ?\rБудешь играть ?";
    }
    if (s >= 31 && s <= 49) {
        return u"Привет чайник, что тебе надо ?\rБудешь играть ?";
    }
    if (s >= 50 && s <= 70) {
        return u"Привет, что ты хочешь ?\rБудешь играть ?";
    }
    if (s >= 71 && s <= 100) {
        return u"Привет Mr.Profi, хорошо что зашёл !\rБудешь играть ?";
    }
    return u"Привет Хакер, играй честно в этот раз !\rТак ты будешь играть ?";
}

}  // namespace

void Body::SaveLastScore(const float& percent) {
    std::string text = EncodeCp1251(ScoreToText(percent)).value_or(std::string());
    text += '\0';
    const std::span<const std::uint8_t> data(reinterpret_cast<const std::uint8_t*>(text.data()),
                                             text.size());
    if (!StoreScoreUnder(ports_.registry, kHKeyLocalMachine, data)) {
        StoreScoreUnder(ports_.registry, kHKeyCurrentUser, data);
        return;
    }
    // A key of the user's own, left by an earlier run that could not write the machine's,
    // is read first at the next start, so it must not keep an older score.
    RegKey own = 0;
    if (ports_.registry.OpenKey(kHKeyCurrentUser, kScoreKeyPath, RegAccess::Default, own) ==
        reg::kSuccess) {
        ports_.registry.SetValue(own, kScoreValue, reg::kSz, data);
        ports_.registry.CloseKey(own);
    }
}

void Body::GreetAtStartup() {
    RegKey key = 0;
    if (OpenScoreKey(ports_.registry, key) == reg::kSuccess) {
        ports_.registry.CloseKey(key);
        GreetReturningUser();
        return;
    }
    if (ShowMessage(u"Вы готовы пройти Ворникат ?", msgbox::kYesNo | msgbox::kQuestion) ==
        msgbox::kAnswerNo) {
        ShowMessage(u"Значит вы ламер :)", msgbox::kInformation | msgbox::kOkOnly);
        ports_.process.EndProgram(ExitStatus::Success);
    }
    ShowMessage(u"Желаю удачи :)", msgbox::kInformation | msgbox::kOkOnly);
}

void Body::GreetReturningUser() {
    std::array<std::uint8_t, kReadBufferSize> buffer{};
    buffer.fill(' ');
    // A failed open leaves the key empty, and the read below fails on it.
    RegKey key = 0;
    OpenScoreKey(ports_.registry, key);
    std::uint32_t type = 0;
    std::uint32_t size = kReadBufferSize;
    const long result = ports_.registry.QueryValue(key, kScoreValue, type, buffer, size);
    if (key != 0) {
        ports_.registry.CloseKey(key);
    }
    const std::u16string text =
        DecodeCp1251(std::string_view(reinterpret_cast<const char*>(buffer.data()), buffer.size()));

    std::u16string message;
    if (result != reg::kSuccess) {
        message = u"А зачем надо было в реестре капаться ?\rБудешь играть или нет ?";
    } else {
        message = GreetingFor(ReadLeadingNumber(CleanStoredText(text)));
    }
    if (ShowMessage(message, msgbox::kYesNo | msgbox::kQuestion) == msgbox::kAnswerNo) {
        ShowMessage(u"Значит ты ламер :)", msgbox::kInformation | msgbox::kOkOnly);
        ports_.process.EndProgram(ExitStatus::Success);
    }
    ShowMessage(u"Желаю удачи :)", msgbox::kInformation | msgbox::kOkOnly);
}

}  // namespace vornikat
