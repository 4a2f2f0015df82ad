// The application's icon, shown by the window frame, the taskbar and the About box.
#pragma once

#include <QIcon>

namespace quorvel {

QIcon AppIcon();

}  // namespace quorvel
