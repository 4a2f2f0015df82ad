#include "render/PrintFont.h"

#include <QCryptographicHash>
#include <QFile>
#include <QFontDatabase>
#include <QRawFont>

#include "render/PainterText.h"

namespace quorvel {
namespace {

// The header compared below is the same at every size.
constexpr int kProbePixels = 28;

}  // namespace

LoadedFont LoadPinnedFont(const QString& path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) return {{}, QStringLiteral("cannot read ") + path};
    const QByteArray bytes = file.readAll();
    const QByteArray digest = QCryptographicHash::hash(bytes, QCryptographicHash::Sha256).toHex();
    if (digest != kLiberationSansSha256) {
        return {{},
                path + QStringLiteral(" is not the pinned Liberation Sans file (SHA-256 ") +
                    QString::fromLatin1(digest) + QStringLiteral(")")};
    }
    const int id = QFontDatabase::addApplicationFontFromData(bytes);
    const QStringList families = QFontDatabase::applicationFontFamilies(id);
    if (families.isEmpty()) return {{}, QStringLiteral("Qt cannot load ") + path};
    // Another file of the same family could win the match: the face Qt lays out in must carry
    // this file's header, whose checksum covers the whole file.
    const QRawFont chosen = QRawFont::fromFont(ScreenQFont(families.front(), kProbePixels));
    if (chosen.fontTable("head") != QRawFont(bytes, kProbePixels).fontTable("head")) {
        return {{},
                QStringLiteral("Qt lays out ") + families.front() +
                    QStringLiteral(" from another file than ") + path};
    }
    return {families.front(), {}};
}

const LoadedFont& PrintFont() {
    static const LoadedFont font = LoadPinnedFont(QString::fromLatin1(kLiberationSansPath));
    return font;
}

}  // namespace quorvel
