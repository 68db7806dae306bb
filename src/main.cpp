#include "core/AppError.h"
#include "core/AppTitle.h"
#include "core/CommandLine.h"
#include "core/Paths.h"
#include "core/Translations.h"
#include "desktop/SingleInstance.h"
#include "mainwindow/MainWindow.h"
#include "store/DataFolder.h"
#include "sync/AccountBook.h"
#include "sync/SyncScheduler.h"
#include "widgets/DesktopServices.h"

#include <QApplication>
#include <cstdio>
#include <cstdlib>

namespace {
// What a start without a display says, translated while the command line's
// reader and its translations live.
QString noDisplayText;
QtMessageHandler qtMessages = nullptr;

// Qt ends the program (with a core dump) when no display can be opened; the
// user is told in words instead, and the start ends with status 1.
void endWithoutDisplay(QtMsgType type, const QMessageLogContext& context, const QString& text) {
    if (type == QtFatalMsg) {
        std::fputs((noDisplayText + QLatin1Char('\n')).toLocal8Bit().constData(), stderr);
        std::_Exit(1);
    }
    if (qtMessages) {
        qtMessages(type, context, text);
    }
}

// The folder whose store this copy works on; a copy that cannot resolve it
// still runs, and reports that when it loads.
QString storeFolder() {
    try {
        return almanis::dataFolder();
    } catch (const almanis::AppError&) {
        return QString();
    }
}
}  // namespace

int main(int argc, char* argv[]) {
    // The command line is read before the program reaches for the windowing
    // system, so --help and --version need no display and touch no file.
    const almanis::CommandLine commandLine = [&] {
        QCoreApplication reader(argc, argv);
        almanis::Translations::install(reader, QCoreApplication::applicationDirPath());
        noDisplayText = QCoreApplication::translate(
            "almanis::main",
            "almanis: no display could be opened, so there is no window to show. Start Almanis "
            "in a desktop session, or name a display with DISPLAY or WAYLAND_DISPLAY.");
        return almanis::CommandLine::parse(QCoreApplication::arguments());
    }();
    if (!commandLine.startsProgram()) {
        std::fputs(commandLine.output().toLocal8Bit().constData(), stdout);
        std::fputs(commandLine.error().toLocal8Bit().constData(), stderr);
        return commandLine.exitCode();
    }

    // The launcher's permission to take the focus, which the running copy
    // needs when this start only asks it to show itself.
    const QString activationToken = qEnvironmentVariable("XDG_ACTIVATION_TOKEN");
    qtMessages = qInstallMessageHandler(endWithoutDisplay);
    QApplication app(argc, argv);
    qInstallMessageHandler(qtMessages);
    almanis::Translations::install(app, QCoreApplication::applicationDirPath());
    // Only closing the main window ends the program, not closing the last
    // visible window while the main window waits in the tray.
    QApplication::setQuitOnLastWindowClosed(false);

    QGuiApplication::setDesktopFileName(QStringLiteral("org.marrowind.Almanis"));

    // One copy per user and data folder: a second start brings the running
    // copy forward and ends, before it touches the store or the settings.
    almanis::SingleInstance instance(almanis::SingleInstance::serverPathFor(storeFolder()));
    const QString tokenField = QString::fromLatin1(almanis::SingleInstance::kActivationTokenField);
    if (!activationToken.isEmpty()) {
        instance.setRequestField(tokenField, activationToken);
    }
    if (instance.claim() == almanis::SingleInstance::Outcome::AnotherCopyRuns) {
        return 0;
    }

    almanis::DesktopServices desktop(QCoreApplication::applicationDirPath(),
                                     QCoreApplication::applicationFilePath());
    almanis::MainWindow window(desktop.services());
    QObject::connect(&instance, &almanis::SingleInstance::showRequested, &window,
                     [&window, tokenField](const QMap<QString, QString>& fields) {
                         window.showOnRequest(fields.value(tokenField));
                     });
    window.load();
    // Quit from the tray while the start-up alarm waited: ended already.
    if (window.hasClosed()) {
        return 0;
    }
    if (!window.isHiddenInTray()) {
        window.show();
    }
    if (!instance.problem().isEmpty()) {
        desktop.services().ui.inform(instance.problem(), almanis::appTitle());
    }

    // The sync with the user's accounts, on the store the window loaded.
    almanis::AccountBook accounts;
    almanis::SyncScheduler sync(storeFolder() + QLatin1String(almanis::kWorkingStore), accounts,
                                desktop.services().secrets, desktop.services().network,
                                desktop.services().clock);
    window.followSync(sync);
    sync.start();
    return app.exec();
}
