// The real program, ended as soon as its main window has been shown and its
// first activation (the list fill and the start-up due check) is done.
#include "mainwindow/MainWindow.h"
#include "widgets/DesktopServices.h"

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
    almanis::DesktopServices desktop(QStringLiteral(ALMANIS_BUILT_PROGRAM_DIR),
                                     QCoreApplication::applicationFilePath());
    almanis::MainWindow form(desktop.services());
    QuitAfterActivation quitter;
    form.installEventFilter(&quitter);
    form.load();
    form.show();
    return app.exec();
}
