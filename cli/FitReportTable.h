// The text-fit report as a table: fit-report.csv in the batch folder, and the same rows printed
// tab-separated by --fit-report.
#pragma once

#include <string>

#include "export/CsvTable.h"
#include "figures/FitReport.h"

namespace quorvel::cli {

// The pictures column joins the file names with "; ".
CsvTable FitReportTable(const FitReport& report);

// The table tab-separated, one line a row, for standard output.
std::string FitReportTsv(const CsvTable& table);

}  // namespace quorvel::cli
