#include "alarm/AlarmNotification.h"

#include "alarm/AlarmWindow.h"
#include "desktop/TrayIcon.h"  // cutText
#include "widgets/Design.h"

namespace almanis {

namespace {
// A line cut where it would run on past what a notification shows.
QString readable(const QString& line) {
    if (line.size() <= AlarmNotification::kMaxLineLength) {
        return line;
    }
    return cutText(line, AlarmNotification::kMaxLineLength - 1) + QChar(0x2026);
}
}  // namespace

QString AlarmNotification::summaryOf(const QStringList& lines) {
    if (lines.size() == 1) {
        // The line itself, as a heading: without its full stop.
        QString line = lines.first();
        if (line.endsWith(QLatin1Char('.'))) {
            line.chop(1);
        }
        return readable(line);
    }
    return tr("%n events are due", nullptr, static_cast<int>(lines.size()));
}

Notification AlarmNotification::of(const Alarm& alarm) {
    const QStringList lines = alarm.lines();
    Notification notification;
    notification.summary = lines.isEmpty() ? AlarmWindow::title() : summaryOf(lines);
    const bool cut = lines.size() > kMaxLines;
    const qsizetype shown = cut ? kMaxLines - 1 : lines.size();
    for (qsizetype i = 0; i < shown; ++i) {
        notification.lines << readable(lines[i]);
    }
    if (cut) {
        notification.lines << tr("… and %n more", nullptr, static_cast<int>(lines.size() - shown));
    }
    notification.actions = {
        {QString::fromLatin1(kRemindLater), withoutMnemonic(AlarmWindow::remindLaterCaption())},
        {QString::fromLatin1(kDoNotRemind), withoutMnemonic(AlarmWindow::doNotRemindCaption())},
    };
    return notification;
}
}  // namespace almanis
