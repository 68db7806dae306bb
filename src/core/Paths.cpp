#include "core/Paths.h"

#include "core/AppError.h"

#include <QCoreApplication>
#include <QFileInfo>
#include <QStandardPaths>

namespace almanis {

QString applicationDataFolder() {
    return QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation).trimmed();
}

bool fileExists(const QString& path) {
    return !path.isEmpty() && QFileInfo::exists(path);
}

namespace {
QString resolvedDataFolder() {
    const QString folder = applicationDataFolder();
    if (folder.isEmpty()) {
        throw AppError(QCoreApplication::translate(
            "almanis::Paths", "The folder for application data could not be found"));
    }
    return folder;
}
}  // namespace

QString makerFolder() {
    return resolvedDataFolder() + QStringLiteral("/Marrowind");
}

QString dataFolder() {
    return resolvedDataFolder() + QStringLiteral("/Marrowind/") + QStringLiteral("Almanis");
}

}  // namespace almanis
