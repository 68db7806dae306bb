#include "reminders/Reminder.h"

#include "reminders/Alarm.h"

#include "core/EventDate.h"

#include <QCoreApplication>
#include <QLocale>

namespace almanis {

namespace {
// The lines are the alarm window's texts, translated with the window's others.
// The description goes in with the number in one pass, so a "%2" in it stays;
// the years go in first, through the translation's plural forms.
QString alarmText(const char* text, int years = -1) {
    return QCoreApplication::translate("almanis::AlarmWindow", text, nullptr, years);
}

// The line's text for the days, without the years and with them: English
// says "1 year" and "N years" in texts of their own, each with the plural
// forms of the translation.
struct LineText {
    const char* plain;
    const char* oneYear;
    const char* years;
};

LineText lineText(int days) {
    if (days == 0) {
        return {QT_TRANSLATE_NOOP("almanis::AlarmWindow", "%1 is today."),
                QT_TRANSLATE_N_NOOP("almanis::AlarmWindow", "%1 is today (%n year)."),
                QT_TRANSLATE_N_NOOP("almanis::AlarmWindow", "%1 is today (%n years).")};
    }
    if (days == 1) {
        return {QT_TRANSLATE_NOOP("almanis::AlarmWindow", "%1 is tomorrow."),
                QT_TRANSLATE_N_NOOP("almanis::AlarmWindow", "%1 is tomorrow (%n year)."),
                QT_TRANSLATE_N_NOOP("almanis::AlarmWindow", "%1 is tomorrow (%n years).")};
    }
    if (days > 1) {
        return {QT_TRANSLATE_NOOP("almanis::AlarmWindow", "%1 is in %2 days."),
                QT_TRANSLATE_N_NOOP("almanis::AlarmWindow", "%1 is in %2 days (%n year)."),
                QT_TRANSLATE_N_NOOP("almanis::AlarmWindow", "%1 is in %2 days (%n years).")};
    }
    if (days == -1) {
        return {QT_TRANSLATE_NOOP("almanis::AlarmWindow", "%1 was yesterday."),
                QT_TRANSLATE_N_NOOP("almanis::AlarmWindow", "%1 was yesterday (%n year)."),
                QT_TRANSLATE_N_NOOP("almanis::AlarmWindow", "%1 was yesterday (%n years).")};
    }
    return {QT_TRANSLATE_NOOP("almanis::AlarmWindow", "%1 was %2 days ago."),
            QT_TRANSLATE_N_NOOP("almanis::AlarmWindow", "%1 was %2 days ago (%n year)."),
            QT_TRANSLATE_N_NOOP("almanis::AlarmWindow", "%1 was %2 days ago (%n years).")};
}
}  // namespace

Reminder Reminder::about(EventRecord event, int daysFromToday, QDate today) {
    std::optional<int> years;
    if (event.year) {
        years = yearsCompleted(*event.year, today.addDays(daysFromToday));
    }
    return Reminder{std::move(event), daysFromToday, years};
}

QString Reminder::line() const {
    const int days = daysFromToday;
    const LineText texts = lineText(days);
    // The day the event first happened, or one before it, completes no year
    // to tell of.
    const QString text = !years || *years < 1 ? alarmText(texts.plain)
                         : *years == 1        ? alarmText(texts.oneYear, *years)
                                              : alarmText(texts.years, *years);
    if (days > 1 || days < -1) {
        return text.arg(event.description, QString::number(days > 1 ? days : -days));
    }
    return text.arg(event.description);
}

QString uncheckedLine(QDate first) {
    return alarmText(QT_TRANSLATE_NOOP("almanis::AlarmWindow",
                                       "Reminders of the days before %1 are not shown: Almanis "
                                       "looks back one year at most."))
        .arg(QLocale().toString(first, QLocale::LongFormat));
}

}  // namespace almanis
