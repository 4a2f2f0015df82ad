// Command-line grammar of quorvel-cli: subcommands, options, their ranges and help texts.
#include <CLI/CLI.hpp>
#include <algorithm>
#include <cerrno>
#include <cstring>
#include <filesystem>
#include <ostream>
#include <utility>

#include "Version.h"
#include "cli/CommaLists.h"
#include "cli/Commands.h"
#include "cli/VectorOutput.h"
#include "export/PictureFile.h"
#include "figures/BatchPlan.h"
#include "figures/ScreenNames.h"

namespace quorvel::cli {

namespace {

const CLI::Validator kReferenceLevel(
    [](std::string& value) -> std::string {
        try {
            std::size_t used = 0;
            const int level = std::stoi(value, &used);
            if (used == value.size() && level >= 0 && level <= 75 && level % 5 == 0) return {};
        } catch (const std::exception&) {
        }
        return "reference level must be 0 to 75 in steps of 5, not " + value;
    },
    "0..75 step 5");

// The one character that goes between CSV fields; "tab" stands for a tab, which a shell line
// cannot easily hold.
const CLI::Validator kCsvSeparator(
    [](std::string& value) -> std::string {
        if (value == "tab") value = "\t";
        if (value == "," || value == ";" || value == "\t") return {};
        return "fields are separated by , ; or tab, not '" + value + "'";
    },
    ", ; or tab");

// A comma-separated list of `allowed` values; without --all the command checks it is only one.
CLI::Validator ListOf(const std::vector<std::string>& allowed) {
    const std::string names = JoinedList(allowed);
    return CLI::Validator(
        [allowed, names](std::string& list) -> std::string {
            for (const std::string& value : SplitList(list)) {
                if (std::find(allowed.begin(), allowed.end(), value) == allowed.end()) {
                    return "'" + value + "' is not one of " + names;
                }
            }
            return {};
        },
        names);
}

template <typename Value, std::size_t Count>
std::string Spoken(const NameTable<Value, Count>& table) {
    return SpokenList(NamesOf(table), "or");
}

// The DVB types `export` and `report` cover.
void AddDvbList(CLI::App& command, std::string& dvb) {
    command
        .add_option("--dvb", dvb,
                    "DVB types: " + SpokenList(NamesOf(kDvbLetters), "and/or") + " (default all)")
        ->check(ListOf(NamesOf(kDvbLetters)));
}

// Two names for one file would draw it twice into the same folder.
void RefuseRepeatedSources(const std::vector<std::filesystem::path>& sources) {
    for (std::size_t i = 0; i < sources.size(); ++i) {
        for (std::size_t j = 0; j < i; ++j) {
            std::error_code error;
            if (sources[i] == sources[j] ||
                std::filesystem::equivalent(sources[i], sources[j], error)) {
                throw CLI::ValidationError("FILE", sources[i].string() + " is given twice");
            }
        }
    }
}

// An option the output would not use is refused rather than dropped without a word. The
// format is --format's with --all, otherwise -o's extension (RunRender refuses an unknown one).
void RefuseIgnoredOptions(const RenderOptions& options, bool scaleGiven, bool dpiGiven) {
    const bool pictureName =
        FormatFromPath(options.output) || VectorFormatFromPath(options.output);
    if (options.all && pictureName) {
        throw CLI::ValidationError("-o", options.output.string() +
                                             ": --all writes a folder; give a folder's name, not "
                                             "a picture file's");
    }
    const std::string format = options.all ? options.format : LowerExtension(options.output);
    const bool vector = VectorFormatFromName(format).has_value();
    if (options.smooth && vector) {
        throw CLI::ValidationError("--smooth",
                                   "only a .bmp or .png output is drawn smooth (an SVG or PDF "
                                   "is smooth at any size)");
    }
    if (options.smooth && options.scale < 2) {
        throw CLI::ValidationError("--smooth", "needs --scale 2, 3 or 4, the size to draw at");
    }
    if (scaleGiven && vector) {
        throw CLI::ValidationError("--scale",
                                   "an SVG or PDF has no pixels to repeat; it is sharp at any "
                                   "size");
    }
    if (dpiGiven && format != "png") {
        throw CLI::ValidationError("--dpi", "only a PNG picture records a resolution, not " +
                                                (format.empty() ? "this output" : "a " + format));
    }
}

void AddRender(CLI::App& app, RenderOptions& options) {
    CLI::App* render =
        app.add_subcommand("render", "Draw screens of a source data file as the window shows them");
    render->footer(
        "One screen: --dvb and --screen pick it, -o names a .bmp (the window's export format), "
        ".png, .svg or .pdf file (--page a4|letter puts the PDF screen on landscape paper).\nAll "
        "screens: --all -o DIR writes DIR/" + PictureFileNamePattern() +
        ".<ext> (--format bmp, png, svg or pdf), DIR/index.json and the contact sheet DIR/index.html, "
        "whose path is the last line on standard error; with several files, each file's "
        "pictures go in DIR/<file stem>/. With --all, --dvb, --screen and --lang take "
        "comma-separated lists (default: all). Pictures an earlier batch listed in DIR/index.json "
        "and this one does not draw are counted on standard error; --clean removes them, and "
        "nothing else.\nAn option the output would not use is refused: --dpi is for PNG only, "
        "--scale and --smooth for BMP and PNG only.\n--more draws the Constellation More view and "
        "is refused for the other screens.\n--scale N repeats each screen pixel N by N times; with "
        "--smooth the screen is drawn at N times its size instead, texts anti-aliased in "
        "Liberation Sans and fills still whole pixels.");
    render->add_option("FILE", options.sources,
                       "Source data file(s) (*.dat) or dumps (*.json); several with --all")
        ->required();
    render->add_option("-o,--output", options.output, "Picture file, or folder with --all")
        ->required();
    CLI::Option* all = render->add_flag("--all", options.all, "Draw every screen of the file");
    CLI::Option* format =
        render->add_option("--format", options.format, "Picture format with --all: bmp, png, svg or pdf (default bmp)")
            ->check(CLI::IsMember({"bmp", "png", "svg", "pdf"}));
    CLI::Option* dvb = render->add_option("--dvb", options.dvb, "DVB type: " + Spoken(kDvbLetters))
                           ->check(ListOf(NamesOf(kDvbLetters)));
    CLI::Option* screen = render->add_option("--screen", options.screen, Spoken(kScreenNames))
                              ->check(ListOf(NamesOf(kScreenNames)));
    CLI::Option* entry = render
                             ->add_option("--entry", options.entry,
                                          "Line of the screen's drop-down list, from 0 (default 0)")
                             ->check(CLI::Range(0, 63));
    render
        ->add_option("--lang", options.language,
                     "Screen language: " + Spoken(kLanguageCodes) + " (default " +
                         std::string(LanguageCode(Language::English)) + "; both with --all)")
        ->check(ListOf(NamesOf(kLanguageCodes)));
    CLI::Option* scale =
        render->add_option("--scale", options.scale,
                     "Enlarge N times by repeating each pixel (the meter's own pixels), 1 to 4 "
                     "(default 1; BMP and PNG)")
        ->check(CLI::Range(1, 4));
    render->add_flag("--smooth", options.smooth,
                     "With --scale 2 to 4: draw texts and shapes at N times their size instead, "
                     "for print (BMP and PNG)");
    CLI::Option* dpi =
        render->add_option("--dpi", options.dpi, "Resolution recorded in PNG pictures, 1 to 10000")
            ->check(CLI::Range(1, 10000));
    CLI::Option* fitReport =
        render->add_flag("--fit-report", options.fitReport,
                         "With --all: write fit-report.csv, each text that does not fit its "
                         "box once with its id, English source and widths in picture pixels, "
                         "and print it as a table");
    CLI::Option* clean =
        render->add_flag("--clean", options.clean,
                         "With --all: remove the pictures an earlier batch listed in the "
                         "folder's index.json that this batch does not draw (nothing else)");
    CLI::Option* more =
        render->add_flag("--more", options.more, "Constellation More view (after F1)");
    CLI::Option* level =
        render
            ->add_option("--ref-level", options.referenceLevel,
                         "Spectrum reference level in dBuV, 0 to 75 in steps of 5 (default 40)")
            ->check(kReferenceLevel);
    CLI::Option* cursor = render
                              ->add_option("--cursor-x", options.cursorX,
                                           "Spectrum cursor column, 101 to 999 (default 101)")
                              ->check(CLI::Range(101, 999));
    CLI::Option* page = render
                            ->add_option("--page", options.page,
                                         "PDF paper: a4 or letter (default: the screen's size)")
                            ->check(CLI::IsMember({"a4", "letter"}));
    for (CLI::Option* single : {entry, more, level, cursor, page}) {
        all->excludes(single);
    }
    format->needs(all);
    fitReport->needs(all);
    clean->needs(all);
    render->callback([&options, dvb, screen, scale, dpi] {
        RefuseRepeatedSources(options.sources);
        RefuseIgnoredOptions(options, scale->count() > 0, dpi->count() > 0);
        if (options.all) return;
        if (dvb->count() == 0 || screen->count() == 0) {
            throw CLI::RequiredError("--dvb and --screen (or --all)");
        }
        if (options.sources.size() > 1) {
            throw CLI::ValidationError("FILE", "several files need --all");
        }
        for (const auto& [name, value] : {std::pair{"--dvb", &options.dvb},
                                          {"--screen", &options.screen},
                                          {"--lang", &options.language}}) {
            if (value->find(',') != std::string::npos) {
                throw CLI::ValidationError(name, *value + ": a list needs --all");
            }
        }
    });
}

void AddCompare(CLI::App& app, CompareOptions& options) {
    CLI::App* compare = app.add_subcommand(
        "compare", "Compare approved pictures with new ones, pixel by pixel, by screen region");
    compare->footer(
        "APPROVED and NEW are two pictures, or two folders whose pictures pair by relative path "
        "without the extension, so a BMP and a PNG of one screen compare by their pixels.\n"
        "Exit status: 0 all the same, 1 any differs, is added or removed or cannot be read, 2 the "
        "command line is wrong.\n--accept copies each differing and added picture of NEW over "
        "APPROVED and keeps APPROVED's index.json and contact sheet in step; it exits 0 when "
        "everything that differed was accepted.");
    compare->add_option("APPROVED", options.approved, "Approved picture or folder");
    compare->add_option("NEW", options.fresh, "New picture or folder");
    compare->add_option("-o,--output", options.report,
                        "Report folder: report.json, index.html and the differing pictures");
    compare->add_flag("--accept", options.accept,
                      "Copy differing and added pictures over APPROVED");
    compare->add_flag("--regions", options.listRegions, "List the named regions of each screen");
    compare
        ->add_option("--tolerance", options.tolerance,
                     "Largest channel difference still counted as the same (default 0)")
        ->check(CLI::Range(0, 255));
    compare->add_option("--ignore", options.ignore, "Leave out named regions: REGION[,REGION]");
    compare->add_option("--crop", options.crop,
                        "X,Y of the screen inside a larger picture (a window screenshot)");
}

CLI::App* AddExport(CLI::App& app, ExportOptions& options) {
    CLI::App* command = app.add_subcommand(
        "export", "Write the values the screens show as CSV tables and one JSON document");
    command->footer(
        "DIR receives measure.csv, spectrum-<dvb>-<NN>.csv, constellation-<dvb>-<NN>.csv and "
        "export.json (UTF-8, units in the column names). The CSV files start with a UTF-8 byte "
        "order mark, so that spreadsheets read their names right.\nWith --decimal-comma the "
        "fields go between semicolons unless --csv-separator says tab: a comma cannot mark "
        "decimals and separate fields at once, so --csv-separator , is refused with it.");
    command->add_option("FILE", options.source, "Source data file (*.dat) or its dump (*.json)")
        ->required();
    command->add_option("-o,--output", options.output, "Folder to write into")->required();
    AddDvbList(*command, options.dvb);
    CLI::Option* separator = command
                                 ->add_option("--csv-separator", options.csvSeparator,
                                              "What goes between CSV fields (default ,)")
                                 ->transform(kCsvSeparator);
    command->add_flag("--decimal-comma", options.decimalComma,
                      "Numbers in the CSV files with a decimal comma (12,5), as European "
                      "spreadsheets read them");
    command->callback([&options, separator] {
        if (!options.decimalComma) return;
        if (separator->count() == 0) {
            options.csvSeparator = ';';
        } else if (options.csvSeparator == ',') {
            throw CLI::ValidationError("--decimal-comma",
                                       "a comma cannot also separate the fields; give "
                                       "--csv-separator ; or tab, or leave it out for ;");
        }
    });
    return command;
}

CLI::App* AddReport(CLI::App& app, ReportOptions& options) {
    CLI::App* command = app.add_subcommand(
        "report", "Write a PDF report of a source data file: values, tables and every screen");
    command->add_option("FILE", options.source, "Source data file (*.dat) or its dump (*.json)")
        ->required();
    command->add_option("-o,--output", options.output, "PDF file to write")->required();
    command
        ->add_option("--lang", options.language,
                     "Report and screen language: " + Spoken(kLanguageCodes))
        ->check(CLI::IsMember(NamesOf(kLanguageCodes)));
    AddDvbList(*command, options.dvb);
    return command;
}

// A command whose output did not all reach standard output (a full disk, a closed pipe) has
// failed, whatever it did besides.
int WithOutputChecked(int status, std::ostream& out, std::ostream& err) {
    // A write that failed earlier left its reason in errno; only a fresh attempt may replace it.
    if (out) errno = 0;
    out.flush();
    if (out) return status;
    err << "quorvel-cli: cannot write standard output"
        << (errno != 0 ? std::string(": ") + std::strerror(errno) : std::string()) << "\n";
    return kExitFailure;
}

}  // namespace

int RunCli(int argc, const char* const* argv, std::ostream& out, std::ostream& err) {
    CLI::App app(
        "quorvel-cli: pictures, tables, reports, comparisons, dumps and builds of Quorvel source "
        "data files",
        "quorvel-cli");
    app.set_version_flag("--version", std::string("quorvel-cli ") + kVersion);
    app.require_subcommand(1);
    app.footer(
        "Exit status: 0 done, 1 an input could not be used or an output not written, 2 the "
        "command line is wrong.\nRun quorvel-cli <command> --help for a command's options.");

    RenderOptions render;
    AddRender(app, render);

    DumpOptions dump;
    CLI::App* dumpCommand =
        app.add_subcommand("dump", "Print every slot and field of a source data file as JSON");
    dumpCommand->add_option("FILE", dump.source, "Source data file (*.dat) or its dump (*.json)")
        ->required();

    InfoOptions info;
    CLI::App* infoCommand =
        app.add_subcommand("info", "Print where a PNG picture from render came from");
    infoCommand->footer("Prints the size, the recorded resolution and the provenance texts.");
    infoCommand->add_option("PICTURE", info.picture, "PNG picture")->required();

    BuildOptions build;
    CLI::App* buildCommand =
        app.add_subcommand("build", "Write a source data file from JSON in the form dump prints");
    buildCommand->footer("Fields left out are zero; dump followed by build gives back the file.");
    buildCommand->add_option("IN", build.input, "JSON file, - for standard input")->required();
    buildCommand->add_option("-o,--output", build.output, "Source data file to write")->required();

    CompareOptions compare;
    AddCompare(app, compare);
    ExportOptions exportOptions;
    CLI::App* exportCommand = AddExport(app, exportOptions);
    ReportOptions report;
    CLI::App* reportCommand = AddReport(app, report);

    const auto run = [&] {
        try {
            app.parse(argc, argv);
        } catch (const CLI::ParseError& error) {
            return app.exit(error, out, err) == 0 ? kExitOk : kExitUsage;
        }
        if (app.got_subcommand("dump")) return RunDump(dump, out, err);
        if (app.got_subcommand("build")) return RunBuild(build, err);
        if (app.got_subcommand("compare")) return RunCompare(compare, out, err);
        if (exportCommand->parsed()) return RunExport(exportOptions, err);
        if (reportCommand->parsed()) return RunReport(report, err);
        if (app.got_subcommand("info")) return RunInfo(info, out, err);
        return render.all ? RunBatch(render, out, err) : RunRender(render, err);
    };
    return WithOutputChecked(run(), out, err);
}

}  // namespace quorvel::cli
