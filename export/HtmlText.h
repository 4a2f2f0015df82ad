// Text and relative file paths in the HTML pages the tools write (contact sheet, compare report).
#pragma once

#include <string>

namespace quorvel {

// Text for an HTML element or a quoted attribute value: & < > " ' as character references, and
// bytes that are no UTF-8 as U+FFFD; links keep a name's own bytes through UrlOf instead.
std::string Escaped(const std::string& text);

// Every byte but ASCII letters, digits, '-', '_', '.', '~' and '/' percent-encoded: '#', '?' and
// '%' in a name are no longer read as a fragment, a query or an escape, and bytes that are no
// UTF-8 reach the file system as they are.
std::string UrlOf(const std::string& path);

}  // namespace quorvel
