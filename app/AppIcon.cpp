#include "app/AppIcon.h"

namespace quorvel {

QIcon AppIcon() {
    return QIcon(QStringLiteral(":/app/quorvel.png"));
}

}  // namespace quorvel
