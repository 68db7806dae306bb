#include "core/Chance.h"
#include "core/Clock.h"
#include "core/QSettingsStore.h"
#include "mainwindow/MainWindow.h"
#include "reminders/QtSound.h"
#include "widgets/QtTrayShell.h"
#include "widgets/QtUi.h"
#include "widgets/Services.h"

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
    almanis::Services services{ui,
                               clock,
                               chance,
                               settings,
                               tray,
                               sound,
                               QCoreApplication::applicationDirPath(),
                               QCoreApplication::applicationFilePath()};

    almanis::MainWindow window(services);
    window.load();
    if (!window.isHiddenInTray()) {
        window.show();
    }
    return app.exec();
}
