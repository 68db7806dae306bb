#include "store/DataFolder.h"

#include "core/AppError.h"
#include "core/Paths.h"
#include "store/Connection.h"
#include "store/StoreSchema.h"

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
    // The copy is made and brought up to this version's layout under another
    // name, then renamed into place: a failure leaves no half-made store
    // behind to be taken for a good one, and each new store gets UIDs of its
    // own for the seed's events.
    const QString partial = target + QStringLiteral(".new");
    QFile::remove(partial);
    QFile source(seed);
    if (!source.copy(partial)) {
        throw AppError(QCoreApplication::translate("almanis::DataFolder",
                                                   "Path/File access error: cannot copy %1 to "
                                                   "%2: %3")
                           .arg(seed, target, source.errorString()));
    }
    QFile::setPermissions(
        partial, QFile::ReadOwner | QFile::WriteOwner | QFile::ReadGroup | QFile::ReadOther);
    try {
        Connection store;
        store.open(partial);
        upgradeStore(store, UpgradeCopy::NewStore);
        // One file, without a log beside it, to be renamed.
        store.execute(QStringLiteral("PRAGMA journal_mode=DELETE"));
        store.close();
    } catch (const AppError&) {
        QFile::remove(partial);
        throw;
    }
    QFile placed(partial);
    if (!placed.rename(target)) {
        const QString reason = placed.errorString();
        QFile::remove(partial);
        throw AppError(QCoreApplication::translate("almanis::DataFolder",
                                                   "Path/File access error: cannot copy %1 to "
                                                   "%2: %3")
                           .arg(seed, target, reason));
    }
}

}  // namespace almanis
