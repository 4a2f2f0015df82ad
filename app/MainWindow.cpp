#include "app/MainWindow.h"

#include <QAbstractItemView>
#include <QAction>
#include <QActionGroup>
#include <QApplication>
#include <QCursor>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QFile>
#include <QFileDialog>
#include <QFileInfo>
#include <QHelpEvent>
#include <QLabel>
#include <QMenuBar>
#include <QMessageBox>
#include <QMimeData>
#include <QSignalBlocker>
#include <QToolTip>
#include <QVBoxLayout>

#include "app/AppIcon.h"
#include "app/AboutDialog.h"
#include "app/DialogUnits.h"
#include "app/InputFilter.h"
#include "app/ListComboBox.h"
#include "app/ScreenView.h"
#include "data/TextEncoding.h"
#include "export/ScreenBmp.h"
#include "export/ExportDiagnostics.h"

namespace quorvel {

namespace {

const QString kTitle = QStringLiteral("Quorvel");

void ShowWarningBox(QWidget* owner, const QString& text) {
    QMessageBox box(QMessageBox::Warning, kTitle, text, QMessageBox::Ok, owner);
    box.setTextFormat(Qt::PlainText);  // a path may hold characters that look like markup
    box.exec();
}

std::optional<NavKey> NavKeyOf(int qtKey) {
    switch (qtKey) {
        case Qt::Key_Left:
            return NavKey::Left;
        case Qt::Key_Right:
            return NavKey::Right;
        case Qt::Key_Up:
            return NavKey::Up;
        case Qt::Key_Down:
            return NavKey::Down;
        case Qt::Key_F1:
            return NavKey::F1;
        default:
            return std::nullopt;
    }
}

bool IsSourceFile(const QString& path) {
    return path.endsWith(QStringLiteral(".dat"), Qt::CaseInsensitive);
}

QString DroppedSourceFile(const QMimeData* mime) {
    if (!mime || !mime->hasUrls()) return {};
    for (const QUrl& url : mime->urls()) {
        if (url.isLocalFile() && IsSourceFile(url.toLocalFile())) return url.toLocalFile();
    }
    return {};
}

}  // namespace

MainWindow::MainWindow(QWidget* parent) : QDialog(parent) {
    setWindowTitle(kTitle);
    setWindowIcon(AppIcon());
    setWindowFlags(Qt::Window | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                   Qt::WindowMinMaxButtonsHint | Qt::WindowCloseButtonHint);
    setAcceptDrops(true);
    setMouseTracking(true);
    QFont dialogFont = font();
    dialogFont.setPixelSize(kDialogFontPixels);
    setFont(dialogFont);

    m_warn = [this](const QString& text) { ShowWarningBox(this, text); };
    m_choosePath = [this] {
        return QFileDialog::getOpenFileName(this, QString(), QString(),
                                            QStringLiteral("Source file (*.dat)"));
    };

    m_chooseSavePath = [this] {
        QFileDialog dialog(this);
        dialog.setAcceptMode(QFileDialog::AcceptSave);
        dialog.setNameFilter(QStringLiteral("Bmp File (*.bmp)"));
        dialog.setDefaultSuffix(QStringLiteral("bmp"));
        dialog.selectFile(QStringLiteral("Trovik"));
        // Choosing an existing file replaces it, as the meter's tools always have.
        dialog.setOption(QFileDialog::DontConfirmOverwrite);
        return dialog.exec() == QDialog::Accepted && !dialog.selectedFiles().isEmpty()
                   ? dialog.selectedFiles().constFirst()
                   : QString();
    };

    BuildMenus();
    BuildControls();

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->setMenuBar(m_menuBar);
    layout->addWidget(m_client);
    resize(kClientSize.width(), kClientSize.height() + m_menuBar->sizeHint().height());

    qApp->installEventFilter(new InputFilter(*this));
    Apply({});
}

MainWindow::~MainWindow() = default;

void MainWindow::BuildMenus() {
    m_menuBar = new QMenuBar(this);

    QMenu* file = m_menuBar->addMenu(QStringLiteral("&File"));
    QAction* open = file->addAction(QStringLiteral("&Open"), this, &MainWindow::OnFileOpen);
    open->setObjectName(QStringLiteral("actionOpen"));
    QAction* save = file->addAction(QStringLiteral("&Save"), this, &MainWindow::OnFileSave);
    save->setObjectName(QStringLiteral("actionSave"));

    const auto addRadio = [this](QMenu* menu, QActionGroup* group, const char* text,
                                 const char* name, bool checked, auto handler) {
        QAction* action = menu->addAction(QString::fromLatin1(text));
        action->setObjectName(QString::fromLatin1(name));
        action->setCheckable(true);
        action->setChecked(checked);
        group->addAction(action);
        connect(action, &QAction::triggered, this, handler);
    };

    QMenu* language = m_menuBar->addMenu(QStringLiteral("&Language"));
    auto* languages = new QActionGroup(language);
    addRadio(language, languages, "English", "actionEnglish", true,
             [this] { Apply(m_navigator.ChooseLanguage(Language::English)); });
    addRadio(language, languages, "French", "actionFrench", false,
             [this] { Apply(m_navigator.ChooseLanguage(Language::French)); });

    QMenu* dvbType = m_menuBar->addMenu(QStringLiteral("&DVB Type"));
    auto* dvbTypes = new QActionGroup(dvbType);
    addRadio(dvbType, dvbTypes, "DVB-S", "actionDvbS", true,
             [this] { Apply(m_navigator.ChooseDvbType(DvbType::Satellite)); });
    addRadio(dvbType, dvbTypes, "DVB-T", "actionDvbT", false,
             [this] { Apply(m_navigator.ChooseDvbType(DvbType::Terrestrial)); });
    addRadio(dvbType, dvbTypes, "DVB-C", "actionDvbC", false,
             [this] { Apply(m_navigator.ChooseDvbType(DvbType::Cable)); });

    // The desktop offers no system menu to extend, so About gets a popup of its own.
    QMenu* help = m_menuBar->addMenu(QStringLiteral("&Help"));
    QAction* about =
        help->addAction(QStringLiteral("&About Quorvel..."), this, &MainWindow::OnAbout);
    about->setObjectName(QStringLiteral("actionAbout"));
}

void MainWindow::BuildControls() {
    m_client = new QWidget(this);
    m_client->setMouseTracking(true);

    m_screen = new ScreenView(m_client);
    m_screen->setObjectName(QStringLiteral("screen"));
    m_screen->move(0, 0);
    m_screen->OnPointerMoved(
        [this](QPoint at) { Apply(m_navigator.PointerMoved(at.x(), at.y())); });

    const auto addLabel = [this](const char* text, QRect units) {
        auto* label = new QLabel(QString::fromLatin1(text), m_client);
        label->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
        label->setGeometry(FromDialogUnits(units));
    };
    addLabel("Measure :", {12, 486, 40, 15});
    addLabel("Constellation :", {184, 486, 82, 15});
    addLabel("Spectrum :", {356, 486, 60, 15});

    const auto addList = [this](Category family, const char* name, QRect units) {
        auto* list = new ListComboBox(m_client);
        list->setObjectName(QString::fromLatin1(name));
        const QRect rect = FromDialogUnits(units);
        list->setGeometry(rect.x(), rect.y(), rect.width(), list->sizeHint().height());
        connect(list, &ListComboBox::closeUp, this,
                [this, family] { Apply(m_navigator.CloseUp(family)); });
        // Programmatic changes block signals, so this reacts to the user's picks only.
        connect(list, &QComboBox::currentIndexChanged, this,
                [this, family](int index) { Apply(m_navigator.SelectionChanged(family, index)); });
        return list;
    };
    m_measureList = addList(Category::Measure, "measureList", {12, 503, 165, 14});
    m_constellationList =
        addList(Category::Constellation, "constellationList", {184, 503, 165, 14});
    m_spectrumList = addList(Category::Spectrum, "spectrumList", {356, 503, 165, 14});

    m_helpLine = new QLabel(m_client);
    m_helpLine->setObjectName(QStringLiteral("helpLine"));
    m_helpLine->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    m_helpLine->setWordWrap(false);
    m_helpLine->setTextFormat(Qt::PlainText);
    m_helpLine->setGeometry(FromDialogUnits({530, 489, 316, 34}));
}

const QImage& MainWindow::ScreenImage() const {
    return m_screen->Image();
}

std::array<QComboBox*, 3> MainWindow::Lists() const {
    return {m_measureList, m_constellationList, m_spectrumList};
}

ListComboBox* MainWindow::ListOf(Category family) const {
    switch (family) {
        case Category::Measure:
            return m_measureList;
        case Category::Constellation:
            return m_constellationList;
        case Category::Spectrum:
            return m_spectrumList;
        case Category::None:
            break;
    }
    return nullptr;
}

void MainWindow::Apply(const Outcome& outcome) {
    if (outcome.listsRebuilt) RefillLists();
    SyncSelections();
    if (outcome.focus) {
        // An opened list closes before another takes the focus; its close-up must not make its
        // family current again, since the key has just moved away from it.
        for (QComboBox* list : Lists()) {
            if (list->view()->isVisible()) {
                const QSignalBlocker blocker(list);
                list->hidePopup();
            }
        }
        ListOf(*outcome.focus)->setFocus();
    }
    m_helpLine->setText(QString::fromStdString(m_navigator.HelpLine()));
    if (!m_navigator.ShowsCursorTip()) QToolTip::hideText();
    OnPassFinished(m_screen->Repaint(outcome.invalidated, m_navigator.State(), m_navigator.Lists()));
}

void MainWindow::RefillLists() {
    const auto refill = [](QComboBox* list, const std::vector<std::string>& names) {
        const QSignalBlocker blocker(list);
        list->clear();
        for (const std::string& name : names) {
            list->addItem(QString::fromStdU16String(WidenText(name)));
        }
    };
    const Catalogue& lists = m_navigator.Lists();
    refill(m_measureList, lists.measure.names);
    refill(m_constellationList, lists.constellation.names);
    refill(m_spectrumList, lists.spectrum.names);
}

void MainWindow::SyncSelections() {
    for (Category family : {Category::Measure, Category::Constellation, Category::Spectrum}) {
        QComboBox* list = ListOf(family);
        const QSignalBlocker blocker(list);
        list->setCurrentIndex(m_navigator.Selection(family));
    }
}

void MainWindow::OnKeyDown(int qtKey) {
    if (const std::optional<NavKey> key = NavKeyOf(qtKey)) Apply(m_navigator.PressKey(*key));
}

void MainWindow::OnWheel(int lines) {
    Apply(m_navigator.StepCurrentList(lines));
}

void MainWindow::OnFileOpen() {
    const QString path = m_choosePath();
    if (!path.isEmpty()) OpenSourceFile(path);
}

void MainWindow::OnFileSave() {
    const QString path = m_chooseSavePath();
    if (!path.isEmpty()) SaveScreenAsBmp(path);
}

void MainWindow::SaveScreenAsBmp(const QString& path) {
    const QImage& screen = ScreenImage();
    PrintExportDiagnostics(stdout, 32, screen.width(), screen.height());
    const WriteOutcome written =
        WriteScreenBmp(screen, std::filesystem::path(QFile::encodeName(path).toStdString()));
    if (!written.ok) {
        m_warn(QStringLiteral("Save false! \n%1\n%2")
                   .arg(QFileInfo(path).absoluteFilePath(), QString::fromStdString(written.error)));
    }
}

void MainWindow::OnAbout() {
    AboutDialog about(this);
    about.exec();
}

void MainWindow::OpenSourceFile(const QString& path) {
    const QString fullPath = QFileInfo(path).absoluteFilePath();
    const LoadResult result =
        m_navigator.LoadFile(std::filesystem::path(QFile::encodeName(fullPath).toStdString()));
    switch (result.outcome) {
        case LoadOutcome::Loaded:
            Apply(result.change);
            update();
            return;
        case LoadOutcome::CannotOpen:
            m_warn(QStringLiteral("Open false! \n") + fullPath);
            return;
        case LoadOutcome::IncompleteRead:
            m_warn(QStringLiteral("Read file error!"));
            return;
    }
}

void MainWindow::OnPassFinished(const PaintResult& result) {
    if (result.cursorTipText) {
        m_navigator.SetCursorTipText(*result.cursorTipText);
        // A tip on show follows the cursor column it describes.
        if (QToolTip::isVisible()) ShowCursorTip(QCursor::pos());
    }
    if (!result.missingIcons.empty()) {
        // Never from inside the pass: the box runs an event loop of its own.
        QMetaObject::invokeMethod(
            this, [this, icons = result.missingIcons] { ReportMissingIcons(icons); },
            Qt::QueuedConnection);
    }
}

void MainWindow::ReportMissingIcons(const std::vector<MissingIcon>& icons) {
    for (const MissingIcon& icon : icons) {
        if (!m_iconsBeingReported.insert(icon.id).second) continue;
        // The meter's message carries the look-up's error code, not the icon's id.
        m_warn(QString::asprintf("Find resorurce error! id:%d\n", icon.errorCode));
        m_iconsBeingReported.erase(icon.id);
    }
}

bool MainWindow::ShowCursorTip(const QPoint& globalPos) {
    if (!m_navigator.ShowsCursorTip()) return false;
    // Rich text gives the pure blue; non-breaking spaces keep the readout on one line.
    const QString text = QString::fromStdString(m_navigator.CursorTipText())
                             .toHtmlEscaped()
                             .replace(QLatin1Char(' '), QStringLiteral("&nbsp;"));
    QToolTip::showText(globalPos, QStringLiteral("<font color=\"#0000ff\">%1</font>").arg(text),
                       this);
    return true;
}

bool MainWindow::event(QEvent* event) {
    if (event->type() == QEvent::ToolTip) {
        // Tips of every part of the window end up here; only the Spectrum cursor has one.
        if (!ShowCursorTip(static_cast<QHelpEvent*>(event)->globalPos())) QToolTip::hideText();
        return true;
    }
    return QDialog::event(event);
}

void MainWindow::dragEnterEvent(QDragEnterEvent* event) {
    if (!DroppedSourceFile(event->mimeData()).isEmpty()) event->acceptProposedAction();
}

void MainWindow::dropEvent(QDropEvent* event) {
    const QString path = DroppedSourceFile(event->mimeData());
    if (path.isEmpty()) return;
    event->acceptProposedAction();
    OpenSourceFile(path);
}

}  // namespace quorvel
