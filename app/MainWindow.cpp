#include "app/MainWindow.h"

#include <QAbstractItemView>
#include <QAction>
#include <QActionGroup>
#include <QApplication>
#include <QClipboard>
#include <QCursor>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QFile>
#include <QFileDialog>
#include <QFileInfo>
#include <QHelpEvent>
#include <QKeyEvent>
#include <QLabel>
#include <QMenuBar>
#include <QMessageBox>
#include <QMimeData>
#include <QScreen>
#include <QScrollArea>
#include <QScrollBar>
#include <QSignalBlocker>
#include <QTimer>
#include <QToolTip>
#include <QVBoxLayout>

#include "app/AboutDialog.h"
#include "app/AppIcon.h"
#include "app/DialogUnits.h"
#include "app/InputFilter.h"
#include "app/ListComboBox.h"
#include "app/ScreenView.h"
#include "app/SourceWatcher.h"
#include "data/TextEncoding.h"
#include "export/ExportDiagnostics.h"
#include "export/PictureFile.h"
#include "source/SourceReading.h"

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

std::filesystem::path FileSystemPath(const QByteArray& bytes) {
    return std::filesystem::path(bytes.toStdString());
}

bool IsOpenable(const QByteArray& path) {
    return path.toLower().endsWith(".dat") || IsJsonSource(FileSystemPath(path));
}

// The dropped file's name as the file system's bytes: the URL carries them percent-encoded, and
// decoding them as text would spoil a name that is not valid UTF-8.
QByteArray DroppedSourceFile(const QMimeData* mime) {
    if (!mime || !mime->hasUrls()) return {};
    for (const QUrl& url : mime->urls()) {
        if (!url.isLocalFile()) continue;
        const QByteArray path =
            QByteArray::fromPercentEncoding(url.path(QUrl::FullyEncoded).toLatin1());
        if (IsOpenable(path)) return path;
    }
    return {};
}

QByteArray AbsolutePath(const QByteArray& path) {
    std::error_code error;
    const std::filesystem::path absolute = std::filesystem::absolute(FileSystemPath(path), error);
    return error ? path : QByteArray::fromStdString(absolute.lexically_normal().string());
}

// For messages only: the bytes stay the file's name everywhere else.
QString Shown(const QByteArray& path) {
    return QFile::decodeName(path);
}

QString ShownFileName(const QByteArray& path) {
    return Shown(QByteArray::fromStdString(FileSystemPath(path).filename().string()));
}

// How long "Reloaded ..." stays: long enough to be read, short enough not to be mistaken for news.
constexpr int kReloadNoticeMs = 4000;

QString FailureReason(const SourceRead& read) {
    switch (read.failure) {
        case ReadFailure::CannotOpen:
            return QStringLiteral("the file is missing or cannot be read");
        case ReadFailure::IncompleteRead:
            return QStringLiteral("the file is shorter than a source record");
        case ReadFailure::RefusedJson:
            return QString::fromStdString(read.reason);
        case ReadFailure::None:
            break;
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
        return QFileDialog::getOpenFileName(
            this, QString(), QString(),
            QStringLiteral("Source file (*.dat);;JSON dump (*.json);;All files (*)"));
    };

    m_chooseSavePath = [this] {
        QFileDialog dialog(this);
        dialog.setAcceptMode(QFileDialog::AcceptSave);
        const QString bmp = QStringLiteral("Bmp File (*.bmp)");
        const QString png = QStringLiteral("PNG File (*.png)");
        dialog.setNameFilters({bmp, png});
        dialog.selectNameFilter(bmp);
        dialog.setDefaultSuffix(QStringLiteral("bmp"));
        connect(&dialog, &QFileDialog::filterSelected, &dialog,
                [&dialog, png](const QString& filter) {
                    dialog.setDefaultSuffix(filter == png ? QStringLiteral("png")
                                                          : QStringLiteral("bmp"));
                });
        dialog.selectFile(QStringLiteral("Trovik"));
        // Choosing an existing file replaces it, as the meter's tools always have.
        dialog.setOption(QFileDialog::DontConfirmOverwrite);
        return dialog.exec() == QDialog::Accepted && !dialog.selectedFiles().isEmpty()
                   ? dialog.selectedFiles().constFirst()
                   : QString();
    };

    m_watcher = new SourceWatcher(this);
    connect(m_watcher, &SourceWatcher::Settled, this, &MainWindow::ReloadSource);

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
    open->setShortcut(QKeySequence::Open);
    QAction* reload = file->addAction(QStringLiteral("&Reload"), this, &MainWindow::ReloadSource);
    reload->setObjectName(QStringLiteral("actionReload"));
    reload->setShortcut(Qt::Key_F5);
    QAction* save = file->addAction(QStringLiteral("&Save"), this, &MainWindow::OnFileSave);
    save->setObjectName(QStringLiteral("actionSave"));
    save->setShortcut(QKeySequence::Save);

    QMenu* edit = m_menuBar->addMenu(QStringLiteral("&Edit"));
    QAction* copy = edit->addAction(QStringLiteral("&Copy"), this, &MainWindow::CopyScreen);
    copy->setObjectName(QStringLiteral("actionCopy"));
    copy->setShortcut(QKeySequence::Copy);

    BuildViewMenu();

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

void MainWindow::BuildViewMenu() {
    QMenu* view = m_menuBar->addMenu(QStringLiteral("&View"));
    QMenu* zoom = view->addMenu(QStringLiteral("&Zoom"));
    auto* zooms = new QActionGroup(zoom);
    const auto addZoom = [&](int index, const char* text, const char* name, ZoomChoice choice) {
        QAction* action = zoom->addAction(QString::fromLatin1(text));
        action->setObjectName(QString::fromLatin1(name));
        action->setCheckable(true);
        zooms->addAction(action);
        connect(action, &QAction::triggered, this, [this, choice] { SetZoom(choice); });
        m_zoomActions[index] = action;
    };
    addZoom(0, "&50%", "actionZoom50", 0.5);
    addZoom(1, "&100%", "actionZoom100", 1.0);
    addZoom(2, "&200%", "actionZoom200", 2.0);
    addZoom(3, "&Fit to Window", "actionZoomFit", std::nullopt);
    m_zoomActions[1]->setChecked(true);
    m_zoomActions[1]->setShortcut(Qt::CTRL | Qt::Key_0);
    zoom->addSeparator();
    QAction* zoomIn = zoom->addAction(QStringLiteral("Zoom &In"), this,
                                      [this] { SetZoom(StepZoom(m_screen->ViewScale(), +1)); });
    zoomIn->setObjectName(QStringLiteral("actionZoomIn"));
    // Ctrl+= is the same key as Ctrl++ without Shift on most layouts.
    zoomIn->setShortcuts(
        {QKeySequence(Qt::CTRL | Qt::Key_Plus), QKeySequence(Qt::CTRL | Qt::Key_Equal)});
    QAction* zoomOut = zoom->addAction(QStringLiteral("Zoom &Out"), this,
                                       [this] { SetZoom(StepZoom(m_screen->ViewScale(), -1)); });
    zoomOut->setObjectName(QStringLiteral("actionZoomOut"));
    zoomOut->setShortcut(Qt::CTRL | Qt::Key_Minus);
}

void MainWindow::BuildControls() {
    m_client = new QWidget(this);
    m_client->setMouseTracking(true);

    m_screen = new ScreenView(m_client);
    m_screen->setObjectName(QStringLiteral("screen"));
    m_screen->OnPointerMoved(
        [this](QPoint at) { Apply(m_navigator.PointerMoved(at.x(), at.y())); });
    m_screenArea = new QScrollArea(m_client);
    m_screenArea->setFrameShape(QFrame::NoFrame);
    m_screenArea->setBackgroundRole(QPalette::Dark);
    m_screenArea->setAlignment(Qt::AlignCenter);
    m_screenArea->setWidget(m_screen);
    m_screenArea->viewport()->installEventFilter(this);

    // The controls keep their places below the screen at every zoom.
    auto* controls = new QWidget(m_client);
    controls->setFixedHeight(kClientSize.height() - kScreenHeight);
    const auto place = [controls](QWidget* widget, QRect units) {
        widget->setParent(controls);
        widget->setGeometry(FromDialogUnits(units).translated(0, -kScreenHeight));
    };
    auto* clientLayout = new QVBoxLayout(m_client);
    clientLayout->setContentsMargins(0, 0, 0, 0);
    clientLayout->setSpacing(0);
    clientLayout->addWidget(m_screenArea, 1);
    clientLayout->addWidget(controls);

    const auto addLabel = [this, place](const char* text, QRect units) {
        auto* label = new QLabel(QString::fromLatin1(text), m_client);
        label->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
        place(label, units);
    };
    addLabel("Measure :", {12, 486, 40, 15});
    addLabel("Constellation :", {184, 486, 82, 15});
    addLabel("Spectrum :", {356, 486, 60, 15});

    const auto addList = [this, place](Category family, const char* name, QRect units) {
        auto* list = new ListComboBox(m_client);
        list->setObjectName(QString::fromLatin1(name));
        place(list, units);
        list->resize(list->width(), list->sizeHint().height());
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
    place(m_helpLine, {530, 489, 316, 34});

    // Below the lists: what went wrong with the last reload, without a box that stops the work.
    m_statusLine = new QLabel(m_client);
    m_statusLine->setObjectName(QStringLiteral("statusLine"));
    m_statusLine->setTextFormat(Qt::PlainText);
    m_statusLine->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    m_statusLine->setWordWrap(true);  // two lines down to the client's foot, so a reason shows whole
    place(m_statusLine, {12, 518, 512, 19});
    m_statusClear = new QTimer(this);
    m_statusClear->setSingleShot(true);
    connect(m_statusClear, &QTimer::timeout, this, [this] { ShowStatus({}, StatusKind::Notice); });
}

void MainWindow::ShowStatus(const QString& text, StatusKind kind) {
    m_statusClear->stop();
    m_statusLine->setStyleSheet(kind == StatusKind::Failure ? QStringLiteral("color: #a00000")
                                                            : QString());
    m_statusLine->setText(text);
    m_statusLine->setToolTip(text);  // a long path can still need more than two lines
}

void MainWindow::SetZoom(ZoomChoice zoom) {
    m_zoom = zoom;
    const bool fit = !zoom;
    const Qt::ScrollBarPolicy policy = fit ? Qt::ScrollBarAlwaysOff : Qt::ScrollBarAsNeeded;
    m_screenArea->setHorizontalScrollBarPolicy(policy);
    m_screenArea->setVerticalScrollBarPolicy(policy);
    for (std::size_t i = 0; i < std::size(kZoomSteps); ++i) {
        m_zoomActions[i]->setChecked(zoom && *zoom == kZoomSteps[i]);
    }
    m_zoomActions[3]->setChecked(fit);
    UpdateZoom();
}

void MainWindow::UpdateZoom() {
    const QSize room = m_screenArea->viewport()->size();
    const double fitScale = std::max(
        0.05, std::min(room.width() / double(kScreenWidth), room.height() / double(kScreenHeight)));
    m_screen->SetDeviceScale(DeviceScale(m_zoom, m_screen->devicePixelRatioF(), fitScale));
}

void MainWindow::ChooseInitialZoom() {
    const QScreen* display = screen();
    if (!display) return;
    const QSize available = display->availableGeometry().size();
    const QSize frame = frameGeometry().size().expandedTo(size());
    if (frame.width() <= available.width() && frame.height() <= available.height()) return;
    resize(size().boundedTo(available - (frame - size())));
    SetZoom(std::nullopt);
}

bool MainWindow::eventFilter(QObject* watched, QEvent* event) {
    if (watched == m_screenArea->viewport() &&
        (event->type() == QEvent::Resize || event->type() == QEvent::ScreenChangeInternal) &&
        !m_zoom) {
        UpdateZoom();
    }
    return QDialog::eventFilter(watched, event);
}

bool MainWindow::IsMenuShortcut(const QKeyEvent& key) const {
    const QKeyCombination pressed = key.keyCombination();
    // Shift is how some layouts reach '+', so a shortcut written without it still matches.
    const QKeyCombination unshifted(pressed.keyboardModifiers() & ~Qt::ShiftModifier,
                                    pressed.key());
    for (const QAction* action : m_menuBar->findChildren<QAction*>()) {
        if (!action->isEnabled()) continue;
        for (const QKeySequence& shortcut : action->shortcuts()) {
            if (shortcut.count() == 1 && (shortcut[0] == pressed || shortcut[0] == unshifted)) {
                return true;
            }
        }
    }
    return false;
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
    OnPassFinished(
        m_screen->Repaint(outcome.invalidated, m_navigator.State(), m_navigator.Lists()));
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
    if (!path.isEmpty()) SaveScreen(path);
}

void MainWindow::SaveScreen(const QString& path) {
    SaveScreen(QFile::encodeName(path));
}

void MainWindow::SaveScreen(const QByteArray& path) {
    const QImage& screen = ScreenImage();
    const std::filesystem::path target = FileSystemPath(path);
    const PictureFormat format = FormatFromPath(target).value_or(PictureFormat::Bmp);
    if (format == PictureFormat::Bmp) {
        PrintExportDiagnostics(stdout, 32, screen.width(), screen.height());
    }
    const WriteOutcome written = WritePicture(screen, format, target);
    if (!written.ok) {
        m_warn(QStringLiteral("Save false! \n%1\n%2")
                   .arg(Shown(AbsolutePath(path)), QString::fromStdString(written.error)));
    }
}

void MainWindow::CopyScreen() {
    QGuiApplication::clipboard()->setImage(ScreenImage());
}

void MainWindow::OnAbout() {
    AboutDialog about(this);
    about.exec();
}

void MainWindow::OpenSourceFile(const QString& path) {
    OpenSourceFile(QFile::encodeName(path));
}

void MainWindow::OpenSourceFile(const QByteArray& path) {
    const QByteArray fullPath = AbsolutePath(path);
    const SourceRead read = ReadSource(FileSystemPath(fullPath));
    switch (read.failure) {
        case ReadFailure::None:
            m_sourcePath = fullPath;
            m_watcher->Watch(fullPath);
            setWindowTitle(QStringLiteral("%1 - %2").arg(ShownFileName(fullPath), kTitle));
            ShowStatus({}, StatusKind::Notice);
            Apply(m_navigator.OpenRecord(*read.record));
            update();
            return;
        case ReadFailure::CannotOpen:
            m_warn(QStringLiteral("Open false! \n") + Shown(fullPath));
            return;
        case ReadFailure::IncompleteRead:
            m_warn(QStringLiteral("Read file error!"));
            return;
        case ReadFailure::RefusedJson:
            m_warn(
                QStringLiteral("Open false! \n%1\n%2").arg(Shown(fullPath), FailureReason(read)));
            return;
    }
}

void MainWindow::ReloadSource() {
    if (m_sourcePath.isEmpty()) return;
    const SourceRead read = ReadSource(FileSystemPath(m_sourcePath));
    if (!read.record) {
        ShowStatus(QStringLiteral("Cannot reload %1: %2. The last good version stays.")
                       .arg(Shown(m_sourcePath), FailureReason(read)),
                   StatusKind::Failure);
        return;
    }
    ShowStatus(QStringLiteral("Reloaded %1").arg(ShownFileName(m_sourcePath)), StatusKind::Notice);
    m_statusClear->start(kReloadNoticeMs);
    Apply(m_navigator.ReloadRecord(*read.record));
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
    const QByteArray path = DroppedSourceFile(event->mimeData());
    if (path.isEmpty()) return;
    event->acceptProposedAction();
    OpenSourceFile(path);
}

}  // namespace quorvel
