// The smallest Qt Widgets program: one window shown, ended at its activation.
#include <QApplication>
#include <QTimer>
#include <QWidget>

namespace {
class Window final : public QWidget {
  protected:
    bool event(QEvent* event) override {
        if (event->type() == QEvent::WindowActivate) {
            QTimer::singleShot(0, qApp, &QCoreApplication::quit);
        }
        return QWidget::event(event);
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
