// SPDX-License-Identifier: MIT
#include "csv_import.hpp"

#include <algorithm>
#include <cstdlib>
#include <map>
#include <optional>
#include <string>
#include <vector>

#include "import_draft.hpp"

namespace vornikat::bank {
namespace {

struct Row {
    std::vector<std::string> fields;
    std::size_t offset = 0;
};

// Reads one row from text[pos]; pos ends after its line end. False when a quoted field runs to
// the end of the text.
bool ReadRow(std::string_view text, std::size_t& pos, char separator, Row& row) {
    row.fields.assign(1, std::string());
    row.offset = pos;
    bool quoted = false;
    bool fieldStart = true;
    while (pos < text.size()) {
        const char c = text[pos++];
        if (quoted) {
            if (c != '"') {
                row.fields.back() += c;
            } else if (pos < text.size() && text[pos] == '"') {
                row.fields.back() += '"';
                ++pos;
            } else {
                quoted = false;
            }
            continue;
        }
        if (c == '\n') {
            return true;
        }
        if (c == separator) {
            row.fields.emplace_back();
            fieldStart = true;
            continue;
        }
        if (c == '"' && fieldStart) {
            quoted = true;
        } else {
            row.fields.back() += c;
        }
        fieldStart = false;
    }
    return !quoted;
}

bool IsBlankRow(const Row& row) {
    return std::all_of(row.fields.begin(), row.fields.end(), [](const std::string& field) {
        return field.find_first_not_of(" \t") == std::string::npos;
    });
}

std::u16string Lowered(std::u16string text) {
    for (char16_t& c : text) {
        if (c >= u'A' && c <= u'Z') {
            c = static_cast<char16_t>(c - u'A' + u'a');
        } else if (c >= u'А' && c <= u'Я') {
            c = static_cast<char16_t>(c - u'А' + u'а');
        }
    }
    return text;
}

// The right option a cell names, 1-based: a number, a letter of either alphabet, or the text of
// one of the options; 0 when it names none.
int RightOptionOf(const std::string& cell, const std::vector<std::string>& options) {
    const std::u16string text = OneLineText(cell);
    const std::u16string lower = Lowered(text);
    if (lower.size() == 1 || (lower.size() == 2 && (lower[1] == u')' || lower[1] == u'.'))) {
        const char16_t c = lower[0];
        int right = 0;
        if (c >= u'1' && c <= u'9') {
            right = c - u'0';
        } else if (c >= u'a' && c <= u'e') {
            right = c - u'a' + 1;
        } else if (c >= u'а' && c <= u'д') {
            right = c - u'а' + 1;
        } else if (c == u'е') {
            right = 5;  // the look-alike of E
        } else if (c == u'с') {
            right = 3;  // the look-alike of C
        }
        return right;
    }
    for (std::size_t k = 0; k < options.size(); ++k) {
        if (!text.empty() && OneLineText(options[k]) == text) {
            return static_cast<int>(k) + 1;
        }
    }
    return 0;
}

// The row without the empty cells a spreadsheet pads it with at its end.
std::vector<std::string> Unpadded(const Row& row) {
    std::vector<std::string> fields = row.fields;
    while (!fields.empty() && fields.back().find_first_not_of(" \t") == std::string::npos) {
        fields.pop_back();
    }
    return fields;
}

// A first row that names its columns: its last cell names no option, and either the next row,
// as wide, ends in one that does, or it says what a question table's header says.
bool IsHeader(const Row& firstRow, const Row* secondRow) {
    const std::vector<std::string> first = Unpadded(firstRow);
    if (first.size() < 2 ||
        RightOptionOf(first.back(), {first.begin() + 1, first.end() - 1}) != 0) {
        return false;
    }
    if (secondRow != nullptr) {
        const std::vector<std::string> second = Unpadded(*secondRow);
        if (second.size() == first.size() && RightOptionOf(second.back(), {}) != 0) {
            return true;
        }
    }
    const std::u16string head = Lowered(OneLineText(first.front()));
    const std::u16string tail = Lowered(OneLineText(first.back()));
    for (const std::u16string_view word : {u"вопрос", u"question", u"текст"}) {
        if (head.find(word) != std::u16string::npos) {
            return true;
        }
    }
    for (const std::u16string_view word : {u"ответ", u"answer", u"верн", u"прав", u"right"}) {
        if (tail.find(word) != std::u16string::npos) {
            return true;
        }
    }
    return false;
}

// Trailing empty cells a spreadsheet pads a row with, down to the table's own width.
void DropPadding(Row& row, std::size_t width) {
    while (row.fields.size() > width &&
           row.fields.back().find_first_not_of(" \t") == std::string::npos) {
        row.fields.pop_back();
    }
}

}  // namespace

char DetectCsvSeparator(std::string_view text) {
    // The separator that gives the first rows one width, and that width nearest a question
    // table's seven columns.
    constexpr int kRowsLooked = 20;
    char best = ';';
    long bestScore = -1;
    for (const char separator : {';', ','}) {
        std::map<std::size_t, int> widths;
        std::size_t pos = 0;
        Row row;
        for (int rows = 0; rows < kRowsLooked && pos < text.size();) {
            if (!ReadRow(text, pos, separator, row)) {
                break;
            }
            if (!IsBlankRow(row)) {
                ++widths[row.fields.size()];
                ++rows;
            }
        }
        for (const auto& [width, count] : widths) {
            if (width < 3) {
                continue;
            }
            const long distance = std::labs(static_cast<long>(width) - 7);
            const long score = count * 100L - distance;
            if (score > bestScore) {
                bestScore = score;
                best = separator;
            }
        }
    }
    return best;
}

DraftBank ReadCsv(std::string_view text, Language language) {
    const auto say = [language](std::string english, std::string russian) {
        return language == Language::Russian ? std::move(russian) : std::move(english);
    };
    const char separator = DetectCsvSeparator(text);
    DraftBank bank;
    PositionFinder positions(text);
    std::vector<Row> rows;
    std::size_t pos = 0;
    std::optional<Diagnostic> unclosed;  // said after the rows before it
    while (pos < text.size()) {
        Row row;
        if (!ReadRow(text, pos, separator, row)) {
            unclosed = Diagnostic{
                positions.At(row.offset),
                say("a quoted field of this row is not closed by \"; the rest of the file "
                    "is not read",
                    "поле этой строки в кавычках не закрыто «\"»; остаток файла не "
                    "прочитан")};
            break;
        }
        if (!IsBlankRow(row)) {
            rows.push_back(std::move(row));
        }
    }
    std::size_t first = 0;
    if (!rows.empty() && IsHeader(rows[0], rows.size() > 1 ? &rows[1] : nullptr)) {
        first = 1;
    }
    // The table's width: its header's, else what most rows have.
    std::map<std::size_t, int> widths;
    for (std::size_t k = first; k < rows.size(); ++k) {
        ++widths[rows[k].fields.size()];
    }
    std::size_t width = first == 1 ? rows[0].fields.size() : 0;
    if (width == 0 && !widths.empty()) {
        width = std::max_element(widths.begin(), widths.end(), [](const auto& a, const auto& b) {
                    return a.second < b.second;
                })->first;
    }
    // Empty cells every row ends in, past a whole question's seven, are a spreadsheet's
    // padding, as when a column past the table once held something; an empty last cell of
    // some rows only, or of a shorter table, is a missing answer.
    constexpr std::size_t kQuestionColumns = 7;
    std::size_t padding = width;
    for (const Row& row : rows) {
        padding = std::min(padding, row.fields.size() - Unpadded(row).size());
    }
    if (width >= padding + kQuestionColumns) {
        width -= padding;
    }
    for (std::size_t k = first; k < rows.size() && !bank.stoppedEarly; ++k) {
        Row& row = rows[k];
        DropPadding(row, width);
        if (row.fields.size() < 3) {
            AddError(bank, positions.At(row.offset),
                     say("a row needs a question, its options and the right one; this one has " +
                             std::to_string(row.fields.size()) + " field(s)",
                         "строке нужны вопрос, его варианты и номер верного; в этой полей: " +
                             std::to_string(row.fields.size())));
            continue;
        }
        const std::vector<std::string> options(row.fields.begin() + 1, row.fields.end() - 1);
        bank.questions.push_back(MakeDraftQuestion(row.fields.front(), options,
                                                   RightOptionOf(row.fields.back(), options),
                                                   positions.At(row.offset)));
    }
    if (unclosed) {
        AddError(bank, unclosed->at, std::move(unclosed->message));
    }
    return bank;
}

}  // namespace vornikat::bank
