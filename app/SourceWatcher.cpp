#include "app/SourceWatcher.h"

#include <sys/stat.h>

#include <QFile>
#include <QFileInfo>

namespace quorvel {

SourceWatcher::SourceWatcher(QObject* parent) : QObject(parent) {
    m_settle.setSingleShot(true);
    m_settle.setInterval(kSettleMilliseconds);
    // Every change of the file restarts the wait, so a burst of writes gives one reload at its
    // end. The folder reports other files too: one whose files come and go all the time must
    // not put the reload off for ever, so a folder event counts only when this file differs
    // from how the last event left it.
    connect(&m_watcher, &QFileSystemWatcher::fileChanged, this, [this] {
        m_lastEvent = SignatureOf(m_path);
        m_settle.start();
    });
    connect(&m_watcher, &QFileSystemWatcher::directoryChanged, this, [this] {
        const std::optional<Signature> now = SignatureOf(m_path);
        if (now == m_lastEvent) return;
        m_lastEvent = now;
        m_settle.start();
    });
    connect(&m_settle, &QTimer::timeout, this, &SourceWatcher::OnSettled);
}

std::optional<SourceWatcher::Signature> SourceWatcher::SignatureOf(const QByteArray& path) {
    struct stat status {};
    if (::stat(path.constData(), &status) != 0) return std::nullopt;
    return Signature{static_cast<unsigned long long>(status.st_dev),
                     static_cast<unsigned long long>(status.st_ino),
                     static_cast<unsigned long long>(status.st_size),
                     status.st_mtim.tv_sec * 1'000'000'000LL + status.st_mtim.tv_nsec,
                     status.st_ctim.tv_sec * 1'000'000'000LL + status.st_ctim.tv_nsec};
}

void SourceWatcher::Watch(const QByteArray& path) {
    m_settle.stop();
    const QStringList watched = m_watcher.files() + m_watcher.directories();
    if (!watched.isEmpty()) m_watcher.removePaths(watched);
    m_path = path;
    m_lastSeen = SignatureOf(m_path);
    m_lastEvent = m_lastSeen;
    WatchAgain();
}

void SourceWatcher::WatchAgain() {
    // The folder is watched too: an editor that saves by renaming a new file over the old one
    // ends the watch on the old file, and a file deleted and made again appears only there.
    // A name that is not valid UTF-8 cannot be watched by name; its folder still reports it.
    const QString file = QFile::decodeName(m_path);
    const QString folder = QFileInfo(file).absolutePath();
    if (!m_watcher.directories().contains(folder)) m_watcher.addPath(folder);
    if (!m_watcher.files().contains(file) && QFile::encodeName(file) == m_path &&
        QFileInfo::exists(file)) {
        m_watcher.addPath(file);
    }
}

void SourceWatcher::OnSettled() {
    WatchAgain();
    const std::optional<Signature> now = SignatureOf(m_path);
    // Other files in the folder change too; only this one's changes count.
    if (now == m_lastSeen) return;
    m_lastSeen = now;
    Q_EMIT Settled();
}

}  // namespace quorvel
