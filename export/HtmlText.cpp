#include "export/HtmlText.h"

#include <cstdio>

#include "data/TextEncoding.h"

namespace quorvel {

std::string EscapeHtml(std::string_view text) {
    std::string out;
    out.reserve(text.size());
    for (const char c : ValidUtf8(text)) {
        switch (c) {
            case '&':
                out += "&amp;";
                break;
            case '<':
                out += "&lt;";
                break;
            case '>':
                out += "&gt;";
                break;
            case '"':
                out += "&quot;";
                break;
            case '\'':
                out += "&#39;";
                break;
            default:
                out += c;
        }
    }
    return out;
}

std::string HrefOf(std::string_view path) {
    constexpr std::string_view kKept =
        "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789-_.~/";
    std::string url;
    for (const unsigned char c : path) {
        if (kKept.find(static_cast<char>(c)) != std::string_view::npos) {
            url += static_cast<char>(c);
        } else {
            char encoded[4];
            std::snprintf(encoded, sizeof encoded, "%%%02X", c);
            url += encoded;
        }
    }
    return url;
}

}  // namespace quorvel
