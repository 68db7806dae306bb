// The real program, started as src/main.cpp starts it without arguments (the
// command line and the one-copy check are left out: neither reads the store),
// telling bench_startup when its list is filled and when it is idle, then
// ending. Its event loops stand in for the program's QApplication::exec().
#include "StartMoments.h"
#include "WatchedApplication.h"
#include "mainwindow/MainWindow.h"
#include "widgets/DesktopServices.h"

using almanis::bench::tellFigure;
using almanis::bench::tellMoment;

int main(int argc, char* argv[]) {
    almanis::bench::WatchedApplication app(argc, argv);
    QApplication::setQuitOnLastWindowClosed(false);
    almanis::DesktopServices desktop(QStringLiteral(ALMANIS_BUILT_PROGRAM_DIR),
                                     QCoreApplication::applicationFilePath());
    almanis::MainWindow form(desktop.services());
    form.load();

    // The first activation's work (the list fill and the start-up due check)
    // runs inside one event, the window's activation or the call its first
    // show queues: the list stands filled once the event that ran it has
    // been handled, when the window no longer starts up.
    QEventLoop untilFilled;
    app.afterEvent = [&] {
        if (!form.isStartingUp() && untilFilled.isRunning()) {
            tellMoment("filled");
            untilFilled.quit();
        }
    };
    if (!form.isHiddenInTray()) {
        form.show();
    }
    if (form.isStartingUp()) {
        untilFilled.exec();
    } else {
        tellMoment("filled");
    }
    app.afterEvent = nullptr;
    tellFigure("rows", form.events().rowCount());

    almanis::bench::runUntilIdle(app);
    tellMoment("idle");
    // An alarm that opened (an event due today) was answered at once.
    tellFigure("dialogs", app.dialogsAnswered());
    return 0;
}
