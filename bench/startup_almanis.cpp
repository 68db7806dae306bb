// The real program, ended as soon as its main window has been shown and its
// first activation (the list fill and the start-up due check) is done.
#include "core/Chance.h"
#include "core/Clock.h"
#include "core/QSettingsStore.h"
#include "mainwindow/MainWindow.h"
#include "reminders/QtSound.h"
#include "widgets/QtTrayShell.h"
#include "widgets/QtUi.h"
#include "widgets/Services.h"

#include <QApplication>
#include <QTimer>

namespace {
class QuitAfterActivation final : public QObject {
  protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() == QEvent::WindowActivate) {
            // Queued, so the window's own activation handling runs first.
            QTimer::singleShot(0, qApp, &QCoreApplication::quit);
        }
        return QObject::eventFilter(watched, event);
    }
};
}  // namespace

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    QApplication::setQuitOnLastWindowClosed(false);
    almanis::QtUi ui;
    almanis::SystemClock clock;
    almanis::SystemChance chance;
    almanis::QSettingsStore settings;
    almanis::QtTrayShell tray;
    almanis::QtSound sound(QStringLiteral(ALMANIS_BUILT_PROGRAM_DIR));
    almanis::Services services{ui,
                               clock,
                               chance,
                               settings,
                               tray,
                               sound,
                               QStringLiteral(ALMANIS_BUILT_PROGRAM_DIR),
                               QCoreApplication::applicationFilePath()};
    almanis::MainWindow form(services);
    QuitAfterActivation quitter;
    form.installEventFilter(&quitter);
    form.load();
    form.show();
    return app.exec();
}
