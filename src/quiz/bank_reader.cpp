#include "bank_reader.hpp"

#include <algorithm>
#include <array>
#include <bit>
#include <cstring>
#include <memory>
#include <stdexcept>

#include "bank_format.hpp"
#include "cp1251.hpp"
#include "rounding.hpp"

namespace vornikat {
namespace {

// Hands out 16-bit units from a source read in large chunks.
class UnitReader {
  public:
    explicit UnitReader(ByteSource& source)
        : source_(source), buffer_(std::make_unique<std::array<std::uint8_t, kChunk>>()) {}

    std::int16_t Next() {
        std::int16_t unit = 0;
        ForRuns(1, [&](const std::uint8_t* bytes, std::size_t) { unit = UnitAt(bytes, 0); });
        return unit;
    }

    // Calls visit(bytes, n) over consecutive runs of whole units, count units in all.
    template <typename Visit>
    void ForRuns(std::size_t count, Visit&& visit) {
        while (count > 0) {
            if (end_ - pos_ < 2) {
                Refill();
            }
            const std::size_t n = std::min(count, (end_ - pos_) / 2);
            visit(buffer_->data() + pos_, n);
            pos_ += 2 * n;
            consumed_ += 2 * n;
            count -= n;
        }
    }

    static std::int16_t UnitAt(const std::uint8_t* bytes, std::size_t index) {
        return static_cast<std::int16_t>(
            static_cast<std::uint16_t>(bytes[2 * index] | (bytes[2 * index + 1] << 8)));
    }

    std::uint64_t Offset() const { return consumed_; }

    bool AtEnd() {
        if (pos_ < end_) {
            return false;
        }
        pos_ = 0;
        end_ = source_.Read(buffer_->data(), kChunk);
        return end_ == 0;
    }

  private:
    static constexpr std::size_t kChunk = 1 << 16;

    // Moves a leftover odd byte to the front and reads until a whole unit is there.
    void Refill() {
        const std::size_t left = end_ - pos_;
        auto& b = *buffer_;
        if (left == 1) {
            b[0] = b[pos_];
        }
        pos_ = 0;
        end_ = left;
        while (end_ < 2) {
            const std::size_t got = source_.Read(b.data() + end_, kChunk - end_);
            if (got == 0) {
                throw BankReadError(err::kInputPastEnd, consumed_, "the file ends too early");
            }
            end_ += got;
        }
    }

    ByteSource& source_;
    std::unique_ptr<std::array<std::uint8_t, kChunk>> buffer_;
    std::size_t pos_ = 0;
    std::size_t end_ = 0;
    std::uint64_t consumed_ = 0;
};

static_assert(std::endian::native == std::endian::little,
              "units are copied straight into the texts before decoding");

// Turns codes into characters in place: 0xC0..0xFF are А..я (U+0410..U+044F), the
// 0x80..0xBF range goes through the table. False if a code falls outside 0..255.
bool CodesToCharacters(char16_t* text, std::size_t n, std::int16_t bad, std::int16_t upperHalf) {
    if (bad != 0) {
        return false;
    }
    if (upperHalf != 0) {
        for (std::size_t i = 0; i < n; ++i) {
            if (text[i] >= 0x3D0 && text[i] < 0x410) {
                text[i] = DecodeCp1251(static_cast<std::uint8_t>(text[i] - 0x350));
            }
        }
    }
    return true;
}

// The loops below stay branch-free in 16-bit lanes, with no table lookups, so that the
// compiler vectorises them and the load runs at memory speed. Each leaves codes of
// 0x80 and above shifted by 0x350 for CodesToCharacters.

// Units that are exact multiples of the factor, as every bank writer stores them: false
// when one is not, and the slower rounding path must decode the run instead.
template <std::int16_t Factor>
bool DecodeExactInPlace(char16_t* text, std::size_t n, std::int16_t& bad, std::int16_t& upperHalf) {
    std::int16_t inexact = 0;
    for (std::size_t i = 0; i < n; ++i) {
        const auto unit = static_cast<std::int16_t>(text[i]);
        // An exact multiple divides without rounding, so a power of two is a plain shift.
        const auto code = static_cast<std::int16_t>(
            (Factor & (Factor - 1)) == 0 ? unit >> std::countr_zero(static_cast<unsigned>(Factor))
                                         : unit / Factor);
        inexact |= static_cast<std::int16_t>(unit - code * Factor);
        bad |= static_cast<std::int16_t>(static_cast<std::uint16_t>(code) > 255);
        upperHalf |= static_cast<std::int16_t>(static_cast<std::uint16_t>(code - 0x80) < 0x40);
        const auto high = static_cast<std::int16_t>(-static_cast<std::int16_t>(code >= 0x80));
        text[i] = static_cast<char16_t>(code + (high & 0x350));
    }
    return inexact == 0;
}

// Any units: the quotient rounded to the nearest code, ties to the even one.
template <std::int16_t Factor>
void DecodeRoundingInPlace(char16_t* text, std::size_t n, std::int16_t& bad,
                           std::int16_t& upperHalf) {
    for (std::size_t i = 0; i < n; ++i) {
        const auto unit = static_cast<std::int16_t>(text[i]);
        const auto quotient = static_cast<std::int16_t>(unit / Factor);
        const auto remainder = static_cast<std::int16_t>(unit - quotient * Factor);
        const auto negative = static_cast<std::int16_t>(remainder >> 15);
        const auto twice = static_cast<std::int16_t>(2 * ((remainder ^ negative) - negative));
        // Away from zero past the half, and at the half only from an odd quotient.
        const auto away = static_cast<std::int16_t>(-static_cast<std::int16_t>(twice > Factor) |
                                                    (-static_cast<std::int16_t>(twice == Factor) &
                                                     -static_cast<std::int16_t>(quotient & 1)));
        const auto sign = static_cast<std::int16_t>((unit >> 15) | 1);
        const auto code = static_cast<std::int16_t>(quotient + (away & sign));
        bad |= static_cast<std::int16_t>(static_cast<std::uint16_t>(code) > 255);
        upperHalf |= static_cast<std::int16_t>(static_cast<std::uint16_t>(code - 0x80) < 0x40);
        const auto high = static_cast<std::int16_t>(-static_cast<std::int16_t>(code >= 0x80));
        text[i] = static_cast<char16_t>(code + (high & 0x350));
    }
}

class BankParser {
  public:
    BankParser(ByteSource& source, BankReadInfo* info) : units_(source), info_(info) {}

    QuestionBank Parse() {
        QuestionBank bank;
        bank.QuestionMax = units_.Next();
        const std::int16_t last = bank.QuestionMax;
        if (last < 0) {
            throw BankReadError(
                err::kSubscriptOutOfRange, 0,
                "the question count field is negative (" + std::to_string(last) + ")");
        }
        for (auto* texts : {&bank.Questions, &bank.Answers1, &bank.Answers2, &bank.Answers3,
                            &bank.Answers4, &bank.Answers5}) {
            texts->Redim(last);
        }
        bank.RightAnswer.Redim(last);

        ReadSection<bankformat::kQuestionFactor>(bank.Questions, last);
        for (int option = 1; option <= 5; ++option) {
            ReadSection<bankformat::kOptionFactor>(bank.Answers(option), last);
        }
        for (std::int16_t i = 0; i <= last; i = NextIndex(i)) {
            bank.RightAnswer.At(i) =
                static_cast<std::int16_t>(Decode<bankformat::kRightOptionFactor>(units_.Next()));
        }
        if (info_ != nullptr) {
            info_->bytesRead = units_.Offset();
            info_->trailingBytes = !units_.AtEnd();
        }
        return bank;
    }

  private:
    template <std::int32_t Factor>
    std::int32_t Decode(std::int16_t unit) {
        const std::int32_t value = DivideRoundHalfEven(unit, Factor);
        if (info_ != nullptr && unit % Factor != 0) {
            ++info_->inexactUnits;
        }
        return value;
    }

    template <std::int16_t Factor>
    void DecodeRun(const std::uint8_t* bytes, std::size_t n, char16_t* out) {
        std::int16_t bad = 0;
        std::int16_t upperHalf = 0;
        std::memcpy(out, bytes, 2 * n);
        if (!DecodeExactInPlace<Factor>(out, n, bad, upperHalf)) {
            bad = upperHalf = 0;
            std::memcpy(out, bytes, 2 * n);
            DecodeRoundingInPlace<Factor>(out, n, bad, upperHalf);
        }
        if (!CodesToCharacters(out, n, bad, upperHalf)) {
            ReportBadUnit<Factor>(bytes, n);
        }
        if (info_ != nullptr) {
            for (std::size_t i = 0; i < n; ++i) {
                info_->inexactUnits += UnitReader::UnitAt(bytes, i) % Factor != 0 ? 1 : 0;
            }
        }
    }

    template <std::int16_t Factor>
    [[noreturn]] void ReportBadUnit(const std::uint8_t* bytes, std::size_t n) {
        for (std::size_t i = 0; i < n; ++i) {
            const std::int16_t unit = UnitReader::UnitAt(bytes, i);
            const std::int32_t code = DivideRoundHalfEven(unit, Factor);
            if (code < 0 || code > 255) {
                throw BankReadError(err::kInvalidCall, units_.Offset() + 2 * i,
                                    "the unit " + std::to_string(unit) + " decodes to the code " +
                                        std::to_string(code) + ", outside 0..255");
            }
        }
        throw std::logic_error("no bad unit in a run reported as bad");
    }

    template <std::int16_t Factor>
    void ReadSection(CheckedArray<std::u16string>& texts, std::int16_t last) {
        // The index steps with overflow detection: a section of 32768 records overflows
        // right after its last one.
        for (std::int16_t i = 0; i <= last; i = NextIndex(i)) {
            texts.At(i) = ReadText<Factor>();
        }
    }

    std::int16_t NextIndex(std::int16_t i) {
        if (i == INT16_MAX) {
            throw BankReadError(err::kOverflow, units_.Offset(),
                                "a bank cannot hold 32768 questions");
        }
        return static_cast<std::int16_t>(i + 1);
    }

    template <std::int16_t Factor>
    std::u16string ReadText() {
        const std::uint64_t start = units_.Offset();
        const std::int16_t length = units_.Next();
        if (length >= bankformat::kMaxTextLength) {
            throw BankReadError(err::kOverflow, start,
                                "the text length field " + std::to_string(length) +
                                    " is too large (at most 32765)");
        }
        const std::int32_t lastUnit = length + 1;
        std::u16string text;
        if (lastUnit < 0) {
            return text;
        }
        // The first unit is decoded and checked, then thrown away.
        char16_t dropped = 0;
        units_.ForRuns(1, [&](const std::uint8_t* bytes, std::size_t n) {
            DecodeRun<Factor>(bytes, n, &dropped);
        });
        text.resize(static_cast<std::size_t>(lastUnit));
        char16_t* out = text.data();
        units_.ForRuns(text.size(), [&](const std::uint8_t* bytes, std::size_t n) {
            DecodeRun<Factor>(bytes, n, out);
            out += n;
        });
        return text;
    }

    UnitReader units_;
    BankReadInfo* info_;
};

}  // namespace

QuestionBank ReadQuestionBank(ByteSource& source, BankReadInfo* info) {
    return BankParser(source, info).Parse();
}

}  // namespace vornikat
