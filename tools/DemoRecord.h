// The demo source record committed as samples/demo.dat, built the same way on every run.
#pragma once

#include "data/SourceRecord.h"

namespace quorvel::demo {

// Replaces the whole record with the demo contents: for each broadcast family measure, spectrum
// and constellation entries on scattered slots, plus entries the catalogue must refuse.
void BuildDemoRecord(SourceRecord& record);

}  // namespace quorvel::demo
