// SPDX-License-Identifier: MIT
#include "bank_check.hpp"

#include <exception>

#include "runtime_error.hpp"
#include "russian_plural.hpp"

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

  private:
    ByteSource& inner_;
    std::uint64_t delivered_ = 0;
};

// The words of one report, in its language.
class Words {
  public:
    explicit Words(Language language) : language_(language) {}

    std::string Say(std::string english, std::string russian) const {
        return language_ == Language::Russian ? std::move(russian) : std::move(english);
    }

    // "2 questions", "2 вопроса".
    std::string Count(std::uint64_t n, const std::string& one, const std::string& many,
                      std::string_view russianOne, std::string_view russianFew,
                      std::string_view russianMany) const {
        const auto count = static_cast<std::int64_t>(n);
        return std::to_string(n) + " " +
               Say(n == 1 ? one : many,
                   std::string(RussianPlural(count, russianOne, russianFew, russianMany)));
    }

  private:
    Language language_;
};

// One warning a question, up to a few, then how many more there are.
class QuestionWarnings {
  public:
    QuestionWarnings(std::vector<std::string>& out, const Words& words, std::string english,
                     std::string russian)
        : out_(out), words_(words), english_(std::move(english)), russian_(std::move(russian)) {}
    ~QuestionWarnings() {
        if (count_ > kShown) {
            const std::uint64_t more = count_ - kShown;
            out_.push_back(words_.Say(
                "and " + words_.Count(more, "more question ", "more questions ", "", "", "") +
                    english_,
                "и ещё " + words_.Count(more, "", "", "вопрос ", "вопроса ", "вопросов ") +
                    russian_));
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
    const Words& words_;
    std::string english_;
    std::string russian_;
    std::uint64_t count_ = 0;
};

void WarnAboutQuestions(const QuestionBank& bank, const Words& words,
                        std::vector<std::string>& warnings) {
    const long count = static_cast<long>(bank.Questions.Size());
    {
        QuestionWarnings right(warnings, words, "with a right option outside 1..5",
                               "с верным вариантом вне 1..5");
        for (long i = 0; i < count; ++i) {
            const std::int16_t r = bank.RightAnswer.At(i);
            if (r < 1 || r > 5) {
                const std::string number = std::to_string(i + 1);
                const std::string option = std::to_string(r);
                right.Add(words.Say("question " + number + ": the right option is " + option +
                                        ", outside 1..5, so no answer counts as right",
                                    "вопрос " + number + ": верный вариант " + option +
                                        ", вне 1..5, так что ни один ответ не засчитается"));
            }
        }
    }
    QuestionWarnings empty(warnings, words, "with an empty question text",
                           "с пустым текстом вопроса");
    for (long i = 0; i < count; ++i) {
        if (bank.Questions.At(i).empty()) {
            const std::string number = std::to_string(i + 1);
            empty.Add(words.Say("question " + number + ": the question text is empty",
                                "вопрос " + number + ": текст вопроса пуст"));
        }
    }
}

}  // namespace

std::string DescribeReadError(const BankReadError& error, Language language) {
    if (language == Language::English) {
        return error.Reason();
    }
    switch (error.Number()) {
        case err::kInputPastEnd:
            return "файл кончается раньше, чем банк";
        case err::kSubscriptOutOfRange:
            return "число вопросов в начале файла отрицательно";
        case err::kOverflow:
            return "длина текста или число вопросов больше, чем вмещает банк";
        case err::kInvalidCall:
            return "число в тексте не даёт знака с кодом от 0 до 255";
        default:
            return error.Reason();
    }
}

CheckReport CheckBank(ByteSource& source, std::uint64_t fileSize, Language language) {
    const Words words(language);
    CountingSource counted(source);
    CheckReport report;
    BankReadInfo info;
    QuestionBank bank;
    try {
        bank = ReadQuestionBank(counted, &info);
    } catch (const BankReadError& error) {
        const std::string at = std::to_string(error.Offset());
        report.summary =
            words.Say("at byte " + at + ": " + error.Reason() + "; the quiz refuses this bank",
                      "байт " + at + ": " + DescribeReadError(error, language) +
                          "; викторина не загрузит этот банк");
        return report;
    } catch (const std::exception& error) {
        // The quiz refuses a bank it cannot read for any reason at all.
        const std::string at = std::to_string(counted.Delivered());
        report.summary = words.Say("reading failed after byte " + at + " (" + error.what() +
                                       "); the quiz refuses this bank",
                                   "чтение оборвалось после байта " + at + " (" + error.what() +
                                       "); викторина не загрузит этот банк");
        return report;
    }
    report.loads = true;
    report.summary = words.Count(bank.Questions.Size(), "question", "questions", "вопрос",
                                 "вопроса", "вопросов");
    WarnAboutQuestions(bank, words, report.warnings);
    if (info.inexactUnits > 0) {
        const std::uint64_t n = info.inexactUnits;
        report.warnings.push_back(words.Say(
            n == 1 ? std::string("1 unit is not an exact multiple of its factor; the program "
                                 "rounds it to the nearest value")
                   : std::to_string(n) +
                         " units are not exact multiples of their factor; the program rounds "
                         "them to the nearest value",
            words.Count(n, "", "", "число", "числа", "чисел") + " " +
                std::string(RussianPlural(static_cast<std::int64_t>(n), "не кратно", "не кратны",
                                          "не кратны")) +
                " своему множителю; программа округляет до ближайшего значения"));
    }
    if (fileSize > info.bytesRead) {
        report.warnings.push_back(
            words.Count(fileSize - info.bytesRead, "byte", "bytes", "байт", "байта", "байт") +
            words.Say(" after the end of the bank; the program ignores them",
                      " после конца банка; программа их не читает"));
    }
    return report;
}

}  // namespace vornikat::bank
