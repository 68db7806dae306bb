#include "app/Clock.h"
#include "app/Form1.h"
#include "app/QSettingsStore.h"
#include "app/QtUi.h"
#include "app/Services.h"
#include "desktop/QtTrayShell.h"
#include "reminders/QtSound.h"

#include <QApplication>

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    // Only closing the main window ends the program, not closing the last
    // visible window while the main window waits in the tray.
    QApplication::setQuitOnLastWindowClosed(false);

    almanis::QtUi ui;
    almanis::SystemClock clock;
    almanis::SystemChance chance;
    almanis::QSettingsStore settings;
    almanis::QtTrayShell tray;
    almanis::QtSound sound(QCoreApplication::applicationDirPath());
    almanis::Services services{ui,    clock, chance, settings, tray, sound, QCoreApplication::applicationDirPath(),
                               QCoreApplication::applicationFilePath()};

    almanis::Form1 form(services);
    form.Form_Load();
    if (!form.HiddenInTray) {
        form.show();
    }
    return app.exec();
}
