#include "cli/MeasurementTables.h"

#include "data/Formatting.h"
#include "data/TextEncoding.h"
#include "figures/ScreenNames.h"
#include "render/MeasureParts.h"
#include "render/ScreenRequest.h"
#include "render/SpectrumTrace.h"
#include "render/ValueTexts.h"

namespace quorvel::cli {
namespace {

enum MeasureColumn : std::size_t {
    kDvb,
    kPosition,
    kName,
    kTarget,
    kFrequency,
    kPolarisation,
    kSymbolRate,
    kBandwidth,
    kService,
    kLevel,
    kCarrierToNoise,
    kFec,
    kBer,
    kPer,
    kStrength,
    kQuality,
    kLock,
    kMeasureColumnCount
};

const std::vector<std::string> kMeasureColumns = {"DVB type",
                                                  "position",
                                                  "name",
                                                  "target",
                                                  "frequency (MHz)",
                                                  "polarisation",
                                                  "symbol rate (kS/s)",
                                                  "bandwidth (MHz)",
                                                  "service",
                                                  "level (dBm)",
                                                  "C/N (dB)",
                                                  "FEC",
                                                  "BER",
                                                  "PER",
                                                  "strength (%)",
                                                  "quality (%)",
                                                  "lock"};

// Every row names its entry, so that rows from several files pasted together stay apart.
const std::vector<std::string> kSpectrumColumns = {"name", "sample", "frequency (MHz)",
                                                   "level (dBuV)"};

const std::vector<std::string> kConstellationColumns = {
    "name",         "transponder", "modulation", "BER", "C/N (dB)", "level (dBm)",
    "strength (%)", "quality (%)", "point",      "x",   "y"};

// The screens print a unit after the number; a table carries it in the column's name.
std::string WithoutUnit(std::string text, std::string_view unit) {
    if (text.ends_with(unit)) text.erase(text.size() - unit.size());
    return text;
}

// The More view prints the stored number after a doubled minus ("--48 dBm" for 48), which the
// meter means as one minus sign: the level is the stored number negated, in 64 bits so that the
// lowest 32-bit number has a negation too.
std::string ConstellationLevelDbm(std::int32_t stored) {
    return std::to_string(-static_cast<std::int64_t>(stored));
}

std::string TwoDigits(std::size_t position) {
    return FormatPrintf("%02zu", position);
}

std::vector<std::string> MeasureRow(const MeasureEntry& entry, DvbType dvbType,
                                    std::size_t position, Language language) {
    std::vector<std::string> row(kMeasureColumnCount);
    row[kDvb] = DvbDisplayName(dvbType);
    row[kPosition] = std::to_string(position);
    row[kName] = Utf8FromText8(entry.name());
    row[kTarget] = Utf8FromText8(entry.targetName());
    row[kLevel] = WithoutUnit(measure::LevelText(entry.levelDbm()), " dBm");
    row[kCarrierToNoise] = WithoutUnit(FormatCnDb(entry.carrierToNoise()), " dB");
    row[kBer] = FormatBer(entry.berMantissa(), entry.berExponent());
    row[kStrength] = WithoutUnit(FormatPercent(entry.strength()), " %");
    row[kQuality] = WithoutUnit(FormatPercent(entry.quality()), " %");
    row[kLock] = Utf8FromUtf16(measure::LockWord(entry.locked(), language));
    if (dvbType == DvbType::Satellite) {
        // "frequency/polarisation/symbol rate", as the transponder row shows it.
        const std::string transponder =
            FormatFreqPol(static_cast<std::int32_t>(entry.frequency()),
                          entry.symbolRateOrBandwidth(), entry.polarisation());
        const std::size_t first = transponder.find('/');
        const std::size_t second = transponder.find('/', first + 1);
        row[kFrequency] = transponder.substr(0, first);
        row[kPolarisation] = transponder.substr(first + 1, second - first - 1);
        row[kSymbolRate] = transponder.substr(second + 1);
        row[kService] = Utf8FromText8(
            FormatServiceLine(entry.orbitalPosition(), entry.deliverySystem(), entry.modulation(),
                              entry.lineFrequency(), entry.lineSymbolRate()));
        row[kFec] = FormatFec(entry.fecIndex());
        return row;
    }
    row[kFrequency] = WithoutUnit(MeasureFrequencyText(entry.frequency()), " MHz");
    const std::string third = MeasureThirdRowText(entry.symbolRateOrBandwidth(), dvbType);
    if (dvbType == DvbType::Terrestrial) {
        row[kBandwidth] = WithoutUnit(WithoutUnit(third, " MHz"), " M");
    } else {
        row[kSymbolRate] = third;
    }
    row[kPer] = FormatBer(entry.perMantissa(), entry.perExponent());
    return row;
}

CsvTable SpectrumTable(const SpectrumEntry& entry, DvbType dvbType) {
    CsvTable table{kSpectrumColumns, {}};
    const std::string name = Utf8FromText8(entry.name());
    const int step = spectrum::SampleStep(dvbType);
    const int count = spectrum::SampleCount(entry.startMHz(), entry.endMHz(), step);
    for (int sample = 0; sample < count; ++sample) {
        table.rows.push_back({name, std::to_string(sample),
                              std::to_string(spectrum::SampleFrequency(entry, sample, step)),
                              std::to_string(entry.level(static_cast<std::size_t>(sample)))});
    }
    return table;
}

CsvTable ConstellationTable(const ConstellationEntry& entry) {
    CsvTable table{kConstellationColumns, {}};
    // The entry's values on every point's row, so that sorting or filtering the rows keeps them.
    std::vector<std::string> values = {Utf8FromText8(entry.name()),
                                       Utf8FromUtf16(TransponderOrName(entry)),
                                       ModulationName(entry.deliverySystem(), entry.modulation()),
                                       FormatBer(entry.berMantissa(), entry.berExponent()),
                                       WithoutUnit(FormatCnDb(entry.carrierToNoise()), " dB"),
                                       ConstellationLevelDbm(entry.levelDbm()),
                                       WithoutUnit(FormatPercent(entry.strength()), " %"),
                                       WithoutUnit(FormatPercent(entry.quality()), " %")};
    for (std::size_t slot = 0; slot < ConstellationEntry::kPointCount; ++slot) {
        const int x = entry.pointX(slot);
        const int y = entry.pointY(slot);
        if (!PointIsDrawn(x, y)) continue;
        std::vector<std::string> row = values;
        row.insert(row.end(), {std::to_string(slot), std::to_string(x), std::to_string(y)});
        table.rows.push_back(std::move(row));
    }
    if (table.rows.empty()) {
        values.resize(kConstellationColumns.size());
        table.rows.push_back(std::move(values));
    }
    return table;
}

}  // namespace

MeasurementTables BuildMeasurementTables(const SourceRecord& record,
                                         std::span<const DvbType> dvbTypes, Language language) {
    MeasurementTables tables;
    tables.measure.columns = kMeasureColumns;
    for (DvbType dvbType : dvbTypes) {
        const auto catalogue = CatalogueFor(record, dvbType);
        const std::string letter(DvbLetter(dvbType));
        const std::string display(DvbDisplayName(dvbType));
        for (std::size_t k = 0; k < catalogue->measure.Count(); ++k) {
            tables.measure.rows.push_back(MeasureRow(catalogue->Measure(k), dvbType, k, language));
        }
        for (std::size_t k = 0; k < catalogue->spectrum.Count(); ++k) {
            const SpectrumEntry entry = catalogue->Spectrum(k);
            tables.spectra.push_back({"spectrum-" + letter + "-" + TwoDigits(k) + ".csv", display,
                                      Utf8FromText8(entry.name()), SpectrumTable(entry, dvbType)});
        }
        for (std::size_t k = 0; k < catalogue->constellation.Count(); ++k) {
            const ConstellationEntry entry = catalogue->Constellation(k);
            tables.constellations.push_back(
                {"constellation-" + letter + "-" + TwoDigits(k) + ".csv", display,
                 Utf8FromText8(entry.name()), ConstellationTable(entry)});
        }
    }
    return tables;
}

}  // namespace quorvel::cli
