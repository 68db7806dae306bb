#include "store/DataFolder.h"

#include "core/AppError.h"
#include "core/Paths.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>

namespace almanis {

void createFolder(const QString& path) {
    if (QFileInfo(path).isDir()) {
        return;
    }
    // The user's data folder itself may not exist yet on a fresh account.
    if (!QDir().mkpath(path)) {
        throw AppError(QCoreApplication::translate("almanis::DataFolder",
                                                   "Path/File access error: cannot create the "
                                                   "folder %1")
                           .arg(path));
    }
}

void copySeedIfMissing(const QString& programFolder, const QString& dataFolder) {
    const QString target = dataFolder + QLatin1String(kWorkingStore);
    if (fileExists(target)) {
        return;
    }
    const QString events = programFolder + QLatin1String(kEventsSeed);
    const QString seed = fileExists(events) ? events : programFolder + QLatin1String(kBlankSeed);
    if (!fileExists(seed)) {
        throw AppError(
            QCoreApplication::translate("almanis::DataFolder", "File not found: %1").arg(seed));
    }
    // QFile::copy writes a temporary file and renames it, so a failed copy
    // leaves no half-written store behind to be taken for a good one.
    QFile source(seed);
    if (!source.copy(target)) {
        throw AppError(QCoreApplication::translate("almanis::DataFolder",
                                                   "Path/File access error: cannot copy %1 to "
                                                   "%2: %3")
                           .arg(seed, target, source.errorString()));
    }
    QFile::setPermissions(
        target, QFile::ReadOwner | QFile::WriteOwner | QFile::ReadGroup | QFile::ReadOther);
}

}  // namespace almanis
