// The real main window, shown and active on the offscreen platform, with its warnings collected
// instead of shown; the fixture of every window test.
#pragma once

#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QFile>
#include <QLabel>
#include <QMouseEvent>
#include <QTemporaryDir>
#include <QTest>
#include <memory>

#include "app/MainWindow.h"
#include "tests/app/SourceFiles.h"

namespace quorvel::test {

inline fs::path LocalPath(const QString& path) {
    return QFile::encodeName(path).toStdString();
}

inline QByteArray ReadAll(const QString& path) {
    const std::vector<std::uint8_t> bytes = ReadFile(LocalPath(path));
    return QByteArray(reinterpret_cast<const char*>(bytes.data()), qsizetype(bytes.size()));
}

inline bool AllBlack(const QImage& image) {
    QImage black(image.size(), image.format());
    black.fill(Qt::black);
    return image == black;
}

class WindowTest : public ::testing::Test {
  protected:
    void SetUp() override {
        ASSERT_TRUE(m_dir.isValid());
        m_dialog = std::make_unique<MainWindow>();
        m_dialog->SetWarningSink([this](const QString& text) { m_warnings << text; });
        m_dialog->show();
        m_dialog->activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(m_dialog.get()));
    }

    QString Path(const QString& name) const { return m_dir.filePath(name); }
    QString Write(const SourceFileBuilder& file, const QString& name = "source.dat",
                  std::size_t size = record::kSize) const {
        file.Write(LocalPath(Path(name)), size);
        return Path(name);
    }
    void Open(const SourceFileBuilder& file, const QString& name = "source.dat") {
        m_dialog->OpenSourceFile(Write(file, name));
        ASSERT_TRUE(m_warnings.isEmpty()) << m_warnings.join('|').toStdString();
    }

    // Key presses go where the platform would send them: to the focused widget.
    void Press(Qt::Key key) {
        QWidget* target = QApplication::focusWidget();
        QTest::keyClick(target != nullptr ? target : m_dialog.get(), key);
    }

    void MovePointer(QPoint at) {
        QMouseEvent move(QEvent::MouseMove, at, Screen()->mapToGlobal(at), Qt::NoButton,
                         Qt::NoButton, Qt::NoModifier);
        QApplication::sendEvent(Screen(), &move);
    }

    const ScreenState& State() const { return m_dialog->Navigation().State(); }
    QComboBox* List(const char* name) const { return m_dialog->findChild<QComboBox*>(name); }
    QStringList Names(const char* list) const {
        QStringList names;
        for (int i = 0; i < List(list)->count(); ++i) names << List(list)->itemText(i);
        return names;
    }
    QString Focused() const { return QApplication::focusWidget()->objectName(); }
    QWidget* Screen() const { return m_dialog->findChild<QWidget*>("screen"); }
    QString HelpLine() const { return m_dialog->findChild<QLabel*>("helpLine")->text(); }
    QAction* Action(const char* name) const { return m_dialog->findChild<QAction*>(name); }
    QImage PaintedScreen() const { return m_dialog->ScreenImage().copy(); }

    QTemporaryDir m_dir;
    std::unique_ptr<MainWindow> m_dialog;
    QStringList m_warnings;
};

}  // namespace quorvel::test
