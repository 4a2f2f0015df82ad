// The tool's commands as functions of their parsed options; each writes its errors to `err` and
// returns the process exit status.
#pragma once

#include <cstddef>
#include <filesystem>
#include <iosfwd>
#include <optional>
#include <string>
#include <vector>

namespace quorvel::cli {

inline constexpr int kExitOk = 0;
inline constexpr int kExitFailure = 1;  // the input could not be used or an output not written
inline constexpr int kExitUsage = 2;    // the command line itself is wrong

struct RenderOptions {
    std::vector<std::filesystem::path> sources;  // one unless --all
    std::filesystem::path output;
    bool all = false;
    std::string format = "bmp";  // --all only
    // With --all these are comma-separated lists, empty for all; otherwise one value each.
    std::string dvb;       // a DVB letter
    std::string screen;    // a screen name
    std::string language;  // a language code; English when empty without --all
    int scale = 1;
    bool smooth = false;     // with scale 2 to 4: drawn at that size rather than enlarged after
    int dpi = 0;             // 0: no resolution recorded
    bool fitReport = false;  // --all only: fit-report.csv and the same table on standard output
    bool clean = false;      // --all only: remove pictures an earlier batch listed and this lacks
    std::size_t entry = 0;
    bool more = false;
    int referenceLevel = 40;
    int cursorX = 101;
    std::string page;  // PDF paper: a4 or letter; empty for a page of the screen's size
};

struct InfoOptions {
    std::filesystem::path picture;
};

struct DumpOptions {
    std::filesystem::path source;
};

struct BuildOptions {
    std::filesystem::path input;
    std::filesystem::path output;
};

struct CompareOptions {
    std::filesystem::path approved;
    std::filesystem::path fresh;
    std::filesystem::path report;  // empty: no report
    bool accept = false;
    bool listRegions = false;
    int tolerance = 0;
    std::string ignore;  // REGION[,REGION]
    std::string crop;    // X,Y
};

struct ExportOptions {
    std::filesystem::path source;
    std::filesystem::path output;  // folder
    std::string dvb;               // comma-separated DVB letters; empty for all three
    char csvSeparator = ',';
    bool decimalComma = false;
};

struct ReportOptions {
    std::filesystem::path source;
    std::filesystem::path output;
    std::string language = "en";
    std::string dvb;  // comma-separated DVB letters; empty for all three
};

int RunRender(const RenderOptions& options, std::ostream& err);
int RunExport(const ExportOptions& options, std::ostream& err);
int RunReport(const ReportOptions& options, std::ostream& err);
int RunBatch(const RenderOptions& options, std::ostream& out, std::ostream& err);
int RunInfo(const InfoOptions& options, std::ostream& out, std::ostream& err);
int RunDump(const DumpOptions& options, std::ostream& out, std::ostream& err);
int RunBuild(const BuildOptions& options, std::ostream& err);
int RunCompare(const CompareOptions& options, std::ostream& out, std::ostream& err);

// Parses the command line and runs the chosen command.
int RunCli(int argc, const char* const* argv, std::ostream& out, std::ostream& err);

}  // namespace quorvel::cli
