#include "desktop/LogonStartup.h"

#include "core/AppTitle.h"
#include "core/Ui.h"
#include "desktop/AutostartFolder.h"

#include <QDir>
#include <QFileInfo>
#include <QStandardPaths>

namespace almanis {

modStartUp::modStartUp(Ui& ui, QString executablePath, QString hive)
    : ui_(ui), executablePath_(std::move(executablePath)), hive_(std::move(hive)) {}

QString modStartUp::defaultHive() {
    return QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation);
}

QString modStartUp::autostartFolder() const {
    return QDir::cleanPath(hive_ + QLatin1Char('/') + QLatin1String(RegStuff::kRunKey));
}

// The running program itself is registered, not some other executable that
// happens to lie in its folder.
QString modStartUp::programFileName() const {
    return executablePath_.isEmpty() ? QString() : QFileInfo(executablePath_).fileName();
}

QString modStartUp::programFolder() const {
    return QFileInfo(executablePath_).absolutePath();
}

void modStartUp::AddToStartup() {
    const QString name = programFileName();
    if (name.isEmpty()) {
        return;
    }
    AddRunEntry(name);
}

void modStartUp::RemoveFromStartup() {
    const QString name = programFileName();
    if (name.isEmpty()) {
        return;
    }
    RemoveRunEntry(name);
}

void modStartUp::AddRunEntry(const QString& fileName) {
    const QString folder = programFolder();
    const QString data = folder.endsWith(QLatin1Char('/')) ? folder + fileName
                                                           : folder + QLatin1Char('/') + fileName;
    const RegStuff::RegStatus status = RegStuff::WriteRegistryValue(
        hive_, QLatin1String(RegStuff::kRunKey), fileName, data, RegStuff::REG_SZ);
    // The box stays ticked as the user left it, so a failure must be said: the
    // program would otherwise silently not start at log-on.
    if (!status.ok()) {
        ui_.inform(QStringLiteral("Almanis could not be set to start when you log on.\r\n"
                                  "The entry could not be written in the folder %1: %2.")
                       .arg(QDir::toNativeSeparators(status.folder), status.reason),
                   appTitle());
    }
}

void modStartUp::RemoveRunEntry(const QString& fileName) {
    const RegStuff::RegStatus status =
        RegStuff::DeleteRegistryValue(hive_, QLatin1String(RegStuff::kRunKey), fileName);
    if (!status.ok()) {
        ui_.inform(QStringLiteral("Almanis could not be kept from starting when you log on.\r\n"
                                  "The entry could not be removed from the folder %1: %2.")
                       .arg(QDir::toNativeSeparators(status.folder), status.reason),
                   appTitle());
    }
}

}  // namespace almanis
