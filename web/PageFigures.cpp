#include "web/PageFigures.h"

#include "export/PictureFormat.h"
#include "render/PixelScreen.h"
#include "web/PageScreen.h"

namespace quorvel::web {

std::size_t PageFigures::Plan(const SourceRecord& record, const std::string& sourceName) {
    m_catalogues = CataloguesForAllDvbTypes(record);
    m_pictures.clear();
    for (PlannedPicture& planned : PlanAllPictures(m_catalogues, FormatExtension(PictureFormat::Png))) {
        m_pictures.push_back({std::move(planned), sourceName, {}, {}, {}});
    }
    return m_pictures.size();
}

const std::string& PageFigures::FileName(std::size_t index) const {
    return m_pictures.at(index).planned.fileName;
}

const std::vector<std::uint32_t>& PageFigures::Paint(std::size_t index) {
    PictureOutcome& picture = m_pictures.at(index);
    const ScreenRequest& request = picture.planned.request;
    picture.unfit.clear();
    PaintRequestInto(ScreenTarget(m_pixels), CatalogueOf(m_catalogues, request.dvbType), request,
                     &picture.unfit);
    return m_pixels;
}

std::string PageFigures::IndexJson(const std::string& recordSha256) {
    for (PictureOutcome& picture : m_pictures) picture.sourceSha256 = recordSha256;
    // The page makes its set at the screen's own size.
    return IndexJsonText(m_pictures, CollectFitReport(m_pictures, 1), {});
}

}  // namespace quorvel::web
