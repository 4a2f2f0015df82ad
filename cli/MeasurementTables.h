// The values the screens show, as tables: every listed Measure entry's values, each sweep's
// plotted samples and each constellation's drawn points, in the very texts the screens print
// but for the More view's level, whose doubled minus the table writes as the one it means.
#pragma once

#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "data/SourceRecord.h"
#include "data/Types.h"
#include "export/CsvTable.h"

namespace quorvel::cli {

struct NamedTable {
    std::string fileName;  // spectrum-<dvb>-<NN>.csv, constellation-<dvb>-<NN>.csv
    std::string dvb;       // "DVB-S", ...
    std::string entryName;
    CsvTable table;
};

struct MeasurementTables {
    CsvTable measure;  // one row per listed Measure entry, DVB types in the order asked
    std::vector<NamedTable> spectra;
    std::vector<NamedTable> constellations;
};

inline constexpr std::string_view kMeasureFileName = "measure.csv";

// The lock column holds the screen's lock word in `language`.
MeasurementTables BuildMeasurementTables(const SourceRecord& record,
                                         std::span<const DvbType> dvbTypes,
                                         Language language = Language::English);

}  // namespace quorvel::cli
