#pragma once

#include "desktop/Notifier.h"
#include "reminders/Alarm.h"

#include <QCoreApplication>

namespace almanis {

// The desktop notification that tells an alarm: a summary that names the
// event (or counts them), its lines cut to what a notification can show, and
// the alarm window's two answers as buttons.
class AlarmNotification {
    Q_DECLARE_TR_FUNCTIONS(almanis::AlarmNotification)

  public:
    // The keys of the buttons, answered as the alarm window's buttons.
    static constexpr char kRemindLater[] = "remind-later";
    static constexpr char kDoNotRemind[] = "do-not-remind";
    // The body shows at most this many lines, the last of them saying how
    // many more the alarm window lists; each line at most this long.
    static constexpr int kMaxLines = 10;
    static constexpr int kMaxLineLength = 200;

    static Notification of(const Alarm& alarm);

  private:
    static QString summaryOf(const QStringList& lines);
};

}  // namespace almanis
