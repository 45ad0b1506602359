// SPDX-License-Identifier: MIT
#include "bank_reader.hpp"

#include <algorithm>
#include <array>
#include <bit>
#include <memory>

#include "arithmetic.hpp"
#include "bank_format.hpp"
#include "cp1251.hpp"

namespace vornikat {
namespace {

static_assert(std::endian::native == std::endian::little,
              "units are copied straight into the texts before decoding");

// Hands out 16-bit units from a source read in large chunks. The chunk is held as units,
// so a run of them can be appended to a text as it stands.
class UnitReader {
  public:
    explicit UnitReader(ByteSource& source)
        : source_(source),
          // Left unfilled: every unit is read in before it is handed out. (new[] without
          // braces, as clang 14's library lacks make_unique_for_overwrite.)
          buffer_(new char16_t[kChunkUnits]) {}

    std::int16_t Next() {
        std::int16_t unit = 0;
        ForRuns(1, [&](const char16_t* units, std::size_t) {
            unit = static_cast<std::int16_t>(units[0]);
        });
        return unit;
    }

    // Calls visit(units, n) over consecutive runs of units, count units in all.
    template <typename Visit>
    void ForRuns(std::size_t count, Visit&& visit) {
        while (count > 0) {
            if (end_ - pos_ < 2) {
                Refill();
            }
            const std::size_t n = std::min(count, (end_ - pos_) / 2);
            visit(buffer_.get() + pos_ / 2, n);
            pos_ += 2 * n;
            consumed_ += 2 * n;
            count -= n;
        }
    }

    std::uint64_t Offset() const { return consumed_; }

    bool AtEnd() {
        if (pos_ < end_) {
            return false;
        }
        pos_ = 0;
        end_ = source_.Read(Bytes(), kChunkBytes);
        return end_ == 0;
    }

  private:
    static constexpr std::size_t kChunkUnits = 1 << 15;
    static constexpr std::size_t kChunkBytes = 2 * kChunkUnits;

    std::uint8_t* Bytes() { return reinterpret_cast<std::uint8_t*>(buffer_.get()); }

    // Moves a leftover odd byte to the front and reads until a whole unit is there, so
    // that units always start at an even byte.
    void Refill() {
        const std::size_t left = end_ - pos_;
        if (left == 1) {
            Bytes()[0] = Bytes()[pos_];
        }
        pos_ = 0;
        end_ = left;
        while (end_ < 2) {
            const std::size_t got = source_.Read(Bytes() + end_, kChunkBytes - end_);
            if (got == 0) {
                throw BankReadError(err::kInputPastEnd, consumed_, "the file ends too early");
            }
            end_ += got;
        }
    }

    ByteSource& source_;
    std::unique_ptr<char16_t[]> buffer_;
    std::size_t pos_ = 0;  // in bytes
    std::size_t end_ = 0;
    std::uint64_t consumed_ = 0;
};

// The decoding loops stay branch-free in 16-bit lanes, with no table lookups, so that the
// compiler vectorises them and the load runs at memory speed. They turn units into codes,
// leaving codes of 0x80 and above raised by 0x350, so that 0xC0..0xFF already are А..я
// (U+0410..U+044F); CharactersFromCodes finishes the rest.
constexpr char16_t kCodeShift = 0x350;

// The units that decode into 0..255: from minus half the factor (which rounds to the even
// 0) up to just below 255.5 times it (which rounds to 256). Both factors are even.
template <std::int16_t Factor>
constexpr std::int16_t kLowestUnit = -(Factor / 2);
template <std::int16_t Factor>
constexpr std::int16_t kHighestUnit = 255 * Factor + Factor / 2 - 1;

template <std::int16_t Factor>
constexpr bool IsBadUnit(std::int16_t unit) {
    return unit < kLowestUnit<Factor> || unit > kHighestUnit<Factor>;
}

// What a decoding pass saw.
struct DecodeFlags {
    std::int16_t bad = 0;        // a unit that decodes outside 0..255
    std::int16_t inexact = 0;    // a unit that is not an exact multiple of the factor
    std::int16_t upperHalf = 0;  // a code in 0x80..0xBF, which needs the table
};

// Stores a code, raised when it is 0x80 or above, and notes what the finish needs.
inline void PutCode(std::int16_t code, char16_t& out, DecodeFlags& flags) {
    flags.upperHalf |= static_cast<std::int16_t>(static_cast<std::uint16_t>(code - 0x80) < 0x40);
    const auto high = static_cast<std::int16_t>(-static_cast<std::int16_t>(code >= 0x80));
    out = static_cast<char16_t>(code + (high & kCodeShift));
}

// The common case of a canonical bank: every unit an exact multiple, so the quotient needs
// no rounding (and a power of two is a plain shift). Also finds what is bad or inexact.
template <std::int16_t Factor>
DecodeFlags DecodeExact(const char16_t* units, char16_t* text, std::size_t n) {
    static_assert(Factor % 2 == 0);
    DecodeFlags flags;
    for (std::size_t i = 0; i < n; ++i) {
        const auto unit = static_cast<std::int16_t>(units[i]);
        flags.bad |= static_cast<std::int16_t>(IsBadUnit<Factor>(unit));
        const auto code = static_cast<std::int16_t>(
            (Factor & (Factor - 1)) == 0 ? unit >> std::countr_zero(static_cast<unsigned>(Factor))
                                         : unit / Factor);
        flags.inexact |= static_cast<std::int16_t>(unit - code * Factor);
        PutCode(code, text[i], flags);
    }
    return flags;
}

// Any units: the quotient rounded to the nearest code, ties to the even one.
template <std::int16_t Factor>
DecodeFlags DecodeRounding(const char16_t* units, char16_t* text, std::size_t n) {
    DecodeFlags flags;
    for (std::size_t i = 0; i < n; ++i) {
        const auto unit = static_cast<std::int16_t>(units[i]);
        const auto quotient = static_cast<std::int16_t>(unit / Factor);
        const auto remainder = static_cast<std::int16_t>(unit - quotient * Factor);
        const auto negative = static_cast<std::int16_t>(remainder >> 15);
        const auto twice = static_cast<std::int16_t>(2 * ((remainder ^ negative) - negative));
        // Away from zero past the half, and at the half only from an odd quotient.
        const auto away = static_cast<std::int16_t>(-static_cast<std::int16_t>(twice > Factor) |
                                                    (-static_cast<std::int16_t>(twice == Factor) &
                                                     -static_cast<std::int16_t>(quotient & 1)));
        const auto sign = static_cast<std::int16_t>((unit >> 15) | 1);
        PutCode(static_cast<std::int16_t>(quotient + (away & sign)), text[i], flags);
    }
    return flags;
}

// Finishes decoding valid codes: 0x80..0xBF through the table.
void CharactersFromCodes(char16_t* text, std::size_t n) {
    for (std::size_t i = 0; i < n; ++i) {
        if (text[i] >= 0x80 + kCodeShift && text[i] < 0xC0 + kCodeShift) {
            text[i] = DecodeCp1251(static_cast<std::uint8_t>(text[i] - kCodeShift));
        }
    }
}

class BankParser {
  public:
    BankParser(ByteSource& source, BankReadInfo* info) : units_(source), info_(info) {}

    QuestionBank Parse() {
        QuestionBank bank;
        const std::array<CheckedArray<std::u16string>*, 6> sections = {
            &bank.Questions, &bank.Answers1, &bank.Answers2,
            &bank.Answers3,  &bank.Answers4, &bank.Answers5};
        ReadSections(
            [&bank](std::int16_t last) { bank.QuestionMax = last; },
            [&sections](int section, std::int16_t) -> std::u16string& {
                return sections[static_cast<std::size_t>(section)]->Append({});
            },
            [&bank](std::int16_t, std::int16_t option) { bank.RightAnswer.Append(option); });
        return bank;
    }

    std::vector<QuestionRecord> ParseRecords() {
        std::vector<QuestionRecord> records;
        std::int16_t last = 0;
        const auto at = [&records](std::int16_t i) -> QuestionRecord& {
            return records.at(static_cast<std::size_t>(i));
        };
        // Room for all the header promises is made once the file has shown that many records,
        // so that a big bank is not moved as it grows, while a header that lies in a small
        // file costs nothing.
        constexpr std::int16_t kShownBeforeRoom = 1024;
        ReadSections([&last](std::int16_t header) { last = header; },
                     [&](int section, std::int16_t i) -> std::u16string& {
                         if (section > 0) {
                             return at(i).options.at(static_cast<std::size_t>(section - 1));
                         }
                         if (i == kShownBeforeRoom) {
                             records.reserve(static_cast<std::size_t>(last) + 1);
                         }
                         return records.emplace_back().question;
                     },
                     [&](std::int16_t i, std::int16_t option) { at(i).rightOption = option; });
        return records;
    }

  private:
    // Reads the file front to back: the header, whose last index goes to start(last); the
    // question texts (section 0); the texts of options 1..5 (sections 1..5); the right options.
    // Each text is decoded into text(section, index), each right option handed to
    // right(index, option).
    template <typename Start, typename Text, typename Right>
    void ReadSections(Start start, Text text, Right right) {
        const std::int16_t last = units_.Next();
        if (last < 0) {
            throw BankReadError(
                err::kSubscriptOutOfRange, 0,
                "the question count field is negative (" + std::to_string(last) + ")");
        }
        start(last);
        // The texts are added as their records are read rather than being made at full size
        // first: a header that promises more than the file holds then costs nothing, and a
        // bank that loads ends with every index 0..last filled all the same.
        ReadSection<bankformat::kQuestionFactor>(0, last, text);
        for (int option = 1; option <= 5; ++option) {
            ReadSection<bankformat::kOptionFactor>(option, last, text);
        }
        for (std::int16_t i = 0; i <= last; i = NextIndex(i)) {
            const std::int16_t unit = units_.Next();
            CountInexact(unit, bankformat::kRightOptionFactor);
            right(i, static_cast<std::int16_t>(
                         DivideRoundHalfEven(unit, bankformat::kRightOptionFactor)));
        }
        if (info_ != nullptr) {
            info_->bytesRead = units_.Offset();
            info_->trailingBytes = !units_.AtEnd();
        }
    }

    void CountInexact(std::int16_t unit, std::int32_t factor) {
        if (info_ != nullptr && unit % factor != 0) {
            ++info_->inexactUnits;
        }
    }

    // The index steps with overflow detection: a section of 32768 records overflows
    // right after its last one.
    std::int16_t NextIndex(std::int16_t i) {
        if (i == INT16_MAX) {
            throw BankReadError(err::kOverflow, units_.Offset(),
                                "a bank cannot hold 32768 questions");
        }
        return static_cast<std::int16_t>(i + 1);
    }

    template <std::int16_t Factor, typename Text>
    void ReadSection(int section, std::int16_t last, Text& text) {
        for (std::int16_t i = 0; i <= last; i = NextIndex(i)) {
            ReadText<Factor>(text(section, i));
        }
    }

    // Decodes units into text; start is the file offset of the first unit.
    template <std::int16_t Factor>
    void Decode(const char16_t* units, char16_t* text, std::size_t n, std::uint64_t start) {
        DecodeFlags flags = DecodeExact<Factor>(units, text, n);
        if (info_ != nullptr && flags.inexact != 0) {
            for (std::size_t i = 0; i < n; ++i) {
                CountInexact(static_cast<std::int16_t>(units[i]), Factor);
            }
        }
        if (flags.bad != 0) {
            ReportBadUnit<Factor>(units, n, start);
        }
        if (flags.inexact != 0) {
            flags = DecodeRounding<Factor>(units, text, n);
        }
        if (flags.upperHalf != 0) {
            CharactersFromCodes(text, n);
        }
    }

    template <std::int16_t Factor>
    [[noreturn]] void ReportBadUnit(const char16_t* units, std::size_t n, std::uint64_t start) {
        const auto* found = std::find_if(units, units + n, [](char16_t u) {
            return IsBadUnit<Factor>(static_cast<std::int16_t>(u));
        });
        const auto unit = static_cast<std::int16_t>(*found);
        throw BankReadError(
            err::kInvalidCall, start + 2 * static_cast<std::uint64_t>(found - units),
            "the unit " + std::to_string(unit) + " decodes to the code " +
                std::to_string(DivideRoundHalfEven(unit, Factor)) + ", outside 0..255");
    }

    // The units are decoded straight from the read buffer into the text, which is empty.
    template <std::int16_t Factor>
    void ReadText(std::u16string& text) {
        const std::uint64_t start = units_.Offset();
        const std::int16_t length = units_.Next();
        if (length >= bankformat::kMaxTextLength) {
            throw BankReadError(err::kOverflow, start,
                                "the text length field " + std::to_string(length) +
                                    " is too large (at most 32765)");
        }
        const std::int32_t characters = length + 1;
        if (characters < 0) {
            return;
        }
        // The first unit is decoded and checked, then thrown away.
        const char16_t dropped = static_cast<char16_t>(units_.Next());
        char16_t droppedCode = 0;
        Decode<Factor>(&dropped, &droppedCode, 1, start + 2);
        text.resize(static_cast<std::size_t>(characters));
        std::size_t done = 0;
        units_.ForRuns(static_cast<std::size_t>(characters),
                       [&](const char16_t* units, std::size_t n) {
                           Decode<Factor>(units, text.data() + done, n, start + 4 + 2 * done);
                           done += n;
                       });
    }

    UnitReader units_;
    BankReadInfo* info_;
};

}  // namespace

QuestionBank ReadQuestionBank(ByteSource& source, BankReadInfo* info) {
    return BankParser(source, info).Parse();
}

std::vector<QuestionRecord> ReadQuestionRecords(ByteSource& source) {
    return BankParser(source, nullptr).ParseRecords();
}

}  // namespace vornikat
