// The main window: the screen, the three lists, the help line and the menus, wired to Navigator.
#pragma once

#include <QDialog>
#include <QImage>
#include <QString>
#include <array>
#include <functional>
#include <set>

#include "app/Navigator.h"
#include "render/ScreenPainter.h"

class QAction;
class QComboBox;
class QLabel;
class QMenuBar;

namespace quorvel {

class ListComboBox;
class ScreenView;

class MainWindow : public QDialog {
    Q_OBJECT
  public:
    // Shows one warning to the user; replaceable so that tests never block on a modal box.
    using WarningSink = std::function<void(const QString& text)>;
    // Asks the user for a source file; an empty result means cancelled.
    using OpenPathChooser = std::function<QString()>;
    // Asks the user where to save the screen; an empty result means cancelled.
    using SavePathChooser = std::function<QString()>;

    explicit MainWindow(QWidget* parent = nullptr);
    ~MainWindow() override;

    void SetWarningSink(WarningSink sink) { m_warn = std::move(sink); }
    void SetOpenPathChooser(OpenPathChooser chooser) { m_choosePath = std::move(chooser); }
    void SetSavePathChooser(SavePathChooser chooser) { m_chooseSavePath = std::move(chooser); }

    // Loads a file as File > Open does once a path is chosen, messages included.
    void OpenSourceFile(const QString& path);
    // Writes the screen as it stands to `path` as a 32-bit BMP, replacing any file there; a
    // failure leaves the earlier file as it was and is shown as a warning.
    void SaveScreenAsBmp(const QString& path);

    const Navigator& Navigation() const { return m_navigator; }
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
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dropEvent(QDropEvent* event) override;

  private:
    void BuildMenus();
    void BuildControls();
    void Apply(const Outcome& outcome);
    void RefillLists();
    void SyncSelections();
    void OnPassFinished(const PaintResult& result);
    void ReportMissingIcons(const std::vector<MissingIcon>& icons);
    bool ShowCursorTip(const QPoint& globalPos);
    ListComboBox* ListOf(Category family) const;

    Navigator m_navigator;
    QMenuBar* m_menuBar = nullptr;
    QWidget* m_client = nullptr;
    ScreenView* m_screen = nullptr;
    ListComboBox* m_measureList = nullptr;
    ListComboBox* m_constellationList = nullptr;
    ListComboBox* m_spectrumList = nullptr;
    QLabel* m_helpLine = nullptr;
    WarningSink m_warn;
    OpenPathChooser m_choosePath;
    SavePathChooser m_chooseSavePath;
    std::set<int> m_iconsBeingReported;  // a missing icon is reported once until acknowledged
};

}  // namespace quorvel
