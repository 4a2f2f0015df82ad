// `export`: the measurement tables of a source data file as CSV files and one JSON document.
#include <nlohmann/json.hpp>
#include <ostream>
#include <system_error>

#include "cli/CannotWrite.h"
#include "cli/CommaLists.h"
#include "cli/Commands.h"
#include "cli/MeasurementTables.h"
#include "cli/PictureText.h"
#include "cli/SourceInput.h"
#include "export/AtomicFile.h"
#include "figures/ScreenNames.h"

namespace quorvel::cli {

namespace {

namespace fs = std::filesystem;

// A cell that is a plain decimal becomes a JSON number; every other cell stays text.
nlohmann::ordered_json JsonCell(const std::string& cell) {
    if (cell.empty()) return nullptr;
    if (!IsPlainDecimal(cell)) return cell;
    if (cell.find('.') != std::string::npos) return std::stod(cell);
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
        {"source", Utf8FileName(source)},
        {"sha256", Sha256OfRecord(record)},
        {"measure", {{"file", kMeasureFileName}, {"rows", JsonRows(tables.measure)}}},
        {"spectrum", EntryTablesJson(tables.spectra)},
        {"constellation", EntryTablesJson(tables.constellations)}};
    return document.dump(2) + "\n";
}

// The file that could not be written, and why.
struct WriteFailure {
    fs::path path;
    std::string why;
};

// Every table is written in full beside its name before any is put in place, so that a full
// disk or any other failure while writing leaves every earlier file as it was.
class StagedTables {
  public:
    explicit StagedTables(fs::path folder) : m_folder(std::move(folder)) {}

    // False, with the file and the reason in `failure`, when a file cannot be written.
    bool Stage(const std::string& name, const std::string& text, WriteFailure& failure) {
        StagedFile staged(m_folder / name, AllAtOnce(BytesOf(text)));
        if (!staged.Written().ok) {
            failure = {m_folder / name, staged.Written().error};
            return false;
        }
        m_staged.push_back({name, std::move(staged)});
        return true;
    }

    // Puts every file in place; when one cannot be, the files made new by this run are removed
    // again and `failure` names the ones that were already replaced.
    bool PlaceAll(WriteFailure& failure) {
        std::vector<std::string> replaced;
        std::vector<fs::path> made;
        for (auto& [name, staged] : m_staged) {
            const fs::path path = m_folder / name;
            std::error_code existsError;
            const bool existed = fs::exists(path, existsError);
            if (const WriteOutcome placed = staged.Place(); !placed.ok) {
                for (const fs::path& newFile : made) fs::remove(newFile, existsError);
                failure = {path,
                           placed.error + "; " +
                               (replaced.empty() ? std::string("no earlier file was replaced")
                                                 : "already replaced: " + JoinedList(replaced))};
                return false;
            }
            if (existed) {
                replaced.push_back(name);
            } else {
                made.push_back(path);
            }
        }
        return true;
    }

  private:
    fs::path m_folder;
    std::vector<std::pair<std::string, StagedFile>> m_staged;
};

bool WriteTables(const fs::path& folder,
                 const std::vector<std::pair<std::string, std::string>>& contents,
                 std::ostream& err) {
    StagedTables files(folder);
    WriteFailure failure;
    for (const auto& [name, text] : contents) {
        if (!files.Stage(name, text, failure)) {
            ReportCannotWrite(err, failure.path, failure.why + "; nothing written");
            return false;
        }
    }
    if (files.PlaceAll(failure)) return true;
    ReportCannotWrite(err, failure.path, failure.why);
    return false;
}

}  // namespace

int RunExport(const ExportOptions& options, std::ostream& err) {
    const std::unique_ptr<SourceRecord> record = ReadSourceOrFail(options.source, err);
    if (!record) return kExitFailure;
    const std::vector<DvbType> dvbTypes = ValuesNamed(kDvbLetters, ListedValues(options.dvb));
    const MeasurementTables tables = BuildMeasurementTables(*record, dvbTypes);

    std::error_code error;
    const bool folderExisted = fs::exists(options.output, error);
    if (!fs::create_directories(options.output, error) && error) {
        return ReportCannotWrite(err, options.output, error.message());
    }
    const CsvDialect dialect{options.csvSeparator, options.decimalComma ? ',' : '.'};
    std::vector<std::pair<std::string, std::string>> contents;
    contents.emplace_back(kMeasureFileName, CsvText(tables.measure, dialect));
    for (const auto* list : {&tables.spectra, &tables.constellations}) {
        for (const NamedTable& named : *list) {
            contents.emplace_back(named.fileName, CsvText(named.table, dialect));
        }
    }
    contents.emplace_back("export.json", ExportJson(options.source, *record, tables));
    if (!WriteTables(options.output, contents, err)) {
        if (!folderExisted) fs::remove(options.output, error);
        return kExitFailure;
    }
    return kExitOk;
}

}  // namespace quorvel::cli
