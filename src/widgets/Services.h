#pragma once

#include "core/Addresses.h"

#include <QString>

namespace almanis {

class Chance;
class Clock;
class HttpTransport;
class Notifier;
class PollTimer;
class SecretStore;
class SettingsStore;
class Sound;
class TrayShell;
class Ui;
class WakeTimer;

// What the windows reach the world through. The program passes the real
// services; tests pass fakes, so no test needs a person, a tray, a sound card,
// real time or a real home folder.
struct Services {
    Ui& ui;
    const Clock& clock;
    Chance& chance;
    SettingsStore& settings;
    TrayShell& trayShell;
    Sound& sound;
    Notifier& notifier;
    WakeTimer& wakeTimer;
    // The main window's polling timer, which the snooze sleeps on.
    PollTimer& pollTimer;
    SecretStore& secrets;    // the passwords of the accounts
    HttpTransport& network;  // the calendar and address-book servers
    QString programFolder;   // seeds, cursor, skin and sound live here
    QString executablePath;  // the running program, for the start-up entry
    // The page that one start in a hundred opens; none when empty.
    QString homePage = QString::fromUtf8(kHomePage);
};

}  // namespace almanis
