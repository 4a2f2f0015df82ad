// `report`: a PDF document of a whole source data file, written all or nothing.
#include <QDateTime>
#include <ostream>

#include "Version.h"
#include "cli/CommaLists.h"
#include "cli/Commands.h"
#include "cli/PictureText.h"
#include "cli/ReportDocument.h"
#include "cli/SourceInput.h"
#include "export/AtomicFile.h"
#include "figures/ScreenNames.h"

namespace quorvel::cli {

int RunReport(const ReportOptions& options, std::ostream& err) {
    const SourceInput input = ReadSourceInput(options.source);
    if (!input.record) {
        err << "quorvel-cli: " << input.error << "\n";
        return kExitFailure;
    }
    ReportInput report;
    report.record = input.record.get();
    report.fileName = Utf8FileName(options.source);
    report.sha256 = Sha256OfRecord(*input.record);
    report.date = QDateTime::currentDateTimeUtc().toString(Qt::ISODate).toStdString();
    report.version = kVersion;
    report.language = *LanguageFromCode(options.language);
    report.dvbTypes = ValuesNamed(kDvbLetters, ListedValues(options.dvb));

    const Report made = MakeReport(report);
    if (!made.missingIcons.empty()) {
        err << "quorvel-cli: icon " << made.missingIcons.front()
            << " could not be loaded; no report written\n";
        return kExitFailure;
    }
    if (made.pdf.isEmpty()) {
        err << "quorvel-cli: cannot write " << options.output.string()
            << ": the document could not be made\n";
        return kExitFailure;
    }
    const auto* bytes = reinterpret_cast<const std::uint8_t*>(made.pdf.constData());
    if (const WriteOutcome written =
            WriteFileAtomically(options.output, {bytes, static_cast<std::size_t>(made.pdf.size())});
        !written.ok) {
        err << "quorvel-cli: cannot write " << options.output.string() << ": " << written.error
            << "\n";
        return kExitFailure;
    }
    return kExitOk;
}

}  // namespace quorvel::cli
