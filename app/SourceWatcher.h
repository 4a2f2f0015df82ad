// Watches the open file and says when it has changed on disk and then stayed still for a moment.
#pragma once

#include <QByteArray>
#include <QFileSystemWatcher>
#include <QObject>
#include <QTimer>
#include <optional>

namespace quorvel {

class SourceWatcher : public QObject {
    Q_OBJECT
  public:
    // An editor writes a file in several steps; reading before it has finished would show a
    // half-written file, so a change is reported only once this long has passed without another.
    static constexpr int kSettleMilliseconds = 200;

    explicit SourceWatcher(QObject* parent = nullptr);

    // Watches `path` (bytes, as the file system names it) in place of any earlier file.
    void Watch(const QByteArray& path);

  Q_SIGNALS:
    // The file's contents, identity or existence differ from when it was last reported or read.
    void Settled();

  private:
    // What tells one version of the file from another, or nothing when there is no file.
    struct Signature {
        unsigned long long device, inode, size;
        long long modifiedNs, changedNs;
        bool operator==(const Signature&) const = default;
    };
    static std::optional<Signature> SignatureOf(const QByteArray& path);

    void OnSettled();
    void WatchAgain();

    QFileSystemWatcher m_watcher;
    QTimer m_settle;
    QByteArray m_path;
    std::optional<Signature> m_lastSeen;
    std::optional<Signature> m_lastEvent;  // as the latest event that counted found the file
};

}  // namespace quorvel
