#include "app/QSettingsStore.h"

namespace almanis {

QSettingsStore::QSettingsStore()
    : settings_(QSettings::IniFormat, QSettings::UserScope, QStringLiteral("Marrowind"), QStringLiteral("Almanis")) {}

QString QSettingsStore::get(const QString& key, const QString& defaultValue) const {
    return settings_.value(key, defaultValue).toString();
}

void QSettingsStore::save(const QString& key, const QString& value) {
    settings_.setValue(key, value);
    settings_.sync();
}

}  // namespace almanis
