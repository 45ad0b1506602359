// SPDX-License-Identifier: MIT
#include "import_draft.hpp"

#include <algorithm>

#include "aiken_parser.hpp"
#include "text.hpp"

namespace vornikat::bank {
namespace {

bool IsBlankByte(char c) {
    return c == ' ' || c == '\t' || c == '\n' || c == '\r' || c == '\f' || c == '\v';
}

}  // namespace

std::u16string OneLineText(std::string_view utf8) {
    std::string line;
    line.reserve(utf8.size());
    bool blank = false;
    for (const char c : utf8) {
        if (IsBlankByte(c)) {
            blank = !line.empty();
            continue;
        }
        if (blank) {
            line += ' ';
            blank = false;
        }
        line += c;
    }
    // A no-break space, as HTML's &nbsp; gives, is a blank the quiz would show as one.
    std::u16string text = FromUtf8(line);
    std::replace(text.begin(), text.end(), u'\u00A0', u' ');
    while (!text.empty() && text.back() == u' ') {
        text.pop_back();
    }
    const auto first = text.find_first_not_of(u' ');
    return first == std::u16string::npos ? std::u16string() : text.substr(first);
}

DraftQuestion MakeDraftQuestion(std::string_view question, const std::vector<std::string>& options,
                                int right, SourcePosition at) {
    DraftQuestion draft;
    draft.at = at;
    draft.record.question = OneLineText(question);
    draft.optionCount = static_cast<int>(options.size());
    for (std::size_t k = 0; k < options.size(); ++k) {
        std::u16string text = OneLineText(options[k]);
        if (k < draft.record.options.size()) {
            draft.record.options[k] = std::move(text);
        } else {
            draft.extraOptions.push_back(std::move(text));
        }
    }
    draft.record.rightOption = static_cast<std::int16_t>(std::clamp(right, 0, 32767));
    return draft;
}

SourcePosition PositionFinder::At(std::size_t offset) {
    offset = std::min(offset, text_.size());
    if (offset < offset_) {
        offset_ = 0;
        column_ = 0;
        line_ = 1;
    }
    for (; offset_ < offset; ++offset_) {
        const auto byte = static_cast<unsigned char>(text_[offset_]);
        if (byte == '\n') {
            ++line_;
            column_ = 0;
        } else if ((byte & 0xC0) != 0x80) {
            // Columns count characters: every byte but UTF-8's continuation bytes starts one.
            ++column_;
        }
    }
    return {line_, column_ + 1};
}

bool AddError(DraftBank& bank, SourcePosition at, std::string message) {
    if (bank.stoppedEarly) {
        return false;
    }
    bank.errors.push_back({at, std::move(message)});
    bank.stoppedEarly = bank.errors.size() >= kMaxReportedErrors;
    return !bank.stoppedEarly;
}

}  // namespace vornikat::bank
