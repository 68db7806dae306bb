#include "TestEnvironment.h"

#include "core/Paths.h"
#include "store/Connection.h"
#include "store/StoreSchema.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QLocale>

namespace almanis::test {

void prepareProcessEnvironment() {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    static QTemporaryDir home;
    qputenv("HOME", home.path().toUtf8());
    qputenv("XDG_DATA_HOME", (home.path() + QStringLiteral("/data")).toUtf8());
    qputenv("XDG_CONFIG_HOME", (home.path() + QStringLiteral("/config")).toUtf8());
    qputenv("XDG_CACHE_HOME", (home.path() + QStringLiteral("/cache")).toUtf8());
    qputenv("XDG_RUNTIME_DIR", (home.path() + QStringLiteral("/runtime")).toUtf8());
    QDir().mkpath(home.path() + QStringLiteral("/runtime"));
    QFile::setPermissions(home.path() + QStringLiteral("/runtime"),
                          QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    // Month names and numbers in the tests are English.
    QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates));
}

TestEnvironment::TestEnvironment(QDate today)
    : clock(today), services{ui,        clock,     chance,  settings, tray,      sound,    notifier,
                             wakeTimer, pollTimer, secrets, network,  QString(), QString()} {
    qputenv("XDG_DATA_HOME", (home_.path() + QStringLiteral("/data")).toUtf8());
    qputenv("XDG_CONFIG_HOME", (home_.path() + QStringLiteral("/config")).toUtf8());
    QDir().mkpath(home_.path() + QStringLiteral("/data"));
    QDir().mkpath(home_.path() + QStringLiteral("/config"));
    for (const char* name : {"dbBlank.mdb", "dbEvents.mdb", "HAND-M.CUR", "Event.wav"}) {
        QFile::copy(QStringLiteral(ALMANIS_BUILT_PROGRAM_DIR "/") + QLatin1String(name),
                    program_.path() + QLatin1Char('/') + QLatin1String(name));
    }
    services.programFolder = program_.path();
    services.executablePath = program_.path() + QStringLiteral("/almanis");
}

QString TestEnvironment::dataFolder() const {
    return home_.path() + QStringLiteral("/data/Marrowind/Almanis");
}

QString TestEnvironment::storePath() const {
    return dataFolder() + QStringLiteral("/dbData.mdb");
}

QString TestEnvironment::configFolder() const {
    return home_.path() + QStringLiteral("/config");
}

QString TestEnvironment::createStore() const {
    QDir().mkpath(dataFolder());
    QFile::remove(storePath());
    QFile::copy(programFolder() + QStringLiteral("/dbBlank.mdb"), storePath());
    QFile::setPermissions(storePath(), QFile::ReadOwner | QFile::WriteOwner);
    // As the program makes a new store: at this version's layout.
    Connection store;
    store.open(storePath());
    upgradeStore(store, UpgradeCopy::NewStore);
    return storePath();
}

}  // namespace almanis::test
