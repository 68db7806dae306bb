#include "core/QSettingsStore.h"

#include "core/AppError.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
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
    if (discardFile_ || !settings_.contains(key)) {
        return defaultValue;
    }
    const QVariant value = settings_.value(key);
    // The program writes plain texts only. A list under one of its keys reads
    // as the line held it, a serialised object as nothing: neither is a value
    // of any option, so the option is set back and the user told.
    if (value.typeId() == QMetaType::QStringList) {
        return value.toStringList().join(QStringLiteral(", "));
    }
    if (value.typeId() != QMetaType::QString) {
        return QString();
    }
    return value.toString();
}

namespace {
// Why the options file cannot be written, as far as the file system tells;
// empty when it sees no reason.
QString writeProblem(const QString& path) {
    const QFileInfo file(path);
    if (file.isDir()) {
        return QCoreApplication::translate("almanis::QSettingsStore",
                                           "a folder is in the file's place");
    }
    QString folder = file.absolutePath();
    while (!QFileInfo::exists(folder) && folder != QFileInfo(folder).absolutePath()) {
        folder = QFileInfo(folder).absolutePath();
    }
    if (!QFileInfo(folder).isDir()) {
        return QCoreApplication::translate("almanis::QSettingsStore", "%1 is a file, not a folder")
            .arg(QDir::toNativeSeparators(folder));
    }
    if (file.exists() && !file.isWritable()) {
        return QCoreApplication::translate("almanis::QSettingsStore", "the file is read-only");
    }
    if (!file.exists() && !QFileInfo(folder).isWritable()) {
        return QCoreApplication::translate("almanis::QSettingsStore",
                                           "the folder %1 cannot be written")
            .arg(QDir::toNativeSeparators(folder));
    }
    return {};
}
}  // namespace

QString QSettingsStore::location() const {
    return QDir::toNativeSeparators(settings_.fileName());
}

void QSettingsStore::save(const QString& key, const QString& value) {
    // Nothing to write: a box restored at start stores what was just read.
    if (!discardFile_ && settings_.contains(key) && get(key, QString()) == value) {
        return;
    }
    if (discardFile_) {
        // The damaged file is replaced only once the user changes an option, and
        // then by the options of this run alone.
        settings_.clear();
        discardFile_ = false;
    }
    // QSettings keeps the first error it met, a damaged file read at start
    // included: only an error that this write brought is this write's.
    const bool clean = settings_.status() == QSettings::NoError;
    settings_.setValue(key, value);
    settings_.sync();
    const QString problem = writeProblem(settings_.fileName());
    if (!problem.isEmpty()) {
        throw AppError(problem);
    }
    if (clean && settings_.status() != QSettings::NoError) {
        throw AppError(
            QCoreApplication::translate("almanis::QSettingsStore", "the file cannot be written"));
    }
}

}  // namespace almanis
