// The three lines an export prints on standard output: colour depth, width and height.
#pragma once

#include <cstdio>

namespace quorvel {

// The texts are GBK bytes, as the meter's tools have always printed them.
void PrintExportDiagnostics(std::FILE* out, int bitsPerPixel, int width, int height);

}  // namespace quorvel
