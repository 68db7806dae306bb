#include "reminders/DayWatch.h"

#include <QTimeZone>

namespace almanis {

QDateTime DayWatch::nextWake(const QDateTime& now) const {
    return startOfDayAfter(watching() ? day_ : now.date(), now);
}

QDateTime DayWatch::startOfDayAfter(QDate day, const QDateTime& now) {
    const QDate next = day.addDays(1);
    switch (now.timeSpec()) {
        case Qt::TimeZone:
            return next.startOfDay(now.timeZone());
        case Qt::OffsetFromUTC:
            return next.startOfDay(Qt::OffsetFromUTC, now.offsetFromUtc());
        case Qt::LocalTime:
        case Qt::UTC:
            break;
    }
    return next.startOfDay(now.timeSpec());
}

}  // namespace almanis
