// SPDX-License-Identifier: MIT
#include "layout_fit.hpp"

#include <algorithm>
#include <array>
#include <cstdint>
#include <optional>

#include "cp1251.hpp"

namespace vornikat::bank {
namespace {

// Advances in tenths of a pixel, rounded up, of the printable Windows-1251 characters (codes
// 0x20 to 0xFF) in DejaVu Sans at 96 dpi: 8 pt for the options, 8.25 pt bold for the
// question. That face is wider than those the quiz draws the design's MS Sans Serif in (the
// classic face itself where it serves, else Liberation Sans), so what fits by these fits there.
constexpr std::array<std::uint8_t, 224> kNormalTenths = {
    35,  45, 51, 92, 70, 105, 86,  31,  43,  43,  55,  92, 35,  40,  35,  37,  // 20
    70,  70, 70, 70, 70, 70,  70,  70,  70,  70,  37,  37, 92,  92,  92,  59,  // 30
    110, 76, 76, 77, 85, 70,  64,  86,  83,  33,  33,  72, 62,  95,  83,  87,  // 40
    67,  87, 77, 70, 68, 81,  76,  109, 76,  68,  76,  43, 37,  43,  92,  55,  // 50
    55,  68, 70, 61, 70, 68,  39,  70,  70,  31,  31,  64, 31,  107, 70,  68,  // 60
    70,  70, 46, 58, 44, 70,  65,  90,  65,  65,  58,  70, 37,  70,  92,  66,  // 70
    87,  67, 35, 58, 57, 110, 55,  55,  70,  148, 121, 44, 115, 78,  87,  83,  // 80
    69,  35, 35, 57, 57, 65,  55,  110, 66,  110, 100, 44, 99,  67,  72,  72,  // 90
    35,  67, 65, 33, 70, 67,  37,  55,  70,  110, 77,  68, 92,  0,   110, 33,  // A0
    55,  92, 33, 31, 58, 70,  70,  35,  68,  115, 61,  68, 31,  70,  58,  31,  // B0
    76,  76, 76, 67, 86, 70,  119, 71,  83,  83,  78,  83, 95,  83,  87,  83,  // C0
    67,  77, 68, 67, 95, 76,  86,  76,  118, 121, 92,  97, 76,  77,  119, 77,  // D0
    68,  68, 65, 58, 76, 68,  100, 59,  72,  72,  67,  71, 83,  72,  68,  72,  // E0
    70,  61, 65, 65, 94, 65,  75,  65,  101, 104, 78,  87, 65,  61,  93,  67,  // F0
};
constexpr std::array<std::uint8_t, 224> kBoldTenths = {
    39,  51, 58, 92, 77,  111, 96,  34,  51,  51,  58,  92,  42,  46,  42,  41,  // 20
    77,  77, 77, 77, 77,  77,  77,  77,  77,  77,  44,  44,  92,  92,  92,  64,  // 30
    110, 85, 84, 81, 92,  75,  75,  91,  92,  41,  41,  86,  70,  110, 92,  94,  // 40
    81,  94, 85, 80, 75,  90,  85,  122, 85,  80,  80,  51,  41,  51,  92,  55,  // 50
    55,  75, 79, 66, 79,  75,  48,  79,  79,  38,  38,  74,  38,  115, 79,  76,  // 60
    79,  79, 55, 66, 53,  79,  72,  102, 71,  72,  64,  79,  41,  79,  92,  66,  // 70
    97,  70, 42, 58, 73,  110, 55,  55,  77,  159, 127, 46,  125, 90,  97,  92,  // 80
    79,  42, 42, 73, 73,  71,  55,  110, 66,  110, 109, 46,  106, 75,  81,  76,  // 90
    39,  85, 72, 41, 70,  70,  41,  55,  75,  110, 81,  71,  92,  0,   110, 41,  // A0
    55,  92, 41, 38, 58,  81,  70,  42,  75,  133, 66,  71,  38,  80,  66,  38,  // B0
    85,  84, 84, 70, 98,  75,  135, 79,  92,  92,  90,  92,  110, 92,  94,  92,  // C0
    81,  81, 75, 85, 110, 85,  102, 89,  136, 146, 104, 114, 84,  81,  130, 85,  // D0
    75,  77, 70, 58, 89,  75,  110, 64,  77,  77,  75,  81,  90,  76,  76,  76,  // E0
    79,  66, 64, 72, 110, 71,  82,  76,  117, 122, 83,  100, 70,  66,  107, 71,  // F0
};
// Characters the table lacks are taken as wide as its widest.
constexpr int kUnknownTenths = 160;

// Latin and the Russian alphabet, most of any bank, without the search of the code page.
std::optional<std::uint8_t> CodeOf(char16_t c) {
    if (c < 0x80) {
        return static_cast<std::uint8_t>(c);
    }
    if (c >= u'А' && c <= u'я') {
        return static_cast<std::uint8_t>(0xC0 + (c - u'А'));
    }
    return EncodeCp1251(c);
}

int CharTenths(char16_t c, FontWeight weight) {
    const auto code = CodeOf(c);
    if (!code || *code < 0x20) {
        return kUnknownTenths;
    }
    const auto& table = weight == FontWeight::Bold ? kBoldTenths : kNormalTenths;
    return table[*code - 0x20];
}

int TenthsToPixels(int tenths) {
    return (tenths + 9) / 10;
}

}  // namespace

int EstimateWidthPx(std::u16string_view text, FontWeight weight) {
    int tenths = 0;
    for (const char16_t c : text) {
        tenths += CharTenths(c, weight);
    }
    return TenthsToPixels(tenths);
}

int CountWrappedLines(std::u16string_view text, int widthPx, FontWeight weight) {
    if (text.empty()) {
        return 0;
    }
    const int limit = widthPx * 10;
    const int space = CharTenths(u' ', weight);
    int lines = 1;
    int x = 0;  // tenths of a pixel taken on the current line
    std::size_t pos = 0;
    while (pos <= text.size()) {
        const std::size_t blank = std::min(text.find(u' ', pos), text.size());
        const std::u16string_view word = text.substr(pos, blank - pos);
        int width = 0;
        for (const char16_t c : word) {
            width += CharTenths(c, weight);
        }
        if (x > 0 && x + space + width <= limit) {
            x += space + width;
        } else {
            if (x > 0) {
                ++lines;
            }
            // A word wider than the line stays whole on a line of its own, as a label keeps it.
            x = width;
        }
        pos = blank + 1;
    }
    return lines;
}

TextRoom EstimatedTextMeasure::MeasureQuestion(std::u16string_view text) const {
    TextRoom room{CountWrappedLines(text, kQuestionWidthPx, FontWeight::Bold), kQuestionLines};
    std::size_t pos = 0;
    while (pos <= text.size() && !room.wordTooWide) {
        const std::size_t blank = std::min(text.find(u' ', pos), text.size());
        room.wordTooWide =
            EstimateWidthPx(text.substr(pos, blank - pos), FontWeight::Bold) > kQuestionWidthPx;
        pos = blank + 1;
    }
    return room;
}

TextRoom EstimatedTextMeasure::MeasureOption(std::u16string_view text) const {
    return {EstimateWidthPx(text, FontWeight::Normal), kOptionWidthPx};
}

std::vector<FitProblem> FindFitProblems(const QuestionRecord& question, Language language) {
    const bool russian = language == Language::Russian;
    const EstimatedTextMeasure measure;
    std::vector<FitProblem> problems;
    const TextRoom lines = measure.MeasureQuestion(question.question);
    if (lines.wordTooWide) {
        problems.push_back(
            {0, russian ? "слово вопроса может оказаться шире окна, и окно обрежет его с обеих "
                          "сторон; разбейте или сократите его"
                        : "a word of the question may be wider than the window, which would cut "
                          "it on both sides: break or shorten it"});
    } else if (IsCut(lines)) {
        const std::string about = std::to_string(lines.taken);
        const std::string shown = std::to_string(lines.shown);
        problems.push_back(
            {0, russian ? "вопрос займёт около " + about + " строк, а окно показывает " + shown +
                              "; сократите его"
                        : "the question takes about " + about +
                              " lines in the window, which shows " + shown + ": shorten it"});
    }
    for (std::size_t k = 0; k < question.options.size(); ++k) {
        const TextRoom width = measure.MeasureOption(question.options[k]);
        if (IsCut(width)) {
            const std::string letter(1, static_cast<char>('A' + k));
            const std::string about = std::to_string(width.taken);
            const std::string shown = std::to_string(width.shown);
            problems.push_back(
                {static_cast<int>(k) + 1,
                 russian ? "вариант " + letter + " шириной около " + about +
                               " пикселей, а кнопка варианта показывает одну строку около " +
                               shown + "; сократите его"
                         : "option " + letter + " is about " + about +
                               " px wide, and its button shows one line of about " + shown +
                               " px: shorten it"});
        }
    }
    return problems;
}

}  // namespace vornikat::bank
