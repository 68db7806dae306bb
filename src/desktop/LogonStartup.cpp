#include "desktop/LogonStartup.h"

#include "core/AppTitle.h"
#include "core/Ui.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QStandardPaths>

namespace almanis {

LogonStartup::LogonStartup(Ui& ui, QString executablePath, const QString& configFolder)
    : ui_(ui),
      executablePath_(std::move(executablePath)),
      folder_(QDir::cleanPath(configFolder + QStringLiteral("/autostart"))) {}

QString LogonStartup::userConfigFolder() {
    return QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation);
}

// The running program itself is registered, under its own file name, not some
// other executable that happens to lie in its folder.
QString LogonStartup::entryName() const {
    return executablePath_.isEmpty() ? QString() : QFileInfo(executablePath_).fileName();
}

void LogonStartup::enable() {
    const QString name = entryName();
    if (name.isEmpty()) {
        return;
    }
    const QString programFolder = QFileInfo(executablePath_).absolutePath();
    const QString command = programFolder.endsWith(QLatin1Char('/'))
                                ? programFolder + name
                                : programFolder + QLatin1Char('/') + name;
    const AutostartFolder::Result result = folder_.writeEntry(name, command);
    // The box stays ticked as the user left it, so a failure must be said: the
    // program would otherwise silently not start at log-on.
    if (!result.ok) {
        ui_.inform(QCoreApplication::translate("almanis::LogonStartup",
                                               "Almanis could not be set to start when you log "
                                               "on.\r\nThe entry could not be written in the "
                                               "folder %1: %2.")
                       .arg(QDir::toNativeSeparators(folder_.path()), result.reason),
                   appTitle());
    }
}

void LogonStartup::disable() {
    const QString name = entryName();
    if (name.isEmpty()) {
        return;
    }
    const AutostartFolder::Result result = folder_.removeEntry(name);
    if (!result.ok) {
        ui_.inform(QCoreApplication::translate("almanis::LogonStartup",
                                               "Almanis could not be kept from starting when you "
                                               "log on.\r\nThe entry could not be removed from "
                                               "the folder %1: %2.")
                       .arg(QDir::toNativeSeparators(folder_.path()), result.reason),
                   appTitle());
    }
}

}  // namespace almanis
