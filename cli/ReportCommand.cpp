// `report`: a PDF document of a whole source data file, written all or nothing.
#include <QDateTime>
#include <ostream>

#include "Version.h"
#include "cli/CannotWrite.h"
#include "cli/CommaLists.h"
#include "cli/Commands.h"
#include "cli/PictureText.h"
#include "cli/ReportDocument.h"
#include "cli/SourceInput.h"
#include "export/AtomicFile.h"
#include "figures/ScreenNames.h"

namespace quorvel::cli {

int RunReport(const ReportOptions& options, std::ostream& err) {
    const std::unique_ptr<SourceRecord> record = ReadSourceOrFail(options.source, err);
    if (!record) return kExitFailure;
    ReportInput report;
    report.record = record.get();
    report.fileName = Utf8FileName(options.source);
    report.sha256 = Sha256OfRecord(*record);
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
        return ReportCannotWrite(err, options.output, "the document could not be made");
    }
    const std::string_view pdf(made.pdf.constData(), static_cast<std::size_t>(made.pdf.size()));
    return ExitStatusOf(WriteFileAtomically(options.output, BytesOf(pdf)), options.output, err);
}

}  // namespace quorvel::cli
