// Writes the demo source record to the path given as the only argument.
#include <cstdio>
#include <fstream>
#include <memory>

#include "tools/DemoRecord.h"

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: %s <output.dat>\n", argv[0]);
        return 2;
    }
    auto record = std::make_unique<quorvel::SourceRecord>();
    quorvel::demo::BuildDemoRecord(*record);

    std::ofstream out(argv[1], std::ios::binary | std::ios::trunc);
    out.write(reinterpret_cast<const char*>(record->bytes.data()),
              static_cast<std::streamsize>(record->bytes.size()));
    out.close();
    if (!out) {
        std::fprintf(stderr, "cannot write %s\n", argv[1]);
        return 1;
    }
    return 0;
}
