#include "render/IconStore.h"

#include <QFile>
#include <QString>
#include <mutex>
#include <unordered_map>

namespace quorvel {
namespace {

ResourceImage Decode(int id) {
    const QString path = QStringLiteral(":/img/%1.bmp").arg(id);
    if (!QFile::exists(path)) return {QImage(), kResourceNotFound};
    QImage image(path, "BMP");
    // One pixel format for every icon keeps drawing them a plain copy onto the screen image.
    if (!image.isNull()) image = image.convertToFormat(QImage::Format_RGB32);
    return {image, 0};
}

class EmbeddedIconSource final : public IconSource {
  public:
    ResourceImage Load(IconId icon) const override {
        return LoadResourceImage(static_cast<int>(icon));
    }
};

}  // namespace

ResourceImage LoadResourceImage(int id) {
    static std::mutex mutex;
    static std::unordered_map<int, ResourceImage> decoded;
    const std::lock_guard lock(mutex);
    auto found = decoded.find(id);
    if (found == decoded.end()) found = decoded.emplace(id, Decode(id)).first;
    return found->second;
}

const IconSource& EmbeddedIcons() {
    static const EmbeddedIconSource source;
    return source;
}

}  // namespace quorvel
