#include "store/DailyBackups.h"

#include "core/AppError.h"
#include "store/Connection.h"
#include "store/DataFolder.h"
#include "store/OnlineBackup.h"
#include "store/QuickCheck.h"

#include <QCoreApplication>
#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>
#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <vector>

namespace almanis {

namespace {
const QString kPrefix = QStringLiteral("dbData-");
const QString kSuffix = QStringLiteral(".mdb");

const QString kDayFormat = QStringLiteral("yyyy-MM-dd");

bool isBackupName(const QString& name) {
    static const QRegularExpression pattern(QStringLiteral("^dbData-\\d{4}-\\d{2}-\\d{2}\\.mdb$"));
    return pattern.match(name).hasMatch();
}

// The day a backup's name gives; invalid for a name of no real day.
QDate namedDay(const QString& path) {
    return QDate::fromString(QFileInfo(path).completeBaseName().mid(kPrefix.size()), kDayFormat);
}

// Marks the file as made at `when`, whatever the system's clock says.
void setMadeAt(const QString& path, const QDateTime& when) {
    QFile file(path);
    if (!file.open(QIODevice::ReadWrite) ||
        !file.setFileTime(when, QFileDevice::FileModificationTime)) {
        throw AppError(file.errorString());
    }
}

QString native(const QString& path) {
    return QDir::toNativeSeparators(path);
}

// Renames over an existing file in one step, as the system does.
void replaceFile(const QString& from, const QString& to) {
    if (std::rename(QFile::encodeName(from).constData(), QFile::encodeName(to).constData()) != 0) {
        throw AppError(QString::fromLocal8Bit(std::strerror(errno)));
    }
}

void removeWithCompanions(const QString& path) {
    for (const char* suffix : {"", "-journal", "-wal", "-shm"}) {
        QFile::remove(path + QLatin1String(suffix));
    }
}
}  // namespace

DailyBackups::DailyBackups(const QString& storePath)
    : storePath_(storePath),
      folder_(QFileInfo(storePath).absolutePath() + QStringLiteral("/backups")) {}

QString DailyBackups::fileFor(QDate day) const {
    return folder_ + QLatin1Char('/') + kPrefix + day.toString(kDayFormat) + kSuffix;
}

bool DailyBackups::has(QDate day) const {
    return QFileInfo(fileFor(day)).isFile();
}

void DailyBackups::write(const Connection& store, const QDateTime& now) const {
    const QString target = fileFor(now.date());
    copyTo(store, target, now);
    removeAllButTheNewest(target, now);
}

QString DailyBackups::writeBeforeUpgrade(const Connection& store, int version) const {
    const QString target = folder_ + QLatin1Char('/') + kPrefix +
                           QStringLiteral("before-version-%1").arg(version) + kSuffix;
    copyTo(store, target, QDateTime::currentDateTime());
    return target;
}

void DailyBackups::copyTo(const Connection& store, const QString& target,
                          const QDateTime& now) const {
    const QString partial = target + QStringLiteral(".partial");
    try {
        createFolder(folder_);
        // What a copy cut short left behind.
        removeWithCompanions(partial);
        Connection copy;
        copy.openNew(partial);
        prepareCopy(copy);
        OnlineBackup(store, copy).run();
        // One file that needs nothing beside it, whatever the store's journal.
        copy.execute(QStringLiteral("PRAGMA journal_mode=DELETE"));
        copy.close();
        setMadeAt(partial, now);
        replaceFile(partial, target);
    } catch (const AppError& e) {
        removeWithCompanions(partial);
        throw AppError(QCoreApplication::translate("almanis::DailyBackups",
                                                   "The events could not be backed up to %1: %2")
                           .arg(native(target), e.description()));
    }
}

QDateTime DailyBackups::madeAt(const QString& path) {
    return QFileInfo(path).lastModified();
}

QStringList DailyBackups::files(const QDateTime& now) const {
    struct Backup {
        QString path;
        QDateTime made;
        bool ahead = false;  // made or named after `now`
    };
    std::vector<Backup> backups;
    for (const QString& name : QDir(folder_).entryList(QDir::Files)) {
        if (!isBackupName(name)) {
            continue;
        }
        Backup backup{folder_ + QLatin1Char('/') + name, {}, false};
        backup.made = madeAt(backup.path);
        const QDate named = namedDay(backup.path);
        backup.ahead = backup.made > now || !named.isValid() || named > now.date();
        backups.push_back(std::move(backup));
    }
    std::sort(backups.begin(), backups.end(), [](const Backup& a, const Backup& b) {
        if (a.ahead != b.ahead) {
            return !a.ahead;
        }
        if (a.made != b.made) {
            return a.made > b.made;
        }
        return a.path > b.path;
    });
    QStringList paths;
    for (const Backup& backup : backups) {
        paths.append(backup.path);
    }
    return paths;
}

void DailyBackups::removeAllButTheNewest(const QString& justMade, const QDateTime& now) const {
    QStringList others = files(now);
    others.removeAll(justMade);
    for (qsizetype i = kKept - 1; i < others.size(); ++i) {
        QFile::remove(others[i]);
    }
}

QString DailyBackups::newestSound(const QDateTime& now) const {
    for (const QString& file : files(now)) {
        try {
            Connection backup;
            backup.openReadOnly(file);
            if (damageOf(backup).isEmpty()) {
                return file;
            }
        } catch (const AppError&) {
            // Not a database at all: look at the one before it.
        }
    }
    return {};
}

void DailyBackups::restore(const QString& backup) const {
    createFolder(folder_);
    const QString kept =
        folder_ + QStringLiteral("/dbData-damaged-") +
        QDateTime::currentDateTime().toString(QStringLiteral("yyyy-MM-dd-HHmmss")) + kSuffix;
    try {
        replaceFile(storePath_, kept);
    } catch (const AppError& e) {
        throw AppError(QCoreApplication::translate("almanis::DailyBackups",
                                                   "The damaged store %1 could not be moved to "
                                                   "%2: %3")
                           .arg(native(storePath_), native(kept), e.description()));
    }
    // The log belongs to the damaged file; beside the restored one it would be
    // read into it.
    if (QFile::exists(storePath_ + QStringLiteral("-wal"))) {
        QFile::rename(storePath_ + QStringLiteral("-wal"), kept + QStringLiteral("-wal"));
    }
    QFile::remove(storePath_ + QStringLiteral("-shm"));
    QFile source(backup);
    if (!source.copy(storePath_)) {
        const QString reason = source.errorString();
        QFile::rename(kept, storePath_);
        throw AppError(QCoreApplication::translate("almanis::DailyBackups",
                                                   "The backup %1 could not be copied to %2: %3")
                           .arg(native(backup), native(storePath_), reason));
    }
    QFile::setPermissions(storePath_, QFile::ReadOwner | QFile::WriteOwner);
}

}  // namespace almanis
