// SPDX-License-Identifier: MIT
#include "bank_check.hpp"

#include <array>
#include <exception>

#include "bank_reader.hpp"

namespace vornikat::bank {
namespace {

// Counts what the loader takes from the source, so the bytes it leaves are known.
class CountingSource : public ByteSource {
  public:
    explicit CountingSource(ByteSource& inner) : inner_(inner) {}
    std::size_t Read(std::uint8_t* buffer, std::size_t size) override {
        const std::size_t got = inner_.Read(buffer, size);
        delivered_ += got;
        return got;
    }
    std::uint64_t Delivered() const { return delivered_; }

    void Drain() {
        std::array<std::uint8_t, 1 << 16> buffer;
        while (Read(buffer.data(), buffer.size()) > 0) {
        }
    }

  private:
    ByteSource& inner_;
    std::uint64_t delivered_ = 0;
};

std::string Count(std::uint64_t n, const std::string& one, const std::string& many) {
    return std::to_string(n) + " " + (n == 1 ? one : many);
}

// One warning a question, up to a few, then how many more there are.
class QuestionWarnings {
  public:
    QuestionWarnings(std::vector<std::string>& out, std::string what)
        : out_(out), what_(std::move(what)) {}
    ~QuestionWarnings() {
        if (count_ > kShown) {
            out_.push_back("and " + Count(count_ - kShown, "more question ", "more questions ") +
                           what_);
        }
    }
    QuestionWarnings(const QuestionWarnings&) = delete;
    QuestionWarnings& operator=(const QuestionWarnings&) = delete;

    void Add(std::string warning) {
        if (++count_ <= kShown) {
            out_.push_back(std::move(warning));
        }
    }

  private:
    static constexpr std::uint64_t kShown = 10;
    std::vector<std::string>& out_;
    std::string what_;
    std::uint64_t count_ = 0;
};

void WarnAboutQuestions(const QuestionBank& bank, std::vector<std::string>& warnings) {
    const long count = static_cast<long>(bank.Questions.Size());
    {
        QuestionWarnings right(warnings, "with a right option outside 1..5");
        for (long i = 0; i < count; ++i) {
            const std::int16_t r = bank.RightAnswer.At(i);
            if (r < 1 || r > 5) {
                right.Add("question " + std::to_string(i + 1) + ": the right option is " +
                          std::to_string(r) + ", outside 1..5, so no answer counts as right");
            }
        }
    }
    QuestionWarnings empty(warnings, "with an empty question text");
    for (long i = 0; i < count; ++i) {
        if (bank.Questions.At(i).empty()) {
            empty.Add("question " + std::to_string(i + 1) + ": the question text is empty");
        }
    }
}

}  // namespace

CheckReport CheckBank(ByteSource& source) {
    CountingSource counted(source);
    CheckReport report;
    BankReadInfo info;
    QuestionBank bank;
    try {
        bank = ReadQuestionBank(counted, &info);
        counted.Drain();
    } catch (const BankReadError& error) {
        report.summary = "at byte " + std::to_string(error.Offset()) + ": " + error.Reason() +
                         "; the quiz refuses this bank";
        return report;
    } catch (const std::exception& error) {
        // The quiz refuses a bank it cannot read for any reason at all.
        report.summary = "reading failed after byte " + std::to_string(counted.Delivered()) + " (" +
                         error.what() + "); the quiz refuses this bank";
        return report;
    }
    report.loads = true;
    report.summary = Count(bank.Questions.Size(), "question", "questions");
    WarnAboutQuestions(bank, report.warnings);
    if (info.inexactUnits > 0) {
        report.warnings.push_back(
            info.inexactUnits == 1
                ? std::string("1 unit is not an exact multiple of its factor; the program rounds "
                              "it to the nearest value")
                : std::to_string(info.inexactUnits) +
                      " units are not exact multiples of their factor; the program rounds them "
                      "to the nearest value");
    }
    if (const std::uint64_t trailing = counted.Delivered() - info.bytesRead; trailing > 0) {
        report.warnings.push_back(Count(trailing, "byte", "bytes") +
                                  " after the end of the bank; the program ignores them");
    }
    return report;
}

}  // namespace vornikat::bank
