// SPDX-License-Identifier: MIT
#include "editor_session.hpp"

#include "draft_image.hpp"
#include "issue_words.hpp"
#include "utf8_text.hpp"

namespace vornikat {
namespace {

// How many errors a box names, as the desktop editor's.
constexpr int kErrorsShown = 10;

std::string Quoted(std::string_view name) {
    return "«" + std::string(name) + "»";
}

std::string JoinLines(const std::vector<std::string>& lines) {
    std::string joined;
    for (const auto& line : lines) {
        joined += (joined.empty() ? "" : "\n") + line;
    }
    return joined;
}

}  // namespace

void EditorSession::UsePageMeasure(bool page) {
    measure_.UsePage(page);
    document_.UncheckAll();
}

void EditorSession::PutBank(std::vector<bank::DraftQuestion> questions, bank::TextForm form,
                            std::string name, bool cameAsText) {
    document_.Reset(std::move(questions));
    history_.Clear();
    form_ = form;
    name_ = std::move(name);
    cameAsText_ = cameAsText;
    imported_ = false;
}

void EditorSession::New() {
    PutBank({bank::DraftQuestion{}}, {}, {}, false);
    message_.clear();
}

// The name an Aiken save of this bank takes: the text's own, or the file's with .txt.
std::string EditorSession::AikenName() const {
    if (name_.empty()) {
        return "bank.txt";
    }
    if (cameAsText_) {
        return name_;
    }
    const std::size_t dot = name_.rfind('.');
    return name_.substr(0, dot == std::string::npos ? name_.size() : dot) + ".txt";
}

bool EditorSession::Open(std::string_view bytes, const std::string& name) {
    const std::string shown = Quoted(name);
    const bool binary = bank::FormatOfBankBytes(bytes) == bank::BankFormat::Binary;
    if (!binary && bank::DetectSourceFormat(name, bytes) != bank::SourceFormat::Aiken) {
        bank::ImportedBank imported = bank::ImportBankBytes(bytes, name);
        const std::string skipped =
            imported.skipped > 0
                ? " Пропущено вопросов других видов: " + std::to_string(imported.skipped) + "."
                : std::string();
        if (imported.questions.empty()) {
            message_ = "Из файла " + shown + " не пришло ни одного вопроса." + skipped +
                       (imported.errors.empty() ? "" : "\n" + JoinLines(imported.errors));
            return false;
        }
        PutBank(std::move(imported.questions), {}, name, false);
        imported_ = true;
        message_ = imported.errors.empty()
                       ? std::string()
                       : "Часть файла " + shown + " не прочитана:\n" + JoinLines(imported.errors);
        if (imported.skipped > 0) {
            message_ += (message_.empty() ? "" : "\n") + std::string("Импортировано вопросов: ") +
                        std::to_string(document_.Count()) + "." + skipped;
        }
        return true;
    }
    std::optional<bank::OpenedBank> opened;
    try {
        opened = bank::ParseBankBytes(bytes);
    } catch (const bank::BankFileError& error) {
        message_ = "Файл " + shown + " не открыт.\n" + bank::WithCapitalFirst(error.what());
        return false;
    }
    const bool text = opened->format == bank::BankFormat::Aiken;
    PutBank(std::move(opened->questions), opened->form, name, text);
    message_ = opened->unread.empty()
                   ? std::string()
                   : "Файл " + shown +
                         " открыт, но эти его строки не вошли ни в один вопрос и при "
                         "сохранении пропадут:\n" +
                         JoinLines(opened->unread);
    return true;
}

std::optional<std::vector<std::uint8_t>> EditorSession::BankBytes() {
    saveName_ = "data.bin";
    message_.clear();
    document_.FinishChecks();
    // Aiken text holds a draft with errors, to be mended later; data.bin would be a bank
    // neither the quiz nor the editor could read.
    if (document_.ErrorCount() > 0) {
        message_ =
            "Банк не сохранён в " + Quoted(saveName_) +
            ": пока в нём есть ошибки, викторина не сможет его показать. Черновик можно "
            "сохранить как текст Aiken.\n" +
            JoinLines(bank::DescribeIssues(document_.CheckedIssues(), bank::IsError, kErrorsShown));
        return std::nullopt;
    }
    try {
        return bank::EncodeBank(document_.Questions(), bank::BankFormat::Binary);
    } catch (const bank::BankFileError& error) {
        message_ = "Банк не сохранён в " + Quoted(saveName_) + ".\n" + error.what();
        return std::nullopt;
    }
}

std::optional<std::vector<std::uint8_t>> EditorSession::AikenBytes() {
    saveName_ = AikenName();
    message_.clear();
    document_.FinishChecks();
    const std::string shown = Quoted(saveName_);
    const std::vector<std::string> unwritable =
        bank::DescribeIssues(document_.CheckedIssues(), bank::KeepsFromAiken, kErrorsShown);
    if (!unwritable.empty()) {
        message_ = "Банк не сохранён в " + shown + ": текст Aiken не может передать этого.\n" +
                   JoinLines(unwritable);
        return std::nullopt;
    }
    const std::span<const bank::DraftQuestion> drafts = document_.Questions();
    try {
        return bank::EncodeBank(drafts, bank::BankFormat::Aiken, form_);
    } catch (const bank::LetterOutsideEncoding& error) {
        // A letter is never dropped to keep the file's encoding: the page has no one to ask, so
        // the text goes in UTF-8, which holds every letter, and says so.
        message_ = "В банке есть знак " + bank::NameLetter(error.Letter()) +
                   ", которого нет в кодировке " + bank::DescribeTextForm({form_.encoding, {}}) +
                   ", в которой записан файл " + shown +
                   ". Файл сохранён в UTF-8, чтобы знак не пропал.";
        form_.encoding = bank::TextEncoding::Utf8WithMark;
    } catch (const bank::BankFileError& error) {
        message_ = "Банк не сохранён в " + shown + ".\n" + error.what();
        return std::nullopt;
    }
    try {
        return bank::EncodeBank(drafts, bank::BankFormat::Aiken, form_);
    } catch (const bank::BankFileError& error) {
        message_ = "Банк не сохранён в " + shown + ".\n" + error.what();
        return std::nullopt;
    }
}

std::vector<std::uint8_t> EditorSession::DraftImage() const {
    return bank::MakeDraftImage(document_.Questions(), form_);
}

bool EditorSession::RestoreDraft(std::span<const std::uint8_t> image) {
    auto draft = bank::ReadDraftImage(image);
    if (!draft) {
        return false;
    }
    PutBank(std::move(draft->questions), draft->form, {}, false);
    return true;
}

}  // namespace vornikat
