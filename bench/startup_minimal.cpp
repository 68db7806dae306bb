// The smallest Qt Widgets program: one window shown, telling bench_startup when
// its activation has been handled, then ending.
#include "StartMoments.h"

#include <QApplication>
#include <QTimer>
#include <QWidget>

namespace {
class Window final : public QWidget {
  protected:
    bool event(QEvent* event) override {
        const bool result = QWidget::event(event);
        if (event->type() == QEvent::WindowActivate) {
            almanis::bench::tellMoment("filled");
            QTimer::singleShot(0, qApp, &QCoreApplication::quit);
        }
        return result;
    }
};
}  // namespace

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    Window window;
    window.resize(536, 546);
    window.show();
    return app.exec();
}
