#include "store/Sql.h"

#include "core/AppError.h"

namespace almanis::sql {

QString quoted(const QString& description) {
    if (description.contains(QChar(0))) {
        throw AppError(
            QStringLiteral("The description contains a NUL character, which cannot be stored"));
    }
    QString text = description;
    text.replace(QLatin1Char('\''), QLatin1String("''"));
    return QLatin1Char('\'') + text + QLatin1Char('\'');
}

QString selectEvents() {
    // Events on the same day come in the order they were stored, as SQLite's
    // sort has always given them; saying so lets a reader sort them the same.
    return QStringLiteral("select * from tblEvent order by EventMonth,EventDay,id");
}

QString selectEventsAsStored() {
    return QStringLiteral("select * from tblEvent order by id");
}

QString dataVersion() {
    return QStringLiteral("PRAGMA data_version");
}

QString deleteEvent(qint64 id) {
    return QStringLiteral("delete from tblEvent where id=") + QString::number(id);
}

QString insertSampleEvent() {
    return QStringLiteral(
        "insert into tblEvent (Description,EventMonth,EventDay) values ('New Year', 1, 1)");
}

QString insertEvent(const QString& description, int month, int day) {
    return QStringLiteral("insert into tblEvent (Description,EventMonth,EventDay) ") +
           QStringLiteral("values (") + quoted(description) + QLatin1Char(',') +
           QString::number(month) + QLatin1Char(',') + QString::number(day) + QLatin1Char(')');
}

QString updateEvent(const QString& description, int month, int day, qint64 id) {
    return QStringLiteral("update tblEvent set Description=") + quoted(description) +
           QStringLiteral(",EventMonth=") + QString::number(month) + QStringLiteral(",EventDay=") +
           QString::number(day) + QStringLiteral(" where id=") + QString::number(id);
}

QString updateUnchangedEvent(const QString& description, int month, int day,
                             const StoredEvent& stored) {
    QString sql = updateEvent(description, month, day, stored.id) +
                  QStringLiteral(" and Description=") + quoted(stored.description);
    // Read as the list reads them: ' 7 ' and 7.0 are the month 7 as well.
    if (stored.month) {
        sql += QStringLiteral(" and cast(EventMonth as integer)=") + QString::number(*stored.month);
    }
    if (stored.day) {
        sql += QStringLiteral(" and cast(EventDay as integer)=") + QString::number(*stored.day);
    }
    return sql;
}

QString quickCheck() {
    return QStringLiteral("PRAGMA quick_check");
}

}  // namespace almanis::sql
