#include "export/ExportDiagnostics.h"

namespace quorvel {

void PrintExportDiagnostics(std::FILE* out, int bitsPerPixel, int width, int height) {
    // "Current screen colour mode is %d-bit colour", "Screen width: %d", "Screen height: %d".
    std::fprintf(out, "\xB5\xB1\xC7\xB0\xC6\xC1\xC4\xBB\xC9\xAB\xB2\xCA\xC4\xA3\xCA\xBD\xCE\xAA"
                      "%d\xCE\xBB\xC9\xAB\xB2\xCA\n",
                 bitsPerPixel);
    std::fprintf(out, "\xC6\xC1\xC4\xBB\xBF\xED\xB6\xC8\xA3\xBA%d\n", width);
    std::fprintf(out, "\xC6\xC1\xC4\xBB\xB8\xDF\xB6\xC8\xA3\xBA%d\n", height);
    std::fflush(out);
}

}  // namespace quorvel
