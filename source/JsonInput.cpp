#include "source/JsonInput.h"

#include <algorithm>
#include <array>
#include <cstdio>
#include <fstream>
#include <iostream>

namespace quorvel {

namespace {

struct TooDeep {};

// Cuts `text` to at most `limit` bytes without splitting a UTF-8 sequence, marking the cut.
std::string Shortened(std::string text, std::size_t limit) {
    if (text.size() <= limit) return text;
    std::size_t end = limit;
    while (end > 0 && (static_cast<unsigned char>(text[end]) & 0xC0) == 0x80) --end;
    text.resize(end);
    return text + "...";
}

std::string DumpedString(const std::string& text) {
    // One character more than is shown, so a longer string is seen to be cut.
    return Json(text.substr(0, kExcerptChars + 1))
        .dump(-1, ' ', false, Json::error_handler_t::replace);
}

// Stops as soon as more than kExcerptChars are written, so its depth and work stay bounded.
void AppendExcerpt(const Json& value, std::string& out) {
    if (value.is_string()) {
        out += DumpedString(value.get_ref<const std::string&>());
        return;
    }
    if (!value.is_array() && !value.is_object()) {
        out += value.dump();
        return;
    }
    out += value.is_array() ? '[' : '{';
    for (auto it = value.begin(); it != value.end() && out.size() <= kExcerptChars; ++it) {
        if (it != value.begin()) out += ',';
        if (value.is_object()) out += DumpedString(it.key()) + ':';
        AppendExcerpt(*it, out);
    }
    out += value.is_array() ? ']' : '}';
}

// Reads to the end, or until more than kMaxJsonBytes came; false when a read failed.
bool ReadBounded(std::istream& in, std::string& text) {
    std::array<char, 1 << 16> chunk;
    while (text.size() <= kMaxJsonBytes && in) {
        in.read(chunk.data(), chunk.size());
        text.append(chunk.data(), static_cast<std::size_t>(in.gcount()));
    }
    return !in.bad();
}

// Where the parser stopped, as an editor counts lines and columns, and what it found there, in
// words a user can act on; the library's own text names its grammar, not the file.
std::string SyntaxErrorPlace(const std::string& text, std::size_t stoppedAfter) {
    if (stoppedAfter == 0 || stoppedAfter > text.size()) {
        return "the text ends before the JSON is complete";
    }
    const std::size_t at = stoppedAfter - 1;
    const std::size_t newline = at == 0 ? std::string::npos : text.rfind('\n', at - 1);
    const std::size_t lineStart = newline == std::string::npos ? 0 : newline + 1;
    const auto line =
        1 + std::count(text.begin(), text.begin() + static_cast<std::ptrdiff_t>(at), '\n');
    const unsigned char found = static_cast<unsigned char>(text[at]);
    char shown[16];
    if (found >= 0x20 && found < 0x7F) {
        std::snprintf(shown, sizeof shown, "'%c'", found);
    } else {
        std::snprintf(shown, sizeof shown, "byte 0x%02X", found);
    }
    return "line " + std::to_string(line) + ", column " + std::to_string(at - lineStart + 1) +
           ": unexpected " + shown;
}

}  // namespace

std::string JsonExcerpt(const Json& value) {
    std::string out;
    AppendExcerpt(value, out);
    return Shortened(std::move(out), kExcerptChars);
}

JsonInput ParseJsonText(const std::string& text, const std::string& name) {
    const Json::parser_callback_t limitDepth = [](int depth, Json::parse_event_t event, Json&) {
        // `depth` counts the containers around the one that starts.
        const bool opens =
            event == Json::parse_event_t::object_start || event == Json::parse_event_t::array_start;
        if (opens && depth >= kMaxJsonDepth) throw TooDeep{};
        return true;
    };
    JsonInput input;
    try {
        input.document = Json::parse(text, limitDepth);
    } catch (const TooDeep&) {
        input.error = name + " nests lists and objects more than " + std::to_string(kMaxJsonDepth) +
                      " levels deep; a dump nests five";
    } catch (const Json::parse_error& error) {
        input.error = name + " is not valid JSON: " + SyntaxErrorPlace(text, error.byte);
    } catch (const Json::out_of_range&) {
        input.error = name + " is not valid JSON: a number is too large for any field";
    }
    return input;
}

JsonInput ReadJsonInput(const std::filesystem::path& path) {
    const bool standardInput = path == "-";
    const std::string name = standardInput ? std::string("standard input") : path.string();
    std::string text;
    bool read = false;
    if (standardInput) {
        read = ReadBounded(std::cin, text);
    } else {
        std::error_code error;
        std::ifstream file;
        if (std::filesystem::is_regular_file(path, error)) file.open(path, std::ios::binary);
        read = file.is_open() && ReadBounded(file, text);
    }
    if (!read) return {std::nullopt, "cannot read " + name};
    if (text.size() > kMaxJsonBytes) {
        return {std::nullopt, name + " is larger than " + std::to_string(kMaxJsonBytes >> 20) +
                                  " MiB; a dump of a full record is about 1 MB"};
    }
    return ParseJsonText(text, name);
}

}  // namespace quorvel
