// `info PICTURE.png`: the provenance text a batch wrote into a picture, read back.
#include <cmath>
#include <ostream>

#include "cli/Commands.h"
#include "cli/PictureProvenance.h"
#include "cli/PictureText.h"
#include "compare/MappedFile.h"
#include "compare/PictureDecoder.h"
#include "data/TextEncoding.h"

namespace quorvel::cli {

int RunInfo(const InfoOptions& options, std::ostream& out, std::ostream& err) {
    // The name is used as the file system's bytes and shown as text.
    const std::string shownName = PrintableText(ValidUtf8(options.picture.native()));
    // The compare decoder refuses what is not a regular file at once, and bounds the memory and
    // time a lying header can cost.
    const compare::MappedFile file(options.picture);
    const compare::DecodeOutcome decoded =
        file.Ok() ? compare::DecodePng(file.Bytes()) : compare::DecodeOutcome{{}, file.Error()};
    if (!decoded.ok()) {
        err << "quorvel-cli: " << shownName << ": not a readable PNG picture ("
            << PrintableText(decoded.error) << ")\n";
        return kExitFailure;
    }
    const compare::Picture& picture = decoded.picture;
    out << "Size: " << picture.width << "x" << picture.height << "\n";
    if (const long dpi = std::lround(picture.dotsPerMetre * 0.0254); dpi > 0) {
        out << "Resolution: " << dpi << " dpi\n";
    }
    bool found = false;
    for (std::string_view key : kProvenanceKeys) {
        const std::string value = picture.Note(std::string(key));
        if (value.empty()) continue;
        found = true;
        out << key << ": " << PrintableText(value) << "\n";
    }
    if (!found) out << shownName << ": no provenance text (not written by quorvel-cli render)\n";
    return kExitOk;
}

}  // namespace quorvel::cli
