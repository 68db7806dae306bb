#include "core/QSettingsStore.h"

#include <QStandardPaths>

namespace almanis {

QString QSettingsStore::defaultFilePath() {
    // Asked every time, so the store follows $XDG_CONFIG_HOME as it is now.
    return QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation) +
           QStringLiteral("/Marrowind/Almanis.conf");
}

QSettingsStore::QSettingsStore() : QSettingsStore(defaultFilePath()) {}

QSettingsStore::QSettingsStore(const QString& filePath)
    : settings_(filePath, QSettings::IniFormat) {
    // A damaged or unreadable file must not keep the program from starting, nor
    // hand half-parsed values to the boxes: it reads as if nothing were stored.
    discardFile_ = settings_.status() != QSettings::NoError;
}

QString QSettingsStore::get(const QString& key, const QString& defaultValue) const {
    if (discardFile_) {
        return defaultValue;
    }
    const QVariant value = settings_.value(key);
    // The program writes plain texts only; a list or a serialised object under
    // one of its keys is not a value it wrote.
    if (value.typeId() != QMetaType::QString) {
        return defaultValue;
    }
    return value.toString();
}

void QSettingsStore::save(const QString& key, const QString& value) {
    if (discardFile_) {
        // The damaged file is replaced only once the user changes an option, and
        // then by the options of this run alone.
        settings_.clear();
        discardFile_ = false;
    }
    settings_.setValue(key, value);
    settings_.sync();
}

}  // namespace almanis
