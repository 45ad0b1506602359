// SPDX-License-Identifier: MIT
// The editor page's entry points over the one bank being edited (editor_session.hpp): its
// values handed to the page as the script's side takes them, and calls with a row or field the
// bank does not have ignored.
#include <emscripten.h>

#include <cstdint>
#include <cstdio>
#include <optional>
#include <string>
#include <vector>

#include "design_json.hpp"
#include "editor_boundary.hpp"
#include "editor_session.hpp"
#include "issue_words.hpp"
#include "layout.hpp"

namespace vornikat {
namespace {

// The module's replies, each valid until the next call that gives one of its kind.
struct Replies {
    std::string utf8;
    std::u16string text;
    std::vector<std::uint8_t> bytes;
    int size = 0;
};

EditorSession& TheSession() {
    static EditorSession session;
    return session;
}

Replies& TheReplies() {
    static Replies replies;
    return replies;
}

bank::DraftDocument& TheDocument() {
    return TheSession().Document();
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

const char* ReplyUtf8(std::string text) {
    TheReplies().utf8 = std::move(text);
    return TheReplies().utf8.c_str();
}

const std::uint8_t* ReplyBytes(std::optional<std::vector<std::uint8_t>> bytes) {
    Replies& replies = TheReplies();
    replies.bytes = bytes ? std::move(*bytes) : std::vector<std::uint8_t>();
    replies.size = static_cast<int>(replies.bytes.size());
    // An empty file is still a file: the page tells it from none by the pointer.
    static const std::uint8_t kEmpty = 0;
    if (!bytes) {
        return nullptr;
    }
    return replies.bytes.empty() ? &kEmpty : replies.bytes.data();
}

// A call from the page with a row or field the bank does not have does nothing: a slip in the
// script must not abort the module and lose the bank.
bool HasRow(int row) {
    return row >= 0 && row < TheDocument().Count();
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

using vornikat::TheDocument;
using vornikat::TheSession;

extern "C" {

EMSCRIPTEN_KEEPALIVE const char* ve_design() {
    return vornikat::ReplyUtf8(vornikat::DesignToJson(vornikat::MainDesign()));
}

EMSCRIPTEN_KEEPALIVE void ve_use_page_measure(int page) {
    TheSession().UsePageMeasure(page != 0);
}

EMSCRIPTEN_KEEPALIVE int ve_open(const std::uint8_t* bytes, int size, const char* name) {
    const std::string_view file(reinterpret_cast<const char*>(bytes),
                                static_cast<std::size_t>(size));
    return TheSession().Open(file, name) ? 1 : 0;
}

EMSCRIPTEN_KEEPALIVE const char* ve_message() {
    return TheSession().Message().c_str();
}

EMSCRIPTEN_KEEPALIVE const char* ve_form() {
    return vornikat::ReplyUtf8(TheSession().FormWords());
}

EMSCRIPTEN_KEEPALIVE int ve_imported() {
    return TheSession().Imported() ? 1 : 0;
}

EMSCRIPTEN_KEEPALIVE void ve_new() {
    TheSession().New();
}

EMSCRIPTEN_KEEPALIVE int ve_count() {
    return TheDocument().Count();
}

EMSCRIPTEN_KEEPALIVE const char16_t* ve_text(int row, int field) {
    vornikat::Replies& replies = vornikat::TheReplies();
    replies.text = vornikat::HasRow(row) && vornikat::IsTextField(field)
                       ? TheDocument().TextAt(row, field)
                       : std::u16string();
    replies.size = static_cast<int>(replies.text.size());
    return replies.text.c_str();
}

EMSCRIPTEN_KEEPALIVE int ve_reply_size() {
    return vornikat::TheReplies().size;
}

EMSCRIPTEN_KEEPALIVE int ve_right(int row) {
    return vornikat::HasRow(row) ? TheDocument().DraftAt(row).record.rightOption : 0;
}

EMSCRIPTEN_KEEPALIVE void ve_set_text(int row, int field, const char16_t* text, int length) {
    if (vornikat::HasRow(row) && vornikat::IsTextField(field)) {
        TheSession().History().SetText(row, field,
                                       std::u16string(text, static_cast<std::size_t>(length)));
    }
}

EMSCRIPTEN_KEEPALIVE void ve_set_right(int row, int option) {
    if (vornikat::HasRow(row) && option >= 0 && option <= vornikat::bank::kOptionCount) {
        TheSession().History().SetRightOption(row, static_cast<std::int16_t>(option));
    }
}

EMSCRIPTEN_KEEPALIVE void ve_insert(int row) {
    if (row >= 0 && row <= TheDocument().Count()) {
        TheSession().History().Insert(row, vornikat::bank::DraftQuestion{});
    }
}

EMSCRIPTEN_KEEPALIVE void ve_duplicate(int row) {
    if (vornikat::HasRow(row)) {
        TheSession().History().Insert(row + 1, TheDocument().DraftAt(row));
    }
}

EMSCRIPTEN_KEEPALIVE void ve_remove(int row) {
    if (vornikat::HasRow(row)) {
        TheSession().History().Remove(row);
    }
}

EMSCRIPTEN_KEEPALIVE void ve_move(int from, int to) {
    if (vornikat::HasRow(from) && vornikat::HasRow(to)) {
        TheSession().History().Move(from, to);
    }
}

EMSCRIPTEN_KEEPALIVE int ve_undo(int* place) {
    return vornikat::GivePlace(TheSession().History().Undo(), place);
}

EMSCRIPTEN_KEEPALIVE int ve_redo(int* place) {
    return vornikat::GivePlace(TheSession().History().Redo(), place);
}

EMSCRIPTEN_KEEPALIVE int ve_can_undo() {
    return TheSession().History().CanUndo() ? 1 : 0;
}

EMSCRIPTEN_KEEPALIVE int ve_can_redo() {
    return TheSession().History().CanRedo() ? 1 : 0;
}

EMSCRIPTEN_KEEPALIVE const char* ve_issues(int row) {
    std::string json = "[";
    if (vornikat::HasRow(row)) {
        for (const auto& issue : TheDocument().IssuesOf(row)) {
            json +=
                (json.size() > 1 ? ",{\"field\":" : "{\"field\":") + std::to_string(issue.field) +
                ",\"error\":" + (vornikat::bank::IsError(issue) ? "true" : "false") +
                ",\"text\":" + vornikat::JsonString(vornikat::bank::DescribeAtField(issue)) + "}";
        }
    }
    return vornikat::ReplyUtf8(json + "]");
}

EMSCRIPTEN_KEEPALIVE const char* ve_bank_issue() {
    const auto issue = TheDocument().BankIssue();
    return vornikat::ReplyUtf8(issue ? vornikat::bank::DescribeInList(-1, *issue) : "");
}

EMSCRIPTEN_KEEPALIVE void ve_counts(int* counts) {
    const auto& document = TheDocument();
    counts[0] = document.Count();
    counts[1] = document.ErrorCount();
    counts[2] = document.WarningCount();
    counts[3] = document.UncheckedCount() > 0 ? 1 : 0;
}

// About 8 ms of checks, four questions between looks at the clock, since each text is measured
// by the page: the page stays answering while a large bank is checked.
EMSCRIPTEN_KEEPALIVE int ve_check_slice() {
    auto& document = TheDocument();
    const double start = emscripten_get_now();
    while (document.CheckSlice(4) > 0 && emscripten_get_now() - start < 8) {
    }
    return document.UncheckedCount();
}

EMSCRIPTEN_KEEPALIVE void ve_set_require_fit(int required) {
    TheDocument().SetRequireFit(required != 0);
}

EMSCRIPTEN_KEEPALIVE int ve_find(const char16_t* text, int length, int start) {
    return TheDocument().FindText(std::u16string_view(text, static_cast<std::size_t>(length)),
                                  start);
}

EMSCRIPTEN_KEEPALIVE const std::uint8_t* ve_bank_bytes() {
    return vornikat::ReplyBytes(TheSession().BankBytes());
}

EMSCRIPTEN_KEEPALIVE const std::uint8_t* ve_aiken_bytes() {
    return vornikat::ReplyBytes(TheSession().AikenBytes());
}

EMSCRIPTEN_KEEPALIVE const char* ve_save_name() {
    return TheSession().SaveName().c_str();
}

EMSCRIPTEN_KEEPALIVE const std::uint8_t* ve_draft_image() {
    return vornikat::ReplyBytes(TheSession().DraftImage());
}

EMSCRIPTEN_KEEPALIVE int ve_restore_draft(const std::uint8_t* bytes, int size) {
    return TheSession().RestoreDraft(std::span(bytes, static_cast<std::size_t>(size))) ? 1 : 0;
}

}  // extern "C"
