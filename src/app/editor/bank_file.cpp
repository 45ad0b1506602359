// SPDX-License-Identifier: MIT
#include "bank_file.hpp"

#include <array>
#include <cerrno>
#include <map>
#include <system_error>

#include "aiken_parser.hpp"
#include "aiken_writer.hpp"
#include "atomic_file.hpp"
#include "bank_check.hpp"
#include "bank_reader.hpp"
#include "bank_text.hpp"
#include "bank_writer.hpp"
#include "file_problem_text.hpp"
#include "file_source.hpp"
#include "regular_file_handle.hpp"
#include "runtime_error.hpp"
#include "russian_plural.hpp"

namespace vornikat::editor {
namespace {

// The shared words for a file's problem as a sentence of its own: a capital first letter (a
// Cyrillic one, as all of them are) and a full stop.
std::string Sentence(std::string words) {
    const auto lead = static_cast<unsigned char>(words.size() > 1 ? words[1] : 0);
    if (words.size() > 1 && words[0] == '\xD0' && lead >= 0xB0 && lead <= 0xBF) {
        words[1] = static_cast<char>(lead - 0x20);  // а..п
    } else if (words.size() > 1 && words[0] == '\xD1' && lead >= 0x80 && lead <= 0x8F) {
        words[0] = '\xD0';
        words[1] = static_cast<char>(lead + 0x20);  // р..я
    }
    return words + ".";
}

std::string JoinLines(const std::vector<std::string>& lines, bool stoppedEarly) {
    std::string joined;
    for (const auto& line : lines) {
        joined += "\n" + line;
    }
    if (stoppedEarly) {
        joined += "\n…";
    }
    return joined;
}

OpenedBank ParseBinary(ByteSource& source) {
    try {
        std::vector<QuestionRecord> records = ReadQuestionRecords(source);
        OpenedBank opened;
        opened.format = BankFormat::Binary;
        opened.questions.resize(records.size());
        for (std::size_t i = 0; i < records.size(); ++i) {
            opened.questions[i].record = std::move(records[i]);
        }
        return opened;
    } catch (const BankReadError& error) {
        throw BankFileError("Викторина не загрузит этот банк: байт " +
                            std::to_string(error.Offset()) + ": " +
                            bank::DescribeReadError(error, bank::Language::Russian) + ".");
    }
}

OpenedBank ParseBinary(std::string_view bytes) {
    MemorySource source(
        std::span(reinterpret_cast<const std::uint8_t*>(bytes.data()), bytes.size()));
    return ParseBinary(source);
}

struct ReadingStopped {};

// A data.bin read straight into the bank reader, as the quiz reads it, with the progress told
// on the way: a copy of the whole file first would cost more than the reading itself.
class ProgressSource : public ByteSource {
  public:
    ProgressSource(RegularFile& file, const ReadProgress& progress)
        : file_(file), progress_(progress) {}

    std::size_t Read(std::uint8_t* buffer, std::size_t size) override {
        if (progress_ && !progress_(done_, file_.Size())) {
            throw ReadingStopped{};
        }
        const std::size_t got = file_.Read(buffer, size);
        done_ += got;
        return got;
    }

  private:
    RegularFile& file_;
    const ReadProgress& progress_;
    std::uint64_t done_ = 0;
};

// A NUL byte near the start tells a data.bin at once; without one the whole file decides.
bool StartsAsBinary(RegularFile& file) {
    constexpr std::size_t kHead = 4096;
    std::array<std::uint8_t, kHead> head{};
    const std::size_t got = file.Read(head.data(), head.size());
    file.Rewind();
    return FormatOfContent(std::string_view(reinterpret_cast<const char*>(head.data()), got)) ==
           BankFormat::Binary;
}

// The same message at many places is said once, with where it first stands and how often.
std::vector<std::string> GroupErrors(const std::vector<bank::Diagnostic>& errors) {
    std::vector<std::string> order;
    std::map<std::string, std::pair<bank::SourcePosition, int>> seen;
    for (const auto& error : errors) {
        auto [at, fresh] = seen.try_emplace(error.message, error.at, 0);
        ++at->second.second;
        if (fresh) {
            order.push_back(error.message);
        }
    }
    std::vector<std::string> lines;
    for (const auto& message : order) {
        const auto& [at, count] = seen.at(message);
        std::string line = "строка " + std::to_string(at.line) + ", знак " +
                           std::to_string(at.column) + ": " + message;
        if (count > 1) {
            line += " (и ещё " + std::to_string(count - 1) + " " +
                    std::string(bank::RussianPlural(count - 1, "раз", "раза", "раз")) + " ниже)";
        }
        lines.push_back(line);
    }
    return lines;
}

std::optional<OpenedBank> ParseText(std::string_view bytes, const ReadProgress& progress) {
    // Any encoding and line ends an author's editor saves in. What is still wrong opens as a
    // draft, flagged at its field; only a text that is no bank at all opens nothing.
    const bank::DecodedText text = bank::DecodeBankText(bytes);
    bank::DraftBank draft = bank::ReadAikenDraft(text.utf8, bank::Language::Russian, progress);
    if (draft.cancelled) {
        return std::nullopt;
    }
    if (draft.questions.empty() && !draft.errors.empty()) {
        throw BankFileError(draft.errors.front().message +
                            ".\nВопросы GIFT, Moodle XML и CSV открывает «Файл → Импорт…».");
    }
    OpenedBank opened;
    opened.questions = std::move(draft.questions);
    opened.form = {text.encoding, text.lineEnds};
    opened.unread = GroupErrors(draft.errors);
    if (draft.stoppedEarly) {
        opened.unread.emplace_back("…");
    }
    return opened;
}

}  // namespace

BankFormat FormatOfContent(std::string_view bytes) {
    return bytes.find('\0') == std::string_view::npos || bank::StartsAsUtf16(bytes)
               ? BankFormat::Aiken
               : BankFormat::Binary;
}

std::optional<OpenedBank> ParseBank(std::string_view bytes, const ReadProgress& progress) {
    if (FormatOfContent(bytes) == BankFormat::Binary) {
        return ParseBinary(bytes);
    }
    return ParseText(bytes, progress);
}

std::string DescribeOpenProblem(OpenProblem problem, int error) {
    return Sentence(vornikat::ExplainOpenProblem(problem, error).russian);
}

std::optional<OpenedBank> ReadBankFile(const std::filesystem::path& path,
                                       const ReadProgress& progress) {
    RegularFile file = RegularFile::Open(path);
    if (file.Problem() != OpenProblem::None) {
        throw BankFileError(DescribeOpenProblem(file.Problem(), file.Error()));
    }
    try {
        if (StartsAsBinary(file)) {
            ProgressSource source(file, progress);
            return ParseBinary(source);
        }
    } catch (const ReadingStopped&) {
        return std::nullopt;
    } catch (const std::system_error& error) {
        throw BankFileError(DescribeOpenProblem(OpenProblem::Unreadable, error.code().value()));
    }
    // Reading a big text and parsing it take about as long as each other: each is half the way.
    const auto half = [&progress](std::uint64_t before) -> ReadProgress {
        if (!progress) {
            return {};
        }
        return [&progress, before](std::uint64_t done, std::uint64_t total) {
            return progress(before * total + done, 2 * total);
        };
    };
    WholeFile whole = ReadRestOfFile(file, half(0));
    if (whole.cancelled) {
        return std::nullopt;
    }
    if (whole.problem != OpenProblem::None) {
        throw BankFileError(DescribeOpenProblem(whole.problem, whole.error));
    }
    return ParseBank(whole.bytes, half(1));
}

LetterOutsideEncoding::LetterOutsideEncoding(char32_t letter)
    : BankFileError("в кодировке файла нет такого знака"), letter_(letter) {}

std::vector<std::uint8_t> EncodeBank(std::span<const bank::DraftQuestion> questions,
                                     BankFormat format, TextForm form) {
    if (format == BankFormat::Binary) {
        std::vector<QuestionRecord> records;
        records.reserve(questions.size());
        for (const auto& question : questions) {
            records.push_back(question.record);
        }
        try {
            return WriteQuestionBank(records);
        } catch (const BankWriteError& error) {
            throw BankFileError(error.what());
        }
    }
    const bank::AikenText text =
        bank::FormatAikenDraft(questions, bank::kMaxReportedErrors, bank::Language::Russian);
    if (!text.problems.empty()) {
        throw BankFileError("Текст Aiken не может передать этот банк:" +
                            JoinLines(text.problems, text.stoppedEarly));
    }
    const bank::EncodedText encoded = bank::EncodeBankText(text.text, form.encoding, form.lineEnds);
    if (encoded.missing != 0) {
        throw LetterOutsideEncoding(encoded.missing);
    }
    return {encoded.bytes.begin(), encoded.bytes.end()};
}

void WriteBankFile(const std::filesystem::path& path, std::span<const QuestionRecord> questions,
                   BankFormat format) {
    std::vector<bank::DraftQuestion> drafts(questions.size());
    for (std::size_t i = 0; i < questions.size(); ++i) {
        drafts[i].record = questions[i];
    }
    WriteBankFile(path, drafts, format);
}

void WriteBankFile(const std::filesystem::path& path,
                   std::span<const bank::DraftQuestion> questions, BankFormat format,
                   TextForm form) {
    const std::vector<std::uint8_t> bytes = EncodeBank(questions, format, form);
    try {
        WriteFileAtomically(path, bytes);
    } catch (const std::system_error& error) {
        throw BankFileError(
            "Файл не записан: " + vornikat::ExplainWriteError(error.code()).russian + ".");
    }
}

}  // namespace vornikat::editor
