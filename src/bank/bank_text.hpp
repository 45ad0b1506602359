// SPDX-License-Identifier: MIT
// A bank's text as its author's editor saved it, made UTF-8 with "\n" line ends for the
// readers: UTF-8 with or without its byte order mark, UTF-16 in either byte order with one
// (Notepad's "Unicode"), or Windows-1251 (Notepad's "ANSI" on a Russian Windows) where the
// bytes are not UTF-8; lines ended by LF, CRLF or CR alone (old Macs). And back again, so that a
// save keeps the form the file came in.
#pragma once

#include <string>
#include <string_view>

namespace vornikat::bank {

enum class TextEncoding { Utf8, Utf8WithMark, Utf16LittleEndian, Utf16BigEndian, Windows1251 };
enum class LineEnds { Lf, CrLf, Cr };

struct DecodedText {
    std::string utf8;
    TextEncoding encoding = TextEncoding::Utf8;
    LineEnds lineEnds = LineEnds::Lf;
};

// True when the bytes start with a UTF-16 byte order mark: a text, though it holds NUL bytes.
bool StartsAsUtf16(std::string_view bytes);

DecodedText DecodeBankText(std::string_view bytes);

struct EncodedText {
    std::string bytes;
    // The first character Windows-1251 has no code for; the bytes are then empty, for a text is
    // never saved short of a letter.
    char32_t missing = 0;
};

// UTF-8 text with "\n" line ends in the encoding and line ends given, with the byte order mark
// where the encoding has one.
EncodedText EncodeBankText(std::string_view utf8, TextEncoding encoding, LineEnds lineEnds);

}  // namespace vornikat::bank
