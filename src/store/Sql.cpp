#include "store/Sql.h"

#include "core/AppError.h"

namespace almanis::sql {

namespace {
// Ids go into statements unquoted, so only digits may come through.
QString idDigits(const QString& idText) {
    bool ok = false;
    const qlonglong id = idText.trimmed().toLongLong(&ok, 10);
    if (!ok) {
        throw AppError(QStringLiteral("Type mismatch: '%1' is not an event id").arg(idText.left(80)));
    }
    return QString::number(id);
}
}  // namespace

QString quoted(const QString& description) {
    if (description.contains(QChar(0))) {
        throw AppError(QStringLiteral("The description contains a NUL character, which cannot be stored"));
    }
    QString text = description;
    text.replace(QLatin1Char('\''), QLatin1String("''"));
    return QLatin1Char('\'') + text + QLatin1Char('\'');
}

QString selectEvents() {
    return QStringLiteral("select * from tblEvent order by EventMonth,EventDay");
}

QString deleteEvent(const QString& idText) {
    return QStringLiteral("delete from tblEvent where id=") + idDigits(idText);
}

QString insertSampleEvent() {
    return QStringLiteral("insert into tblEvent (Description,EventMonth,EventDay) values ('New Year', 1, 1)");
}

QString insertEvent(const QString& description, int month, int day) {
    return QStringLiteral("insert into tblEvent (Description,EventMonth,EventDay) ") +
           QStringLiteral("values (") + quoted(description) + QLatin1Char(',') +
           QString::number(month) + QLatin1Char(',') + QString::number(day) + QLatin1Char(')');
}

QString updateEvent(const QString& description, int month, int day, const QString& idText) {
    return QStringLiteral("update tblEvent set Description=") + quoted(description) +
           QStringLiteral(",EventMonth=") + QString::number(month) + QStringLiteral(",EventDay=") +
           QString::number(day) + QStringLiteral(" where id=") + idDigits(idText);
}

}  // namespace almanis::sql
