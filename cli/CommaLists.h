// Comma-separated lists, as options take them and messages and help texts show them.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace quorvel::cli {

// The values of a comma-separated list in order, each without the spaces around it (region
// names hold spaces, and "a, b" is how people write a list); "a,,b" has an empty one.
std::vector<std::string> SplitList(std::string_view list);

// The values of an option that takes a list; none when the option was not given.
std::vector<std::string> ListedValues(std::string_view option);

// "a, b, c".
std::string JoinedList(const std::vector<std::string>& values);

// "a, b or c" with `last` "or".
std::string SpokenList(const std::vector<std::string>& values, std::string_view last);

}  // namespace quorvel::cli
