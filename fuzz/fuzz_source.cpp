// libFuzzer target: any bytes opened as a source data file, every screen of every entry drawn.
#include <cstdint>
#include <cstdlib>
#include <span>

#include "fuzz/ExerciseSource.h"
#include "fuzz/FuzzQtApplication.h"

extern "C" int LLVMFuzzerInitialize(int*, char***) {
    quorvel::StartFuzzQtApplication();
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const quorvel::ExerciseReport report = quorvel::ExerciseSource({data, size});
    // A partial repaint that differs from a full one is a wrong picture on screen or in a file.
    if (report.repaintMismatches != 0) std::abort();
    return 0;
}
