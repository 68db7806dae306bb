#include "reminders/Reminder.h"

#include <QCoreApplication>

namespace almanis {

namespace {
// The lines are the alarm window's texts, translated with the window's others.
// The description goes in with the number in one pass, so a "%2" in it stays.
QString alarmText(const char* text) {
    return QCoreApplication::translate("almanis::AlarmWindow", text);
}
}  // namespace

QString Reminder::line() const {
    const QString& description = event.description;
    const int days = daysFromToday;
    if (days == 0) {
        return alarmText(QT_TRANSLATE_NOOP("almanis::AlarmWindow", "%1 is today."))
            .arg(description);
    }
    if (days == 1) {
        return alarmText(QT_TRANSLATE_NOOP("almanis::AlarmWindow", "%1 is tomorrow."))
            .arg(description);
    }
    if (days > 1) {
        return alarmText(QT_TRANSLATE_NOOP("almanis::AlarmWindow", "%1 is in %2 days."))
            .arg(description, QString::number(days));
    }
    if (days == -1) {
        return alarmText(QT_TRANSLATE_NOOP("almanis::AlarmWindow", "%1 was yesterday."))
            .arg(description);
    }
    return alarmText(QT_TRANSLATE_NOOP("almanis::AlarmWindow", "%1 was %2 days ago."))
        .arg(description, QString::number(-days));
}

}  // namespace almanis
