#include "app/AboutDialog.h"

#include <QLabel>
#include <QPushButton>

#include "Version.h"
#include "app/AppIcon.h"
#include "app/DialogUnits.h"

namespace quorvel {

namespace {
constexpr int kIconPixels = 32;
}

AboutDialog::AboutDialog(QWidget* parent) : QDialog(parent) {
    setWindowTitle(QStringLiteral("About Quorvel"));
    QFont dialogFont = font();
    dialogFont.setPixelSize(kDialogFontPixels);
    setFont(dialogFont);
    setFixedSize(HorizontalUnits(235), VerticalUnits(55));

    auto* icon = new QLabel(this);
    icon->setObjectName(QStringLiteral("aboutIcon"));
    icon->setPixmap(AppIcon().pixmap(kIconPixels, kIconPixels));
    icon->setGeometry(HorizontalUnits(11), VerticalUnits(17), kIconPixels, kIconPixels);

    auto* text = new QLabel(QStringLiteral("Quorvel Version %1").arg(QLatin1String(kShortVersion)), this);
    text->setGeometry(FromDialogUnits({40, 10, 119, 8}));

    auto* ok = new QPushButton(QStringLiteral("OK"), this);
    ok->setDefault(true);
    ok->setGeometry(FromDialogUnits({178, 7, 50, 14}));
    connect(ok, &QPushButton::clicked, this, &QDialog::accept);
}

}  // namespace quorvel
