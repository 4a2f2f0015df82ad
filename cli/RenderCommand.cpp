// `render` for one screen: checks the request against the file's lists, draws, writes.
#include <ostream>

#include "cli/CannotWrite.h"
#include "cli/Commands.h"
#include "cli/PictureProvenance.h"
#include "cli/PictureText.h"
#include "cli/ScreenRender.h"
#include "cli/SmoothPicture.h"
#include "cli/SourceInput.h"
#include "cli/VectorOutput.h"
#include "export/AtomicFile.h"
#include "export/PictureFile.h"
#include "figures/ScreenNames.h"

namespace quorvel::cli {

namespace {

std::string ListProblem(const Catalogue& catalogue, const ScreenRequest& request) {
    const std::size_t count = catalogue.Count(request.screen);
    if (request.position < count) return {};
    std::string problem = "--entry " + std::to_string(request.position) + ": the " +
                          std::string(DvbDisplayName(request.dvbType)) + " " +
                          std::string(ScreenName(request.screen)) + " list ";
    if (count == 0) return problem + "is empty";
    if (count == 1) return problem + "has 1 entry (position 0)";
    return problem + "has " + std::to_string(count) + " entries (positions 0 to " +
           std::to_string(count - 1) + ")";
}

}  // namespace

int RunRender(const RenderOptions& options, std::ostream& err) {
    const std::optional<PictureFormat> format = FormatFromPath(options.output);
    const std::optional<VectorFormat> vector = VectorFormatFromPath(options.output);
    if (!format && !vector) {
        err << "quorvel-cli: -o " << options.output.string()
            << ": the file name must end in .bmp, .png, .svg or .pdf\n";
        return kExitUsage;
    }
    if (!options.page.empty() && vector != VectorFormat::Pdf) {
        err << "quorvel-cli: --page: only a .pdf output has pages\n";
        return kExitUsage;
    }
    ScreenRequest request;
    request.dvbType = *DvbFromLetter(options.dvb);
    request.screen = *ScreenFromName(options.screen);
    request.position = options.entry;
    request.language = options.language.empty() ? Language::English
                                                : *LanguageFromCode(options.language);
    request.more = options.more;
    request.referenceLevel = static_cast<std::uint8_t>(options.referenceLevel);
    request.cursorX = options.cursorX;
    if (request.more && request.screen != Category::Constellation) {
        err << "quorvel-cli: --more: only the constellation screen has a More view\n";
        return kExitUsage;
    }

    const std::unique_ptr<SourceRecord> record = ReadSourceOrFail(options.sources.front(), err);
    if (!record) return kExitFailure;
    if (options.smooth && !SmoothFontReady(err)) return kExitFailure;
    const auto catalogue = CatalogueFor(*record, request.dvbType);
    if (const std::string problem = ListProblem(*catalogue, request); !problem.empty()) {
        err << "quorvel-cli: " << problem << "\n";
        return kExitFailure;
    }

    if (vector) {
        const PaperSize paper = PaperFromName(options.page).value_or(PaperSize::Screen);
        const VectorOutcome outcome =
            WriteVectorScreen(*catalogue, request, *vector, paper, options.output);
        if (!outcome.missingIcons.empty()) {
            err << "quorvel-cli: icon " << outcome.missingIcons.front()
                << " could not be loaded; no picture written\n";
            return kExitFailure;
        }
        return ExitStatusOf(outcome.written, options.output, err);
    }
    const RenderedScreen rendered = options.smooth
                                        ? RenderSmoothScreen(*catalogue, request, options.scale)
                                        : RenderScreen(*catalogue, request);
    if (!rendered.missingIcons.empty()) {
        err << "quorvel-cli: icon " << rendered.missingIcons.front()
            << " could not be loaded; no picture written\n";
        return kExitFailure;
    }
    PictureExtras extras{PixelRepeats(options.scale, options.smooth), 0, {}};
    if (*format == PictureFormat::Png) {
        extras.dpi = options.dpi;
        const PlannedPicture picture{request, {}, EntryName(*catalogue, request)};
        extras.texts = ProvenanceTexts(picture, Utf8FileName(options.sources.front()),
                                       Sha256OfRecord(*record), options.scale);
    }
    return ExitStatusOf(WritePicture(rendered.image, *format, options.output, extras),
                        options.output, err);
}

}  // namespace quorvel::cli
