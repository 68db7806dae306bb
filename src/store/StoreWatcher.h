#pragma once

#include <QFileSystemWatcher>
#include <QObject>
#include <QTimer>

namespace almanis {

class Connection;

// Tells when another program (almanis-cli, another copy, the sqlite3 shell)
// has changed the store the connection works on. The files are watched by
// the system, so nothing wakes the program while nobody writes; SQLite's
// data version then tells another connection's commits from this one's.
class StoreWatcher final : public QObject {
    Q_OBJECT
  public:
    explicit StoreWatcher(const Connection& db, QObject* parent = nullptr);

    // Starts watching the connection's store as it is open now.
    void watch();

    // How long after the first change the store is looked at, so that a burst
    // of commits is one change.
    static constexpr int kSettleMs = 200;

  signals:
    void changedElsewhere();

  private:
    void fileChanged();
    void settled();
    qint64 dataVersion() const;

    const Connection& db_;
    QFileSystemWatcher watcher_;
    QTimer settle_;
    qint64 version_ = -1;
};

}  // namespace almanis
