#pragma once

#include "Fakes.h"
#include "ScriptedUi.h"
#include "SyncFakes.h"
#include "TestCase.h"
#include "cli/AccountCommands.h"
#include "widgets/Services.h"

#include <QTemporaryDir>
#include <QtTest>
#include <memory>

namespace almanis::test {

// Points HOME and the XDG folders at a fresh temporary folder and selects the
// offscreen platform, before the application object exists.
void prepareProcessEnvironment();

// A program folder with the built seeds, cursor and sound, and fakes for every
// service. Each instance has its own temporary data and configuration folders.
class TestEnvironment {
  public:
    explicit TestEnvironment(QDate today = QDate(2026, 6, 15));

    QString programFolder() const { return program_.path(); }
    // The home of this environment's data and configuration folders.
    QString homeFolder() const { return home_.path(); }
    QString dataFolder() const;
    QString storePath() const;
    QString configFolder() const;
    // Creates the working store from the blank seed (the program does this itself
    // on its first start; tests that talk to the store directly use this).
    QString createStore() const;
    // The services with a settings store of the test's own.
    Services servicesWith(SettingsStore& store) const {
        return Services{services.ui,
                        services.clock,
                        services.chance,
                        store,
                        services.trayShell,
                        services.sound,
                        services.notifier,
                        services.wakeTimer,
                        services.pollTimer,
                        services.secrets,
                        services.network,
                        services.programFolder,
                        services.executablePath};
    }

    ScriptedUi ui;
    FixedClock clock;
    FixedChance chance;
    MemorySettingsStore settings;
    FakeTrayShell tray;
    FakeSound sound;
    FakeNotifier notifier;
    FakeWakeTimer wakeTimer;
    FakePollTimer pollTimer;
    FakeSecretStore secrets;
    FakeTransport network;
    FakeTerminal terminal;
    Services services;

    // What almanis-cli's account commands reach the world through.
    AccountServices accountServices() { return {secrets, network, terminal}; }

  private:
    QTemporaryDir home_;
    QTemporaryDir program_;
};

}  // namespace almanis::test

// A test main that keeps every test off the display and out of the home folder.
#define ALMANIS_TEST_MAIN(TestClass)                    \
    int main(int argc, char** argv) {                   \
        almanis::test::prepareProcessEnvironment();     \
        QApplication app(argc, argv);                   \
        QApplication::setQuitOnLastWindowClosed(false); \
        TestClass tc;                                   \
        return QTest::qExec(&tc, argc, argv);           \
    }
