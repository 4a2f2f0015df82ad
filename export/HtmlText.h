// Text and relative links in the HTML pages the tools write (contact sheet, compare report).
#pragma once

#include <string>
#include <string_view>

namespace quorvel {

// Text for an HTML element or a quoted attribute value: & < > " ' as character references, and
// bytes that are no UTF-8 as U+FFFD; links keep a name's own bytes through HrefOf instead.
std::string EscapeHtml(std::string_view text);

// A relative link to the file `path` names, ready for a quoted href or src: every byte but ASCII
// letters, digits, '-', '_', '.', '~' and '/' percent-encoded, so that '#', '?' and '%' in a
// name are no fragment, query or escape, and every byte reaches the file system as it is (UTF-8
// as its bytes, and a byte that is no UTF-8 too, which browsers open from file:// pages as such).
std::string HrefOf(std::string_view path);

}  // namespace quorvel
