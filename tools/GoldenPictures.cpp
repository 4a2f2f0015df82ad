#include "tools/GoldenPictures.h"

#include <QCryptographicHash>
#include <QImage>

#include "cli/ScreenRender.h"
#include "figures/BatchPlan.h"
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
    const CataloguesByDvb catalogues = CataloguesForAllDvbTypes(record);
    std::string table;
    QImage screen;
    for (const PlannedPicture& picture :
         PlanAllPictures(catalogues, FormatExtension(PictureFormat::Bmp))) {
        cli::RenderScreenInto(screen, CatalogueOf(catalogues, picture.request.dvbType),
                              picture.request);
        table += PixelDigest(screen) + "  " + picture.fileName + "\n";
    }
    return table;
}

}  // namespace quorvel::golden
