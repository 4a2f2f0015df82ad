// What every probe prints: one tab-separated row per figure (name, median, ratio, target,
// met or MISSED, and the processor time when there is one to show), which scripts/bench lines
// up under the benchmark table.
#pragma once

#include <algorithm>
#include <cstdio>
#include <string>
#include <vector>

namespace quorvel::probe {

inline double Median(std::vector<double> values) {
    std::sort(values.begin(), values.end());
    const std::size_t n = values.size();
    return n == 0 ? 0.0 : n % 2 ? values[n / 2] : (values[n / 2 - 1] + values[n / 2]) / 2;
}

inline void PrintRow(const std::string& name, const std::string& median, const std::string& target,
                     bool met, const std::string& cpu = {}) {
    std::printf("%s\t%s\t\t%s\t%s\t%s\n", name.c_str(), median.c_str(), target.c_str(),
                met ? "met" : "MISSED", cpu.c_str());
    std::fflush(stdout);
}

inline std::string Format(const char* format, double value) {
    char text[64];
    std::snprintf(text, sizeof text, format, value);
    return text;
}

}  // namespace quorvel::probe
