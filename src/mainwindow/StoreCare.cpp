#include "mainwindow/StoreCare.h"

#include "core/AppError.h"
#include "core/AppTitle.h"
#include "core/Clock.h"
#include "core/Guard.h"
#include "core/Ui.h"
#include "store/Connection.h"
#include "store/DailyBackups.h"
#include "store/QuickCheck.h"
#include "widgets/Services.h"

#include <QCoreApplication>
#include <QDateTime>
#include <QDir>
#include <QLocale>

namespace almanis {

namespace {
QString native(const QString& path) {
    return QDir::toNativeSeparators(path);
}

// When a backup was made, as the restore offer says it.
QString madeText(const QString& path) {
    const QDateTime made = DailyBackups::madeAt(path);
    const QLocale locale;
    //: %1 is the day, %2 the time of day a backup was made.
    return QCoreApplication::translate("almanis::StoreCare", "%1 at %2")
        .arg(locale.toString(made.date(), QLocale::LongFormat),
             locale.toString(made.time(), QLocale::ShortFormat));
}
}  // namespace

StoreCare::StoreCare(Services& services, Connection& store, QObject* parent)
    : QObject(parent), services_(services), store_(store) {}

StoreCare::~StoreCare() = default;

DailyBackups StoreCare::backups() const {
    return DailyBackups(store_.path());
}

void StoreCare::backUpOnce(bool replaceToday) {
    // A store on a full disk was told of at the start, and its copy would
    // not fit there either.
    if (store_.state() == 0 || store_.diskFull()) {
        return;
    }
    const QDateTime now = services_.clock.now();
    const DailyBackups daily = backups();
    if (!replaceToday && daily.has(now.date())) {
        return;
    }
    try {
        daily.write(store_, now);
    } catch (const AppError& e) {
        if (backupFailureTold_) {
            return;
        }
        backupFailureTold_ = true;
        throw AppError(QCoreApplication::translate("almanis::StoreCare",
                                                   "%1. Almanis goes on without this backup; this "
                                                   "is not told again until it starts anew.")
                           .arg(e.description()));
    }
}

void StoreCare::backUp() {
    backUpOnce(true);
}

void StoreCare::checkAfterFirstFill() {
    Guard g(services_.ui, where::storeCheck);
    if (store_.state() == 0) {
        return;
    }
    const std::optional<QString> damage = g.value(100, [&] { return damageOf(store_); });
    if (damage && !damage->isEmpty()) {
        offerRestore(g, *damage);
    } else if (damage) {
        g.step(114, [&] { backUpOnce(false); });
    }
}

void StoreCare::offerRestore(Guard& g, const QString& damage) {
    Ui& ui = services_.ui;
    const DailyBackups daily = backups();
    const QString damaged =
        QCoreApplication::translate("almanis::StoreCare", "The event store %1 is damaged: %2.")
            .arg(native(store_.path()), damage);
    QString backup;
    g.step(102, [&] { backup = daily.newestSound(services_.clock.now()); });
    if (backup.isEmpty()) {
        g.step(104, [&] {
            ui.inform(damaged + QCoreApplication::translate(
                                    "almanis::StoreCare",
                                    "\r\n\r\nNo backup that passes SQLite's check was found in %1. "
                                    "The events that can still be read are listed; export them "
                                    "to keep them.")
                                    .arg(native(daily.folder())),
                      appTitle());
        });
        return;
    }
    bool yes = false;
    g.step(106, [&] {
        yes = ui.askYesNo(
            damaged +
                QCoreApplication::translate(
                    "almanis::StoreCare",
                    "\r\n\r\nThe newest backup that passes SQLite's check was made on "
                    "%1:\r\n%2\r\n\r\n"
                    "Replace the damaged store with this backup? Events added or changed since "
                    "then are not in it. The damaged store is kept in %3.")
                    .arg(madeText(backup), native(backup), native(daily.folder())),
            appTitle());
    });
    if (!yes) {
        return;
    }
    const bool replaced = g.step(108, [&] {
        store_.close();
        daily.restore(backup);
    });
    // The backup opens in the store's place; after a failed restore the
    // damaged store is still there, and is read as before.
    g.step(110, [&] { store_.reopen(); });
    if (replaced) {
        g.step(112, [&] { emit restored(); });
    }
}

}  // namespace almanis
