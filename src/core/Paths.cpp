#include "core/Paths.h"

#include "core/AppError.h"

#include <QFileInfo>
#include <QStandardPaths>

namespace almanis {

QString GetSpecialFolder(int id) {
    if (id != kCommonAppData) {
        return {};
    }
    return QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation).trimmed();
}

bool FileExists(const QString& path) {
    return !path.isEmpty() && QFileInfo::exists(path);
}

namespace {
QString specialFolder() {
    const QString folder = GetSpecialFolder(kCommonAppData);
    if (folder.isEmpty()) {
        throw AppError(QStringLiteral("The folder for application data could not be found"));
    }
    return folder;
}
}  // namespace

QString makerFolder() {
    return specialFolder() + QStringLiteral("/Marrowind");
}

QString dataFolder() {
    return specialFolder() + QStringLiteral("/Marrowind/") + QStringLiteral("Almanis");
}

}  // namespace almanis
