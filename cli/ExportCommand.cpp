// `export`: the measurement tables of a source data file as CSV files and one JSON document.
#include <nlohmann/json.hpp>
#include <ostream>
#include <system_error>

#include "cli/Commands.h"
#include "cli/MeasurementTables.h"
#include "cli/ScreenNames.h"
#include "cli/SourceInput.h"
#include "export/AtomicFile.h"

namespace quorvel::cli {

namespace {

namespace fs = std::filesystem;

std::span<const std::uint8_t> BytesOf(const std::string& text) {
    return {reinterpret_cast<const std::uint8_t*>(text.data()), text.size()};
}

// A cell that is a plain decimal becomes a JSON number; every other cell stays text.
nlohmann::ordered_json JsonCell(const std::string& cell) {
    if (cell.empty()) return nullptr;
    std::size_t digits = cell[0] == '-' ? 1 : 0;
    bool point = false;
    bool number = digits < cell.size();
    for (std::size_t i = digits; i < cell.size() && number; ++i) {
        if (cell[i] == '.' && !point && i > digits && i + 1 < cell.size()) {
            point = true;
        } else if (cell[i] < '0' || cell[i] > '9') {
            number = false;
        }
    }
    if (!number) return cell;
    if (point) return std::stod(cell);
    return std::stoll(cell);
}

nlohmann::ordered_json JsonRows(const CsvTable& table) {
    nlohmann::ordered_json rows = nlohmann::ordered_json::array();
    for (const auto& row : table.rows) {
        nlohmann::ordered_json object = nlohmann::ordered_json::object();
        for (std::size_t i = 0; i < table.columns.size(); ++i) {
            if (!row[i].empty()) object[table.columns[i]] = JsonCell(row[i]);
        }
        rows.push_back(std::move(object));
    }
    return rows;
}

nlohmann::ordered_json EntryTablesJson(const std::vector<NamedTable>& tables) {
    nlohmann::ordered_json list = nlohmann::ordered_json::array();
    for (const NamedTable& named : tables) {
        list.push_back({{"file", named.fileName},
                        {"DVB type", named.dvb},
                        {"name", named.entryName},
                        {"rows", JsonRows(named.table)}});
    }
    return list;
}

std::string ExportJson(const fs::path& source, const SourceRecord& record,
                       const MeasurementTables& tables) {
    const nlohmann::ordered_json document = {
        {"source", source.filename().string()},
        {"sha256", Sha256OfRecord(record)},
        {"measure", {{"file", kMeasureFileName}, {"rows", JsonRows(tables.measure)}}},
        {"spectrum", EntryTablesJson(tables.spectra)},
        {"constellation", EntryTablesJson(tables.constellations)}};
    return document.dump(2) + "\n";
}

// Files this run made, so a failure part of the way removes them again.
class WrittenFiles {
  public:
    explicit WrittenFiles(fs::path folder) : m_folder(std::move(folder)) {}

    WriteOutcome Write(const std::string& name, const std::string& text) {
        const fs::path path = m_folder / name;
        std::error_code error;
        const bool existed = fs::exists(path, error);
        WriteOutcome outcome = WriteFileAtomically(path, BytesOf(text));
        if (outcome.ok && !existed) m_made.push_back(path);
        if (!outcome.ok) outcome.error = path.string() + ": " + outcome.error;
        return outcome;
    }

    void RemoveAll(bool folderToo) {
        std::error_code error;
        for (const fs::path& path : m_made) fs::remove(path, error);
        if (folderToo) fs::remove(m_folder, error);
    }

  private:
    fs::path m_folder;
    std::vector<fs::path> m_made;
};

}  // namespace

std::vector<DvbType> DvbTypesFromLetters(const std::vector<std::string>& letters) {
    if (letters.empty()) return {kDvbTypes.begin(), kDvbTypes.end()};
    std::vector<DvbType> chosen;
    for (DvbType dvbType : kDvbTypes) {
        for (const std::string& letter : letters) {
            if (DvbFromLetter(letter) == dvbType) {
                chosen.push_back(dvbType);
                break;
            }
        }
    }
    return chosen;
}

int RunExport(const ExportOptions& options, std::ostream& err) {
    const SourceInput input = ReadSourceInput(options.source);
    if (!input.record) {
        err << "quorvel-cli: " << input.error << "\n";
        return kExitFailure;
    }
    const std::vector<DvbType> dvbTypes = DvbTypesFromLetters(options.dvb);
    const MeasurementTables tables = BuildMeasurementTables(*input.record, dvbTypes);

    std::error_code error;
    const bool folderExisted = fs::exists(options.output, error);
    if (!fs::create_directories(options.output, error) && error) {
        err << "quorvel-cli: cannot write " << options.output.string() << ": " << error.message()
            << "\n";
        return kExitFailure;
    }
    WrittenFiles files(options.output);
    std::vector<std::pair<std::string, std::string>> contents;
    contents.emplace_back(kMeasureFileName, CsvText(tables.measure));
    for (const auto* list : {&tables.spectra, &tables.constellations}) {
        for (const NamedTable& named : *list) {
            contents.emplace_back(named.fileName, CsvText(named.table));
        }
    }
    contents.emplace_back("export.json", ExportJson(options.source, *input.record, tables));
    for (const auto& [name, text] : contents) {
        if (const WriteOutcome written = files.Write(name, text); !written.ok) {
            files.RemoveAll(!folderExisted);
            err << "quorvel-cli: cannot write " << written.error << "; nothing written\n";
            return kExitFailure;
        }
    }
    return kExitOk;
}

}  // namespace quorvel::cli
