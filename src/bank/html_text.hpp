// SPDX-License-Identifier: MIT
// Markup reduced to the plain text the quiz shows: the entities of XML and of HTML, and HTML's
// tags, which leave a space where they break a line.
#pragma once

#include <string>
#include <string_view>

namespace vornikat::bank {

// XML's five named entities and numeric character references, in UTF-8 text; anything else
// after "&" stays as it stands.
std::string DecodeXmlEntities(std::string_view text);

// The text of an HTML fragment: tags, comments, scripts and styles removed, a space for each
// tag that starts a line or a block, and HTML's common named entities decoded.
std::string PlainTextOfHtml(std::string_view html);

}  // namespace vornikat::bank
