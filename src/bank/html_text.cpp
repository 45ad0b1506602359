// SPDX-License-Identifier: MIT
#include "html_text.hpp"

#include <algorithm>
#include <array>
#include <cctype>
#include <utility>

#include "text.hpp"

namespace vornikat::bank {
namespace {

struct NamedEntity {
    std::string_view name;
    char32_t character;
};

constexpr std::array<NamedEntity, 5> kXmlEntities{{
    {"amp", U'&'},
    {"lt", U'<'},
    {"gt", U'>'},
    {"quot", U'"'},
    {"apos", U'\''},
}};

// The entities an HTML editor writes in ordinary text, Russian typography's among them.
constexpr std::array<NamedEntity, 31> kHtmlEntities{{
    {"amp", U'&'},       {"lt", U'<'},    {"gt", U'>'},     {"quot", U'"'},  {"apos", U'\''},
    {"nbsp", U'\u00A0'}, {"laquo", U'«'}, {"raquo", U'»'},  {"mdash", U'—'}, {"ndash", U'–'},
    {"hellip", U'…'},    {"copy", U'©'},  {"reg", U'®'},    {"trade", U'™'}, {"deg", U'°'},
    {"plusmn", U'±'},    {"times", U'×'}, {"divide", U'÷'}, {"minus", U'−'}, {"le", U'≤'},
    {"ge", U'≥'},        {"ne", U'≠'},    {"lsquo", U'‘'},  {"rsquo", U'’'}, {"ldquo", U'“'},
    {"rdquo", U'”'},     {"bdquo", U'„'}, {"middot", U'·'}, {"bull", U'•'},  {"euro", U'€'},
    {"sect", U'§'},
}};

constexpr std::size_t kLongestEntity = 10;

// The character of the reference that starts at text[at] ("&..."), and its length; nothing
// when it is not one.
template <std::size_t N>
std::pair<char32_t, std::size_t> ReadEntity(std::string_view text, std::size_t at,
                                            const std::array<NamedEntity, N>& names) {
    const std::size_t semicolon = text.find(';', at + 1);
    if (semicolon == std::string_view::npos || semicolon - at - 1 > kLongestEntity ||
        semicolon == at + 1) {
        return {0, 0};
    }
    const std::string_view name = text.substr(at + 1, semicolon - at - 1);
    const std::size_t length = semicolon - at + 1;
    if (name[0] == '#') {
        const bool hex = name.size() > 1 && (name[1] == 'x' || name[1] == 'X');
        const std::string_view digits = name.substr(hex ? 2 : 1);
        if (digits.empty()) {
            return {0, 0};
        }
        char32_t code = 0;
        for (const char c : digits) {
            const int digit = std::isdigit(static_cast<unsigned char>(c)) ? c - '0'
                              : hex && std::isxdigit(static_cast<unsigned char>(c))
                                  ? std::tolower(static_cast<unsigned char>(c)) - 'a' + 10
                                  : -1;
            if (digit < 0) {
                return {0, 0};
            }
            code =
                std::min<char32_t>(code * (hex ? 16 : 10) + static_cast<char32_t>(digit), 0x110000);
        }
        const bool valid = code != 0 && code < 0x110000 && (code < 0xD800 || code > 0xDFFF);
        return {valid ? code : U'\uFFFD', length};
    }
    const auto found = std::find_if(names.begin(), names.end(),
                                    [name](const NamedEntity& e) { return e.name == name; });
    return found == names.end() ? std::pair<char32_t, std::size_t>{0, 0}
                                : std::pair<char32_t, std::size_t>{found->character, length};
}

template <std::size_t N>
std::string DecodeEntities(std::string_view text, const std::array<NamedEntity, N>& names) {
    std::string out;
    out.reserve(text.size());
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '&') {
            const auto [character, length] = ReadEntity(text, i, names);
            if (length > 0) {
                AppendUtf8(out, character);
                i += length - 1;
                continue;
            }
        }
        out += text[i];
    }
    return out;
}

bool StartsWithNoCase(std::string_view text, std::size_t at, std::string_view prefix) {
    if (text.size() - at < prefix.size()) {
        return false;
    }
    for (std::size_t k = 0; k < prefix.size(); ++k) {
        if (std::tolower(static_cast<unsigned char>(text[at + k])) != prefix[k]) {
            return false;
        }
    }
    return true;
}

// Tags that start a line or a block: the words on either side must not run together.
bool BreaksText(std::string_view name) {
    constexpr std::array<std::string_view, 20> kBreaking{
        "br", "p",  "div", "li", "ul", "ol", "tr", "td", "th",         "table",
        "h1", "h2", "h3",  "h4", "h5", "h6", "hr", "dd", "blockquote", "pre"};
    return std::find(kBreaking.begin(), kBreaking.end(), name) != kBreaking.end();
}

}  // namespace

std::size_t FindTagEnd(std::string_view markup, std::size_t at) {
    char quote = 0;
    for (std::size_t i = at + 1; i < markup.size(); ++i) {
        const char c = markup[i];
        if (quote != 0) {
            quote = c == quote ? 0 : quote;
        } else if (c == '"' || c == '\'') {
            quote = c;
        } else if (c == '>') {
            return i;
        }
    }
    return std::string_view::npos;
}

std::string DecodeXmlEntities(std::string_view text) {
    return DecodeEntities(text, kXmlEntities);
}

std::string PlainTextOfHtml(std::string_view html) {
    std::string text;
    text.reserve(html.size());
    std::size_t i = 0;
    while (i < html.size()) {
        const std::size_t open = html.find('<', i);
        text.append(html.substr(i, open == std::string_view::npos ? open : open - i));
        if (open == std::string_view::npos) {
            break;
        }
        if (html.compare(open, 4, "<!--") == 0) {
            const std::size_t close = html.find("-->", open + 4);
            i = close == std::string_view::npos ? html.size() : close + 3;
            continue;
        }
        const char next = open + 1 < html.size() ? html[open + 1] : '\0';
        const bool closing = next == '/';
        const std::size_t nameStart = open + (closing ? 2 : 1);
        std::size_t nameEnd = nameStart;
        while (nameEnd < html.size() && std::isalnum(static_cast<unsigned char>(html[nameEnd]))) {
            ++nameEnd;
        }
        // A "<" that starts no tag is the text's own, as in "a < b"; with no ">" after it, so
        // is all the rest, which is not searched again from every later "<".
        if (nameEnd == nameStart && next != '!' && next != '?') {
            text += '<';
            i = open + 1;
            continue;
        }
        const std::size_t end = FindTagEnd(html, open);
        if (end == std::string_view::npos) {
            text.append(html.substr(open));
            break;
        }
        std::string name(html.substr(nameStart, nameEnd - nameStart));
        std::transform(name.begin(), name.end(), name.begin(),
                       [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
        i = end + 1;
        if (!closing && (name == "script" || name == "style")) {
            std::size_t close = i;
            while ((close = html.find("</", close)) != std::string_view::npos &&
                   !StartsWithNoCase(html, close + 2, name)) {
                close += 2;
            }
            const std::size_t after =
                close == std::string_view::npos ? std::string_view::npos : html.find('>', close);
            i = after == std::string_view::npos ? html.size() : after + 1;
            continue;
        }
        if (BreaksText(name)) {
            text += ' ';
        }
    }
    return DecodeEntities(text, kHtmlEntities);
}

}  // namespace vornikat::bank
