// The built-in icons: decoded once from the embedded resources and shared by every later pass.
#pragma once

#include <QImage>
#include <cerrno>

#include "render/Canvas.h"

namespace quorvel {

// The system error code of a look-up for an id that has no resource.
inline constexpr int kResourceNotFound = ENOENT;

// The outcome of one look-up: the picture, or why there is none.
struct ResourceImage {
    QImage image;       // null when the look-up or the decoding failed
    int errorCode = 0;  // kResourceNotFound for an unknown id; 0 when found (even if undecodable)
};

// An icon a pass asked for and could not load, and the system error code of the look-up.
struct MissingIcon {
    int id = 0;
    int errorCode = 0;
    bool operator==(const MissingIcon&) const = default;
};

// The embedded "IMG" resource with that numeric id. A resource that exists but cannot be decoded
// gives a null image with error code 0: it is drawn as nothing and not reported.
ResourceImage LoadResourceImage(int id);

// Where a canvas takes its icons from, so a test can take one away.
class IconSource {
  public:
    virtual ~IconSource() = default;
    virtual ResourceImage Load(IconId icon) const = 0;
};

// The embedded resources, through LoadResourceImage.
const IconSource& EmbeddedIcons();

}  // namespace quorvel
