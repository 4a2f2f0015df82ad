#include "cli/CommaLists.h"

#include <algorithm>

namespace quorvel::cli {

std::vector<std::string> SplitList(std::string_view list) {
    std::vector<std::string> values;
    for (std::size_t start = 0;;) {
        const std::size_t comma = list.find(',', start);
        std::string_view value = list.substr(start, comma - start);
        value.remove_prefix(std::min(value.find_first_not_of(' '), value.size()));
        value.remove_suffix(value.size() - (value.find_last_not_of(' ') + 1));
        values.emplace_back(value);
        if (comma == std::string_view::npos) return values;
        start = comma + 1;
    }
}

std::vector<std::string> ListedValues(std::string_view option) {
    return option.empty() ? std::vector<std::string>() : SplitList(option);
}

std::string JoinedList(const std::vector<std::string>& values) {
    std::string text;
    for (const std::string& value : values) text += (text.empty() ? "" : ", ") + value;
    return text;
}

std::string SpokenList(const std::vector<std::string>& values, std::string_view last) {
    std::string text;
    for (std::size_t i = 0; i < values.size(); ++i) {
        if (i + 1 == values.size() && i > 0) {
            text.append(" ").append(last).append(" ");
        } else if (i > 0) {
            text.append(", ");
        }
        text.append(values[i]);
    }
    return text;
}

}  // namespace quorvel::cli
