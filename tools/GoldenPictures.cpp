#include "tools/GoldenPictures.h"

#include <QCryptographicHash>
#include <QImage>

#include "cli/BatchPlan.h"
#include "cli/ScreenRender.h"
#include "export/PictureFile.h"

namespace quorvel::golden {

std::string PixelDigest(const QImage& screen) {
    QCryptographicHash hash(QCryptographicHash::Sha256);
    const auto rowBytes = static_cast<qsizetype>(screen.width()) * 4;
    for (int y = 0; y < screen.height(); ++y) {
        hash.addData(QByteArrayView(reinterpret_cast<const char*>(screen.constScanLine(y)), rowBytes));
    }
    return hash.result().toHex().toStdString();
}

std::string PictureTable(const SourceRecord& record) {
    const cli::CataloguesByDvb catalogues = cli::CataloguesForAllDvbTypes(record);
    std::string table;
    QImage screen;
    for (const cli::PlannedPicture& picture :
         cli::PlanAllPictures(catalogues, FormatExtension(PictureFormat::Bmp))) {
        cli::RenderScreenInto(screen, cli::CatalogueOf(catalogues, picture.request.dvbType),
                              picture.request);
        table += PixelDigest(screen) + "  " + picture.fileName + "\n";
    }
    return table;
}

}  // namespace quorvel::golden
