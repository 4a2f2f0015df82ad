// The main window: the screen, the three lists, the help line and the menus, wired to Navigator.
#pragma once

#include <QByteArray>
#include <QDialog>
#include <QImage>
#include <QString>
#include <array>
#include <functional>
#include <set>

#include "app/Zoom.h"
#include "navigation/Navigator.h"
#include "render/ScreenPainter.h"

class QAction;
class QComboBox;
class QKeyEvent;
class QLabel;
class QMenuBar;
class QScrollArea;
class QTimer;

namespace quorvel {

class ListComboBox;
class ScreenView;
class SourceWatcher;

class MainWindow : public QDialog {
    Q_OBJECT
  public:
    // Shows one warning to the user; replaceable so that tests never block on a modal box.
    using WarningSink = std::function<void(const QString& text)>;
    // Asks the user for a source file; an empty result means cancelled.
    using OpenPathChooser = std::function<QString()>;
    // Asks the user where to save the screen; an empty result means cancelled. The name's
    // extension, ".png" or anything else for BMP, decides the format.
    using SavePathChooser = std::function<QString()>;

    explicit MainWindow(QWidget* parent = nullptr);
    ~MainWindow() override;

    void SetWarningSink(WarningSink sink) { m_warn = std::move(sink); }
    void SetOpenPathChooser(OpenPathChooser chooser) { m_choosePath = std::move(chooser); }
    void SetSavePathChooser(SavePathChooser chooser) { m_chooseSavePath = std::move(chooser); }

    // Loads a source data file or a JSON dump as File > Open does once a path is chosen,
    // messages included, and watches it from then on. `path` is the file system's bytes.
    void OpenSourceFile(const QByteArray& path);
    void OpenSourceFile(const QString& path);
    // Reads the open file again, keeping the user's place; a failure keeps everything shown and
    // says why in the status line.
    void ReloadSource();
    // Writes the screen as it stands to `path`, as PNG when the name ends in ".png" and as a
    // 32-bit BMP otherwise, replacing any file there; a failure leaves the earlier file as it was
    // and is shown as a warning.
    void SaveScreen(const QByteArray& path);
    void SaveScreen(const QString& path);
    // Puts the screen's pixels, exactly those File > Save writes, on the clipboard.
    void CopyScreen();

    // Shows the screen at a fixed zoom or, with no value, fitted to the window.
    void SetZoom(ZoomChoice zoom);
    // 100% when the window fits on its display at that size, else the largest size that fits.
    void ChooseInitialZoom();
    // True for a key that one of the menus' shortcuts takes.
    bool IsMenuShortcut(const QKeyEvent& key) const;

    const Navigator& Navigation() const { return m_navigator; }
    const SourceWatcher& Watcher() const { return *m_watcher; }
    // The screen for the current state, painted whether the window is shown or not; File > Save
    // exports exactly these pixels.
    const QImage& ScreenImage() const;
    // Left to right: Measure, Constellation, Spectrum.
    std::array<QComboBox*, 3> Lists() const;

    // Input routed here by the application-wide filter.
    void OnKeyDown(int qtKey);
    void OnWheel(int lines);

  public Q_SLOTS:
    void OnFileOpen();
    void OnFileSave();
    void OnAbout();

  protected:
    bool event(QEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dropEvent(QDropEvent* event) override;

  private:
    void BuildMenus();
    void BuildViewMenu();
    void BuildControls();
    void UpdateZoom();
    void Apply(const Outcome& outcome);
    void RefillLists();
    void SyncSelections();
    void OnPassFinished(const PaintResult& result);
    void ReportMissingIcons(const std::vector<MissingIcon>& icons);
    bool ShowCursorTip(const QPoint& globalPos);
    ListComboBox* ListOf(Category family) const;
    enum class StatusKind { Notice, Failure };
    void ShowStatus(const QString& text, StatusKind kind);

    Navigator m_navigator;
    QMenuBar* m_menuBar = nullptr;
    QWidget* m_client = nullptr;
    QScrollArea* m_screenArea = nullptr;
    ScreenView* m_screen = nullptr;
    ListComboBox* m_measureList = nullptr;
    ListComboBox* m_constellationList = nullptr;
    ListComboBox* m_spectrumList = nullptr;
    QLabel* m_helpLine = nullptr;
    QLabel* m_statusLine = nullptr;
    QTimer* m_statusClear = nullptr;  // takes a passing notice away again
    SourceWatcher* m_watcher = nullptr;
    QByteArray m_sourcePath;  // the open file, absolute; empty before the first good open
    ZoomChoice m_zoom = 1.0;
    std::array<QAction*, 4> m_zoomActions{};  // 50%, 100%, 200%, fit
    WarningSink m_warn;
    OpenPathChooser m_choosePath;
    SavePathChooser m_chooseSavePath;
    std::set<int> m_iconsBeingReported;  // a missing icon is reported once until acknowledged
};

}  // namespace quorvel
