// SPDX-License-Identifier: MIT
#include "bank_source.hpp"

#include <algorithm>
#include <string>

#include "aiken_parser.hpp"
#include "bank_text.hpp"
#include "csv_import.hpp"
#include "gift_import.hpp"
#include "moodle_xml_import.hpp"
#include "text.hpp"

namespace vornikat::bank {
namespace {

std::string Lowered(std::string_view text) {
    std::string lower(text);
    std::transform(lower.begin(), lower.end(), lower.begin(), [](unsigned char c) {
        return static_cast<char>(c >= 'A' && c <= 'Z' ? c - 'A' + 'a' : c);
    });
    return lower;
}

// Whether a line, from its first non-blank character, is an answer line of Aiken, in either
// language's word.
bool IsAikenAnswerLine(std::string_view line) {
    const std::size_t first = line.find_first_not_of(" \t");
    if (first == std::string_view::npos) {
        return false;
    }
    const std::u16string text = FromUtf8(line.substr(first, 32));
    std::u16string word;
    for (const char16_t c : text) {
        if (c == u' ' || c == u'\t' || c == u':') {
            break;
        }
        word += c >= u'A' && c <= u'Z'   ? static_cast<char16_t>(c - u'A' + u'a')
                : c >= u'А' && c <= u'Я' ? static_cast<char16_t>(c - u'А' + u'а')
                                         : c;
    }
    const std::size_t colon = text.find_first_not_of(u" \t", word.size());
    return (word == u"answer" || word == u"ответ") && colon != std::u16string::npos &&
           text[colon] == u':';
}

SourceFormat FormatOfContent(std::string_view text) {
    const std::size_t first = text.find_first_not_of(" \t\n");
    if (first != std::string_view::npos && text[first] == '<' &&
        text.find("<quiz") != std::string_view::npos) {
        return SourceFormat::MoodleXml;
    }
    bool giftMarks = false;
    bool braceOpen = false;
    int wideRows = 0;
    const char separator = DetectCsvSeparator(text);
    for (std::size_t pos = 0; pos < text.size();) {
        const std::size_t newline = std::min(text.find('\n', pos), text.size());
        const std::string_view line = text.substr(pos, newline - pos);
        pos = newline + 1;
        if (IsAikenAnswerLine(line)) {
            return SourceFormat::Aiken;
        }
        const std::size_t start = line.find_first_not_of(" \t");
        const std::string_view from =
            start == std::string_view::npos ? std::string_view() : line.substr(start);
        // Answers in braces: on the question's line, or on lines of their own after it.
        const std::size_t brace = line.find('{');
        giftMarks = giftMarks || from.starts_with("::") || from.starts_with("//") ||
                    (brace != std::string_view::npos &&
                     line.find_first_of("=~}", brace) != std::string_view::npos) ||
                    (braceOpen && (from.starts_with("=") || from.starts_with("~")));
        braceOpen = brace != std::string_view::npos || (braceOpen && !from.starts_with("}"));
        if (std::count(line.begin(), line.end(), separator) >= 3) {
            ++wideRows;
        }
    }
    if (giftMarks) {
        return SourceFormat::Gift;
    }
    return wideRows >= 1 ? SourceFormat::Csv : SourceFormat::Aiken;
}

}  // namespace

std::optional<SourceFormat> SourceFormatNamed(std::string_view name) {
    const std::string lower = Lowered(name);
    if (lower == "aiken") {
        return SourceFormat::Aiken;
    }
    if (lower == "gift") {
        return SourceFormat::Gift;
    }
    if (lower == "xml" || lower == "moodle") {
        return SourceFormat::MoodleXml;
    }
    if (lower == "csv") {
        return SourceFormat::Csv;
    }
    return std::nullopt;
}

SourceFormat DetectSourceFormat(std::string_view fileName, std::string_view bytes) {
    const std::size_t dot = fileName.find_last_of('.');
    const std::size_t slash = fileName.find_last_of("/\\");
    if (dot != std::string_view::npos && (slash == std::string_view::npos || dot > slash)) {
        const std::string extension = Lowered(fileName.substr(dot + 1));
        if (extension == "gift") {
            return SourceFormat::Gift;
        }
        if (extension == "xml") {
            return SourceFormat::MoodleXml;
        }
        if (extension == "csv") {
            return SourceFormat::Csv;
        }
    }
    // The head of a text tells its form: a whole bank need not be decoded for it.
    // Cut at a line end, so that no character is cut in two.
    constexpr std::size_t kHead = std::size_t{1} << 16;
    std::string_view head = bytes.substr(0, kHead);
    if (head.size() < bytes.size() && head.find('\n') != std::string_view::npos) {
        head = head.substr(0, head.rfind('\n') + 1);
    }
    return FormatOfContent(DecodeBankText(head).utf8);
}

DraftBank ReadBankSource(std::string_view bytes, SourceFormat format, Language language) {
    const std::string text = DecodeBankText(bytes).utf8;
    switch (format) {
        case SourceFormat::Gift:
            return ReadGift(text, language);
        case SourceFormat::MoodleXml:
            return ReadMoodleXml(text, language);
        case SourceFormat::Csv:
            return ReadCsv(text, language);
        case SourceFormat::Aiken:
            break;
    }
    return ReadAikenDraft(text, language);
}

}  // namespace vornikat::bank
