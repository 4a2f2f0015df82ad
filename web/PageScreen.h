// The screen the browser page shows: the window's navigation state and the screen pixels it
// paints, kept as the window keeps its screen image.
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "export/PictureFormat.h"
#include "navigation/Navigator.h"
#include "render/PixelScreen.h"

namespace quorvel::web {

class PageScreen {
  public:
    PageScreen();

    // Reads the file the page was given (a source data file or a JSON dump, by its name) and
    // shows it; on failure nothing changes and Error() says why, naming the file.
    bool Open(const std::string& path);
    const std::string& Error() const { return m_error; }
    // The record last opened, null before the first.
    const SourceRecord* Record() const { return m_record.get(); }

    Navigator& Navigation() { return m_navigator; }
    // Repaints what the change invalidated; true when the screen changed.
    bool Apply(const Outcome& outcome);

    // The screen as the canvas takes it: bytes red, green, blue, alpha, row after row.
    const std::vector<std::uint32_t>& Rgba() const { return m_pixels; }
    // The screen as the window's File > Save writes it.
    std::vector<std::uint8_t> Bmp() const;
    // The name a batch gives the picture of what is shown, empty while the screen is black.
    std::string PictureName(PictureFormat format) const;

  private:
    Navigator m_navigator;
    std::unique_ptr<SourceRecord> m_record;
    std::string m_error;
    std::vector<std::uint32_t> m_pixels;
    ScreenRepainter m_repainter;
};

pixels::Target ScreenTarget(std::vector<std::uint32_t>& pixels);

}  // namespace quorvel::web
