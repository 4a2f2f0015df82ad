// The built-in icons: decoded once from the embedded files and shared by every later pass.
#pragma once

#include <cerrno>

#include "render/DrawingTypes.h"
#include "render/Geometry.h"
#include "render/ScreenPixels.h"

namespace quorvel {

// The system error code of a look-up for an id that has no icon.
inline constexpr int kResourceNotFound = ENOENT;

// The outcome of one look-up: the picture, or why there is none.
struct ResourceImage {
    const pixels::PixelImage* image = nullptr;  // null when the look-up or the decoding failed
    int errorCode = 0;  // kResourceNotFound for an unknown id; 0 when found (even if undecodable)
};

// An icon a pass asked for and could not load, and the system error code of the look-up.
struct MissingIcon {
    int id = 0;
    int errorCode = 0;
    bool operator==(const MissingIcon&) const = default;
};

// The embedded icon with that numeric id, opaque. One that exists but cannot be decoded gives no
// picture with error code 0: it is drawn as nothing and not reported.
ResourceImage LoadResourceImage(int id);

// Where a recording takes its icons from, so a test can take one away.
class IconSource {
  public:
    virtual ~IconSource() = default;
    virtual ResourceImage Load(IconId icon) const = 0;
};

// The embedded icons, through LoadResourceImage.
const IconSource& EmbeddedIcons();

}  // namespace quorvel
