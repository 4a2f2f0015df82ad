#include "web/PageScreen.h"

#include <algorithm>

#include "export/BmpEncoder.h"
#include "export/PictureFormat.h"
#include "figures/BatchPlan.h"
#include "render/ScreenLayout.h"
#include "source/SourceReading.h"

namespace quorvel::web {

namespace {

constexpr std::size_t kScreenPixels = static_cast<std::size_t>(kScreenWidth) * kScreenHeight;

}  // namespace

pixels::Target ScreenTarget(std::vector<std::uint32_t>& pixels) {
    pixels.resize(kScreenPixels, palette::kBlack);
    return pixels::Target(pixels.data(), kScreenWidth, kScreenWidth, kScreenHeight);
}

PageScreen::PageScreen() : m_pixels(kScreenPixels, palette::kBlack) {}

bool PageScreen::Open(const std::string& path) {
    SourceRead read = ReadSource(path);
    if (!read.record) {
        m_error = read.reason;
        return false;
    }
    m_error.clear();
    m_record = std::move(read.record);
    Apply(m_navigator.OpenRecord(*m_record));
    return true;
}

bool PageScreen::Apply(const Outcome& outcome) {
    if (!outcome.Changed()) return false;
    const PaintResult result = m_repainter.Repaint(ScreenTarget(m_pixels), outcome.invalidated,
                                                   m_navigator.State(), m_navigator.Lists());
    if (result.cursorTipText) m_navigator.SetCursorTipText(*result.cursorTipText);
    return true;
}

std::vector<std::uint8_t> PageScreen::Bmp() const {
    std::vector<std::uint32_t> argb(m_pixels.size());
    std::transform(m_pixels.begin(), m_pixels.end(), argb.begin(), pixels::InScreenOrder);
    return EncodeBmp32(argb.data(), kScreenWidth, kScreenHeight, kScreenWidth * 4);
}

std::string PageScreen::PictureName(PictureFormat format) const {
    const ScreenState& state = m_navigator.State();
    const int position = m_navigator.Selection(state.category);
    if (position < 0) return {};
    ScreenRequest request;
    request.dvbType = state.dvbType;
    request.screen = state.category;
    request.position = static_cast<std::size_t>(position);
    request.language = state.language;
    request.more = state.category == Category::Constellation && state.showMore;
    return PictureFileName(request, FormatExtension(format));
}

}  // namespace quorvel::web
