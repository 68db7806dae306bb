#include "desktop/SystemWakeTimer.h"

#include <sys/timerfd.h>
#include <unistd.h>
#include <QFileInfo>
#include <QSocketNotifier>
#include <algorithm>
#include <cerrno>
#include <climits>

namespace almanis {

SystemWakeTimer::SystemWakeTimer(const QString& zoneFile, QObject* parent) : WakeTimer(parent) {
    fd_ = ::timerfd_create(CLOCK_REALTIME, TFD_NONBLOCK | TFD_CLOEXEC);
    if (fd_ >= 0) {
        notifier_ = new QSocketNotifier(fd_, QSocketNotifier::Read, this);
        connect(notifier_, &QSocketNotifier::activated, this, &SystemWakeTimer::timerFired);
    }
    fallback_.setSingleShot(true);
    // A coarse timer may come minutes early over hours.
    fallback_.setTimerType(Qt::PreciseTimer);
    connect(&fallback_, &QTimer::timeout, this, &WakeTimer::woke);

    const QString zoneFolder = QFileInfo(zoneFile).absolutePath();
    if (QFileInfo(zoneFolder).isDir()) {
        zoneWatch_.addPath(zoneFolder);
    }
    connect(&zoneWatch_, &QFileSystemWatcher::directoryChanged, this, &WakeTimer::woke);
}

SystemWakeTimer::~SystemWakeTimer() {
    if (fd_ >= 0) {
        delete notifier_;
        ::close(fd_);
    }
}

void SystemWakeTimer::wakeAt(const QDateTime& when) {
    const qint64 ms = when.toMSecsSinceEpoch();
    if (fd_ >= 0) {
        // All zeroes would stop the timer; a time that has passed fires at once.
        const qint64 at = std::max<qint64>(ms, 1);
        itimerspec spec{};
        spec.it_value.tv_sec = static_cast<time_t>(at / 1000);
        spec.it_value.tv_nsec = static_cast<long>(at % 1000 * 1000000);
        if (::timerfd_settime(fd_, TFD_TIMER_ABSTIME | TFD_TIMER_CANCEL_ON_SET, &spec, nullptr) ==
            0) {
            return;
        }
    }
    const qint64 delay = QDateTime::currentDateTime().msecsTo(when);
    fallback_.start(static_cast<int>(std::clamp<qint64>(delay, 0, INT_MAX)));
}

void SystemWakeTimer::cancel() {
    if (fd_ >= 0) {
        const itimerspec off{};
        ::timerfd_settime(fd_, 0, &off, nullptr);
    }
    fallback_.stop();
}

void SystemWakeTimer::timerFired() {
    quint64 expirations = 0;
    // ECANCELED tells of a clock that was set or a resume: the day may have
    // changed as well as at the time set.
    if (::read(fd_, &expirations, sizeof expirations) < 0 && errno == EAGAIN) {
        return;
    }
    emit woke();
}

}  // namespace almanis
