#include "reminders/RememberedDay.h"

#include "core/SettingsStore.h"

namespace almanis {

const QString RememberedDay::kKey = QStringLiteral("Last Check");

std::optional<QDate> RememberedDay::read(QDate today) const {
    const QDate day = QDate::fromString(settings_.get(kKey, QString()), Qt::ISODate);
    if (!day.isValid() || day > today) {
        return std::nullopt;
    }
    return day;
}

void RememberedDay::write(QDate day) {
    settings_.save(kKey, day.toString(Qt::ISODate));
}

}  // namespace almanis
