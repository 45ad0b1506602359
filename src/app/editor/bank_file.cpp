// SPDX-License-Identifier: MIT
#include "bank_file.hpp"

#include <array>
#include <cerrno>
#include <system_error>

#include "atomic_file.hpp"
#include "file_problem_text.hpp"
#include "regular_file_handle.hpp"
#include "runtime_error.hpp"
#include "utf8_text.hpp"

namespace vornikat::editor {
namespace {

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

}  // namespace

std::optional<OpenedBank> ParseBank(std::string_view bytes, const ReadProgress& progress) {
    bank::ParseProgress parsing;
    if (progress) {
        parsing = [&progress](std::size_t done, std::size_t total) {
            return progress(done, total);
        };
    }
    try {
        return bank::ParseBankBytes(bytes, parsing);
    } catch (const bank::NoQuestionInText& error) {
        throw BankFileError(std::string(error.what()) +
                            "\nВопросы GIFT, Moodle XML и CSV открывает «Файл → Импорт…».");
    }
}

std::string DescribeOpenProblem(OpenProblem problem, int error) {
    // The shared words for a file's problem as a sentence of its own.
    return bank::WithCapitalFirst(vornikat::ExplainOpenProblem(problem, error).russian) + ".";
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
            return bank::ParseBinaryBank(source);
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
