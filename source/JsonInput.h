// JSON from the user, taken in with bounds: on its size, its nesting and how much of a bad value
// a message repeats.
#pragma once

#include <cstddef>
#include <filesystem>
#include <optional>
#include <string>

#include "source/FieldJson.h"

namespace quorvel {

// A dump of a full record is about 1 MB; anything far beyond that is not one.
inline constexpr std::size_t kMaxJsonBytes = std::size_t{64} << 20;
// A dump nests five levels; recursion over deeper values could exhaust the stack.
inline constexpr int kMaxJsonDepth = 256;
// How much of a refused value a message shows.
inline constexpr std::size_t kExcerptChars = 60;

struct JsonInput {
    std::optional<Json> document;  // empty when refused
    std::string error;             // why, naming the input
};

// Reads and parses `path` ("-" for standard input), never holding more than kMaxJsonBytes.
JsonInput ReadJsonInput(const std::filesystem::path& path);

// The same for text already in memory; `name` is what messages call it.
JsonInput ParseJsonText(const std::string& text, const std::string& name);

// At most kExcerptChars of the value as JSON, ending in "..." when cut; never walks the whole
// of a large or deep value.
std::string JsonExcerpt(const Json& value);

}  // namespace quorvel
