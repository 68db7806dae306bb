#pragma once

#include "core/WakeTimer.h"

#include <QFileSystemWatcher>
#include <QTimer>

class QSocketNotifier;

namespace almanis {

// The system's wake timer. On Linux it is a timerfd on the real-time clock set
// to the absolute time: unlike a QTimer, which counts only the time the
// machine runs, it wakes on time after a suspend, and the kernel reports a
// resume or a clock that was set. A change of time zone shows as a change in
// the folder of the zone file (/etc/localtime is replaced, not written). Where
// no timerfd can be had, a QTimer stands in, and a suspend delays it.
class SystemWakeTimer final : public WakeTimer {
    Q_OBJECT
  public:
    explicit SystemWakeTimer(const QString& zoneFile = QStringLiteral("/etc/localtime"),
                             QObject* parent = nullptr);
    ~SystemWakeTimer() override;

    void wakeAt(const QDateTime& when) override;
    void cancel() override;

  private:
    void timerFired();

    int fd_ = -1;
    QSocketNotifier* notifier_ = nullptr;
    QTimer fallback_;
    QFileSystemWatcher zoneWatch_;
};

}  // namespace almanis
