#include "mainwindow/MainWindow.h"
#include "widgets/DesktopServices.h"

#include <QApplication>

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    // Only closing the main window ends the program, not closing the last
    // visible window while the main window waits in the tray.
    QApplication::setQuitOnLastWindowClosed(false);

    almanis::DesktopServices desktop(QCoreApplication::applicationDirPath(),
                                     QCoreApplication::applicationFilePath());
    almanis::MainWindow window(desktop.services());
    window.load();
    if (!window.isHiddenInTray()) {
        window.show();
    }
    return app.exec();
}
