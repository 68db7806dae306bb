#pragma once

#include "core/Chance.h"
#include "core/Clock.h"
#include "core/QSettingsStore.h"
#include "desktop/DBusNotifier.h"
#include "desktop/SystemWakeTimer.h"
#include "reminders/PollTimer.h"
#include "reminders/QtSound.h"
#include "sync/HttpTransport.h"
#include "sync/KeychainSecretStore.h"
#include "widgets/QtTrayShell.h"
#include "widgets/QtUi.h"
#include "widgets/Services.h"

namespace almanis {

// The services of the running program: Qt's boxes and dialogs, the system's
// clock, wake timer and chance, the user's settings file, the desktop's tray and
// the sound card, the desktop's notifications and secret store, the network, for a program whose
// files lie in `programFolder`.
class DesktopServices {
  public:
    DesktopServices(const QString& programFolder, const QString& executablePath)
        : sound_(programFolder), services_{ui_,           clock_,   chance_,   settings_,
                                           tray_,         sound_,   notifier_, wakeTimer_,
                                           pollTimer_,    secrets_, network_,  programFolder,
                                           executablePath} {}

    Services& services() { return services_; }

  private:
    QtUi ui_;
    SystemClock clock_;
    SystemChance chance_;
    QSettingsStore settings_;
    QtTrayShell tray_;
    QtSound sound_;
    DBusNotifier notifier_;
    SystemWakeTimer wakeTimer_;
    PollTimer pollTimer_;
    KeychainSecretStore secrets_;
    NetworkTransport network_;
    Services services_;
};

}  // namespace almanis
