// SPDX-License-Identifier: MIT
// Markup reduced to the plain text the quiz shows: the entities of XML and of HTML, and HTML's
// tags, which leave a space where they break a line.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace vornikat::bank {

// XML's five named entities and numeric character references, in UTF-8 text; anything else
// after "&" stays as it stands.
std::string DecodeXmlEntities(std::string_view text);

// The index of the ">" that ends the tag opened at markup[at] ("<"), quoted attribute values
// stepped over; npos when the tag is never closed.
std::size_t FindTagEnd(std::string_view markup, std::size_t at);

// The text of an HTML fragment: tags, comments, scripts and styles removed, a space for each
// tag that starts a line or a block, and HTML's common named entities decoded.
std::string PlainTextOfHtml(std::string_view html);

}  // namespace vornikat::bank
