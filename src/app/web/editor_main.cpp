// SPDX-License-Identifier: MIT
// The editor page's entry points: one bank being edited (its document, its undo history, the
// form an Aiken save keeps), opened from and saved to bytes the page reads and downloads, in
// the desktop editor's words.
#include <emscripten.h>

#include <cstdint>
#include <string>
#include <vector>

#include "bank_bytes.hpp"
#include "design_json.hpp"
#include "draft_image.hpp"
#include "edit_history.hpp"
#include "editor_boundary.hpp"
#include "issue_words.hpp"
#include "layout.hpp"
#include "layout_fit.hpp"
#include "page_text_measure.hpp"
#include "utf8_text.hpp"

namespace vornikat {
namespace {

// How many errors a box names, as the desktop editor's.
constexpr int kErrorsShown = 10;

// The page's preview once the page gives one; until then the bank tool's estimate.
class ChosenMeasure final : public bank::TextMeasure {
  public:
    void UsePage(bool page) { page_ = page; }
    bank::TextRoom MeasureQuestion(std::u16string_view text) const override {
        return page_ ? page_measure_.MeasureQuestion(text) : estimate_.MeasureQuestion(text);
    }
    bank::TextRoom MeasureOption(std::u16string_view text) const override {
        return page_ ? page_measure_.MeasureOption(text) : estimate_.MeasureOption(text);
    }

  private:
    bool page_ = false;
    PageTextMeasure page_measure_;
    bank::EstimatedTextMeasure estimate_;
};

struct Editor {
    ChosenMeasure measure;
    bank::DraftDocument document{measure};
    bank::EditHistory history{document};
    bank::TextForm form;
    // The name of the file the bank came from, for the boxes; empty for a new bank.
    std::string name;
    bool cameAsText = false;
    // The latest reply, valid until the next call that gives one.
    std::string message;
    std::string utf8;
    std::u16string text;
    std::vector<std::uint8_t> bytes;
    int replySize = 0;
    std::string saveName;
};

Editor& TheEditor() {
    static Editor editor;
    return editor;
}

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

std::string JsonString(std::string_view text) {
    std::string json = "\"";
    for (const char c : text) {
        if (c == '"' || c == '\\') {
            json += '\\';
            json += c;
        } else if (static_cast<unsigned char>(c) < 0x20) {
            char escaped[8];
            std::snprintf(escaped, sizeof escaped, "\\u%04x", c);
            json += escaped;
        } else {
            json += c;
        }
    }
    return json + "\"";
}

// The shared words for a reason as a sentence: its first letter a capital one.
std::string AsSentence(std::string words) {
    const auto lead = static_cast<unsigned char>(words.size() > 1 ? words[1] : 0);
    if (words.size() > 1 && words[0] == '\xD0' && lead >= 0xB0 && lead <= 0xBF) {
        words[1] = static_cast<char>(lead - 0x20);
    } else if (words.size() > 1 && words[0] == '\xD1' && lead >= 0x80 && lead <= 0x8F) {
        words[0] = '\xD0';
        words[1] = static_cast<char>(lead + 0x20);
    } else if (!words.empty() && words[0] >= 'a' && words[0] <= 'z') {
        words[0] = static_cast<char>(words[0] - 'a' + 'A');
    }
    return words;
}

// The name an Aiken save of this bank takes: the text's own, or the file's with .txt.
std::string AikenName(const Editor& editor) {
    if (editor.name.empty()) {
        return "bank.txt";
    }
    if (editor.cameAsText) {
        return editor.name;
    }
    const std::size_t dot = editor.name.rfind('.');
    return editor.name.substr(0, dot == std::string::npos ? editor.name.size() : dot) + ".txt";
}

void PutBank(Editor& editor, std::vector<bank::DraftQuestion> questions, bank::TextForm form,
             std::string name, bool cameAsText) {
    editor.document.Reset(std::move(questions));
    editor.history.Clear();
    editor.form = form;
    editor.name = std::move(name);
    editor.cameAsText = cameAsText;
}

bool OpenBank(Editor& editor, std::string_view bytes, const std::string& name) {
    const std::string shown = Quoted(name);
    const bool binary = bank::FormatOfBankBytes(bytes) == bank::BankFormat::Binary;
    if (!binary && bank::DetectSourceFormat(name, bytes) != bank::SourceFormat::Aiken) {
        bank::ImportedBank imported = bank::ImportBankBytes(bytes, name);
        const std::string skipped =
            imported.skipped > 0
                ? " Пропущено вопросов других видов: " + std::to_string(imported.skipped) + "."
                : std::string();
        if (imported.questions.empty()) {
            editor.message = "Из файла " + shown + " не пришло ни одного вопроса." + skipped +
                             "\n" + JoinLines(imported.errors);
            return false;
        }
        PutBank(editor, std::move(imported.questions), {}, name, false);
        editor.message = imported.errors.empty() ? std::string()
                                                 : "Часть файла " + shown + " не прочитана:\n" +
                                                       JoinLines(imported.errors);
        if (imported.skipped > 0) {
            editor.message += (editor.message.empty() ? "" : "\n") +
                              std::string("Импортировано вопросов: ") +
                              std::to_string(editor.document.Count()) + "." + skipped;
        }
        return true;
    }
    std::optional<bank::OpenedBank> opened;
    try {
        opened = bank::ParseBankBytes(bytes);
    } catch (const bank::BankFileError& error) {
        editor.message = "Файл " + shown + " не открыт.\n" + AsSentence(error.what());
        return false;
    }
    const bool text = opened->format == bank::BankFormat::Aiken;
    PutBank(editor, std::move(opened->questions), opened->form, name, text);
    editor.message = opened->unread.empty()
                         ? std::string()
                         : "Файл " + shown +
                               " открыт, но эти его строки не вошли ни в один вопрос и при "
                               "сохранении пропадут:\n" +
                               JoinLines(opened->unread);
    return true;
}

const std::uint8_t* Reply(Editor& editor, std::vector<std::uint8_t> bytes) {
    editor.bytes = std::move(bytes);
    editor.replySize = static_cast<int>(editor.bytes.size());
    return editor.bytes.data();
}

const std::uint8_t* EncodeBinary(Editor& editor) {
    editor.saveName = "data.bin";
    editor.message.clear();
    editor.replySize = 0;
    editor.document.FinishChecks();
    // Aiken text holds a draft with errors, to be mended later; data.bin would be a bank
    // neither the quiz nor the editor could read.
    if (editor.document.ErrorCount() > 0) {
        editor.message =
            "Банк не сохранён в " + Quoted(editor.saveName) +
            ": пока в нём есть ошибки, викторина не сможет его показать. Черновик можно "
            "сохранить как текст Aiken.\n" +
            JoinLines(
                bank::DescribeIssues(editor.document.CheckedIssues(), bank::IsError, kErrorsShown));
        return nullptr;
    }
    try {
        return Reply(editor,
                     bank::EncodeBank(editor.document.Questions(), bank::BankFormat::Binary));
    } catch (const bank::BankFileError& error) {
        editor.message = "Банк не сохранён в " + Quoted(editor.saveName) + ".\n" + error.what();
        return nullptr;
    }
}

const std::uint8_t* EncodeAiken(Editor& editor) {
    editor.saveName = AikenName(editor);
    editor.message.clear();
    editor.replySize = 0;
    editor.document.FinishChecks();
    const std::string shown = Quoted(editor.saveName);
    const std::vector<std::string> unwritable =
        bank::DescribeIssues(editor.document.CheckedIssues(), bank::KeepsFromAiken, kErrorsShown);
    if (!unwritable.empty()) {
        editor.message = "Банк не сохранён в " + shown +
                         ": текст Aiken не может передать этого.\n" + JoinLines(unwritable);
        return nullptr;
    }
    const std::span<const bank::DraftQuestion> drafts = editor.document.Questions();
    try {
        return Reply(editor, bank::EncodeBank(drafts, bank::BankFormat::Aiken, editor.form));
    } catch (const bank::LetterOutsideEncoding& error) {
        // A letter is never dropped to keep the file's encoding: the page has no one to ask, so
        // the text goes in UTF-8, which holds every letter, and says so.
        editor.message =
            "В банке есть знак " + bank::NameLetter(error.Letter()) +
            ", которого нет в кодировке " + bank::DescribeTextForm({editor.form.encoding, {}}) +
            ", в которой записан файл " + shown + ". Файл сохранён в UTF-8, чтобы знак не пропал.";
        editor.form.encoding = bank::TextEncoding::Utf8WithMark;
    } catch (const bank::BankFileError& error) {
        editor.message = "Банк не сохранён в " + shown + ".\n" + error.what();
        return nullptr;
    }
    try {
        return Reply(editor, bank::EncodeBank(drafts, bank::BankFormat::Aiken, editor.form));
    } catch (const bank::BankFileError& error) {
        editor.message = "Банк не сохранён в " + shown + ".\n" + error.what();
        return nullptr;
    }
}

// A call from the page with a row or field the bank does not have does nothing: a slip in the
// script must not abort the module and lose the bank.
bool HasRow(int row) {
    return row >= 0 && row < TheEditor().document.Count();
}

bool IsTextField(int field) {
    return (field >= bank::kQuestionField && field < bank::kTextFieldCount) ||
           field == bank::kExtraOptionField;
}

int GivePlace(const std::optional<bank::EditPlace>& place, int* out) {
    if (!place) {
        return 0;
    }
    out[0] = place->row;
    out[1] = place->field;
    return 1;
}

}  // namespace
}  // namespace vornikat

using vornikat::TheEditor;

extern "C" {

EMSCRIPTEN_KEEPALIVE const char* ve_design() {
    auto& json = TheEditor().utf8;
    json = vornikat::DesignToJson(vornikat::MainDesign());
    return json.c_str();
}

EMSCRIPTEN_KEEPALIVE void ve_use_page_measure(int page) {
    TheEditor().measure.UsePage(page != 0);
    TheEditor().document.UncheckAll();
}

EMSCRIPTEN_KEEPALIVE int ve_open(const std::uint8_t* bytes, int size, const char* name) {
    return vornikat::OpenBank(TheEditor(),
                              std::string_view(reinterpret_cast<const char*>(bytes),
                                               static_cast<std::size_t>(size)),
                              name)
               ? 1
               : 0;
}

EMSCRIPTEN_KEEPALIVE const char* ve_message() {
    return TheEditor().message.c_str();
}

EMSCRIPTEN_KEEPALIVE const char* ve_form() {
    auto& editor = TheEditor();
    editor.utf8 = vornikat::bank::DescribeTextForm(editor.form);
    return editor.utf8.c_str();
}

EMSCRIPTEN_KEEPALIVE void ve_new() {
    vornikat::PutBank(TheEditor(), {vornikat::bank::DraftQuestion{}}, {}, {}, false);
    TheEditor().message.clear();
}

EMSCRIPTEN_KEEPALIVE int ve_count() {
    return TheEditor().document.Count();
}

EMSCRIPTEN_KEEPALIVE const char16_t* ve_text(int row, int field) {
    auto& editor = TheEditor();
    editor.text = vornikat::HasRow(row) && vornikat::IsTextField(field)
                      ? editor.document.TextAt(row, field)
                      : std::u16string();
    editor.replySize = static_cast<int>(editor.text.size());
    return editor.text.c_str();
}

EMSCRIPTEN_KEEPALIVE int ve_reply_size() {
    return TheEditor().replySize;
}

EMSCRIPTEN_KEEPALIVE int ve_right(int row) {
    return vornikat::HasRow(row) ? TheEditor().document.DraftAt(row).record.rightOption : 0;
}

EMSCRIPTEN_KEEPALIVE void ve_set_text(int row, int field, const char16_t* text, int length) {
    if (!vornikat::HasRow(row) || !vornikat::IsTextField(field)) {
        return;
    }
    TheEditor().history.SetText(row, field, std::u16string(text, static_cast<std::size_t>(length)));
}

EMSCRIPTEN_KEEPALIVE void ve_set_right(int row, int option) {
    if (vornikat::HasRow(row) && option >= 0 && option <= vornikat::bank::kOptionCount) {
        TheEditor().history.SetRightOption(row, static_cast<std::int16_t>(option));
    }
}

EMSCRIPTEN_KEEPALIVE void ve_insert(int row) {
    if (row >= 0 && row <= ve_count()) {
        TheEditor().history.Insert(row, vornikat::bank::DraftQuestion{});
    }
}

EMSCRIPTEN_KEEPALIVE void ve_duplicate(int row) {
    if (vornikat::HasRow(row)) {
        auto& editor = TheEditor();
        editor.history.Insert(row + 1, editor.document.DraftAt(row));
    }
}

EMSCRIPTEN_KEEPALIVE void ve_remove(int row) {
    if (vornikat::HasRow(row)) {
        TheEditor().history.Remove(row);
    }
}

EMSCRIPTEN_KEEPALIVE void ve_move(int from, int to) {
    if (vornikat::HasRow(from) && vornikat::HasRow(to)) {
        TheEditor().history.Move(from, to);
    }
}

EMSCRIPTEN_KEEPALIVE int ve_undo(int* place) {
    return vornikat::GivePlace(TheEditor().history.Undo(), place);
}

EMSCRIPTEN_KEEPALIVE int ve_redo(int* place) {
    return vornikat::GivePlace(TheEditor().history.Redo(), place);
}

EMSCRIPTEN_KEEPALIVE int ve_can_undo() {
    return TheEditor().history.CanUndo() ? 1 : 0;
}

EMSCRIPTEN_KEEPALIVE int ve_can_redo() {
    return TheEditor().history.CanRedo() ? 1 : 0;
}

EMSCRIPTEN_KEEPALIVE const char* ve_issues(int row) {
    auto& editor = TheEditor();
    std::string& json = editor.utf8;
    json = "[";
    static const std::vector<vornikat::bank::FieldIssue> none;
    for (const auto& issue : vornikat::HasRow(row) ? editor.document.IssuesOf(row) : none) {
        json += (json.size() > 1 ? "," : "") + std::string("{\"field\":") +
                std::to_string(issue.field) +
                ",\"error\":" + (vornikat::bank::IsError(issue) ? "true" : "false") +
                ",\"text\":" + vornikat::JsonString(vornikat::bank::DescribeAtField(issue)) + "}";
    }
    json += "]";
    return json.c_str();
}

EMSCRIPTEN_KEEPALIVE const char* ve_bank_issue() {
    auto& editor = TheEditor();
    const auto issue = editor.document.BankIssue();
    editor.utf8 = issue ? vornikat::bank::DescribeInList(-1, *issue) : std::string();
    return editor.utf8.c_str();
}

EMSCRIPTEN_KEEPALIVE void ve_counts(int* counts) {
    const auto& document = TheEditor().document;
    counts[0] = document.Count();
    counts[1] = document.ErrorCount();
    counts[2] = document.WarningCount();
    counts[3] = document.UncheckedCount() > 0 ? 1 : 0;
}

// About 8 ms of checks: the page stays answering while a large bank is checked.
EMSCRIPTEN_KEEPALIVE int ve_check_slice() {
    auto& document = TheEditor().document;
    const double start = emscripten_get_now();
    while (document.CheckSlice(64) > 0 && emscripten_get_now() - start < 8) {
    }
    return document.UncheckedCount();
}

EMSCRIPTEN_KEEPALIVE void ve_set_require_fit(int required) {
    TheEditor().document.SetRequireFit(required != 0);
}

EMSCRIPTEN_KEEPALIVE int ve_find(const char16_t* text, int length, int start) {
    return TheEditor().document.FindText(
        std::u16string_view(text, static_cast<std::size_t>(length)), start);
}

EMSCRIPTEN_KEEPALIVE const std::uint8_t* ve_bank_bytes() {
    return vornikat::EncodeBinary(TheEditor());
}

EMSCRIPTEN_KEEPALIVE const std::uint8_t* ve_aiken_bytes() {
    return vornikat::EncodeAiken(TheEditor());
}

EMSCRIPTEN_KEEPALIVE const char* ve_save_name() {
    return TheEditor().saveName.c_str();
}

EMSCRIPTEN_KEEPALIVE const std::uint8_t* ve_draft_image() {
    auto& editor = TheEditor();
    return vornikat::Reply(
        editor, vornikat::bank::MakeDraftImage(editor.document.Questions(), editor.form));
}

EMSCRIPTEN_KEEPALIVE int ve_restore_draft(const std::uint8_t* bytes, int size) {
    auto image = vornikat::bank::ReadDraftImage(std::span(bytes, static_cast<std::size_t>(size)));
    if (!image) {
        return 0;
    }
    vornikat::PutBank(TheEditor(), std::move(image->questions), image->form, {}, false);
    return 1;
}

}  // extern "C"
