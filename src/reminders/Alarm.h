#pragma once

#include "reminders/Reminder.h"

#include <QDate>
#include <QList>
#include <QStringList>
#include <optional>

namespace almanis {

// "Reminders of the days before <day> are not shown: ...", the alarm's last
// line after more than a year without a check.
QString uncheckedLine(QDate first);

// One alarm as the engine decided it: what the alarm window lists and the
// desktop's notification tells, and what the window starts from.
struct Alarm {
    // The reminders due today in the store's calendar order, then those caught
    // up at the start of the day.
    QList<Reminder> reminders;
    // Opened by the test command with nothing real to tell: the window adds its
    // sample line, and "Do Not Remind Me Again" leaves the re-check as it is.
    bool test = false;
    // The re-check interval when the alarm opens, for the delay the window
    // preselects.
    int recheckSeconds = 0;
    // The first day the catch-up looked at, when days before it went
    // unchecked: the last line then says that their reminders are not shown.
    std::optional<QDate> uncheckedBefore;

    // One line per reminder, in their order.
    QStringList lines() const {
        QStringList texts;
        texts.reserve(reminders.size());
        for (const Reminder& reminder : reminders) {
            texts << reminder.line();
        }
        if (uncheckedBefore) {
            texts << uncheckedLine(*uncheckedBefore);
        }
        return texts;
    }
};

// The user's answer to an alarm.
struct AlarmAnswer {
    // The re-check interval the answer sets: the chosen delay's seconds for
    // "Remind Me Later", 0 for "Do Not Remind Me Again". Nothing when the window
    // was closed by its close box, "Remind Me Later" found no delay chosen, or
    // "Do Not Remind Me Again" answered a test: the interval stays as it was.
    std::optional<int> recheckSeconds;
};

}  // namespace almanis
