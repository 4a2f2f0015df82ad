#include <gtest/gtest.h>

#include "export/HtmlText.h"

namespace quorvel {
namespace {

// Decoded as a browser does before it asks the file system, every link gives back its name's
// bytes; it holds nothing a browser would read as a fragment, query or end of the attribute.
TEST(HtmlText, LinksGiveBackEveryByteOfTheName) {
    std::string name = "a #b\xE9/x y?.png";
    for (int byte = 1; byte < 256; ++byte) name += static_cast<char>(byte);
    const std::string href = HrefOf(name);
    std::string decoded;
    for (std::size_t i = 0; i < href.size(); ++i) {
        const bool escape = href[i] == '%';
        decoded +=
            escape ? static_cast<char>(std::stoi(href.substr(i + 1, 2), nullptr, 16)) : href[i];
        i += escape ? 2 : 0;
    }
    EXPECT_EQ(decoded, name);
    EXPECT_TRUE(href.starts_with("a%20%23b%E9/x%20y%3F.png")) << href;
    EXPECT_EQ(href.find_first_not_of("ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz"
                                     "0123456789-_.~/%"),
              std::string::npos);
    EXPECT_EQ(EscapeHtml("<a href=\"x\">'&'</a>\xE9"),
              "&lt;a href=&quot;x&quot;&gt;&#39;&amp;&#39;&lt;/a&gt;\xEF\xBF\xBD");
}

}  // namespace
}  // namespace quorvel
