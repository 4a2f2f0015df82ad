#include <gtest/gtest.h>

#include <cstdio>
#include <string>

#include "export/ExportDiagnostics.h"

namespace quorvel {
namespace {

TEST(ExportDiagnostics, PrintsTheThreeLinesAsGbkBytes) {
    std::FILE* out = std::tmpfile();
    ASSERT_NE(out, nullptr);
    PrintExportDiagnostics(out, 32, 1280, 720);
    std::rewind(out);
    std::string text;
    for (int c; (c = std::fgetc(out)) != EOF;) text.push_back(static_cast<char>(c));
    std::fclose(out);
    // GBK for the colour-mode, width and height lines, each with its number filled in.
    EXPECT_EQ(text,
              "\xB5\xB1\xC7\xB0\xC6\xC1\xC4\xBB\xC9\xAB\xB2\xCA\xC4\xA3\xCA\xBD\xCE\xAA"
              "32\xCE\xBB\xC9\xAB\xB2\xCA\n"
              "\xC6\xC1\xC4\xBB\xBF\xED\xB6\xC8\xA3\xBA"
              "1280\n"
              "\xC6\xC1\xC4\xBB\xB8\xDF\xB6\xC8\xA3\xBA"
              "720\n");
}

}  // namespace
}  // namespace quorvel
