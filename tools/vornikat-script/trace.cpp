#include "trace.hpp"

#include <cstdio>
#include <iostream>

#include "text.hpp"

namespace vornikat::script {

std::string QuoteJson(std::u16string_view text) {
    std::u16string escaped;
    escaped.reserve(text.size() + 2);
    for (const char16_t c : text) {
        switch (c) {
            case u'"':
                escaped += u"\\\"";
                break;
            case u'\\':
                escaped += u"\\\\";
                break;
            case u'\r':
                escaped += u"\\r";
                break;
            case u'\n':
                escaped += u"\\n";
                break;
            case u'\t':
                escaped += u"\\t";
                break;
            default:
                if (c < 0x20 || (c >= 0x7F && c <= 0x9F)) {
                    char buffer[8];
                    std::snprintf(buffer, sizeof buffer, "\\u%04x", static_cast<unsigned>(c));
                    escaped += AsciiToText(buffer);
                } else {
                    escaped += c;
                }
        }
    }
    return "\"" + ToUtf8(escaped) + "\"";
}

void Emit(std::string_view line) {
    std::cout << line << '\n' << std::flush;
}

}  // namespace vornikat::script
