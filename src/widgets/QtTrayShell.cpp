#include "widgets/QtTrayShell.h"

#include <QGuiApplication>
#include <QTimer>

namespace almanis {

static_assert(static_cast<int>(TrayShell::Activation::Unknown) == QSystemTrayIcon::Unknown);
static_assert(static_cast<int>(TrayShell::Activation::Context) == QSystemTrayIcon::Context);
static_assert(static_cast<int>(TrayShell::Activation::DoubleClick) == QSystemTrayIcon::DoubleClick);
static_assert(static_cast<int>(TrayShell::Activation::Trigger) == QSystemTrayIcon::Trigger);
static_assert(static_cast<int>(TrayShell::Activation::MiddleClick) == QSystemTrayIcon::MiddleClick);

QtTrayShell::QtTrayShell(QObject* parent) : TrayShell(parent) {
    connect(&icon_, &QSystemTrayIcon::activated, this,
            [this](QSystemTrayIcon::ActivationReason reason) {
                emit activated(static_cast<Activation>(reason));
            });
    connect(&icon_, &QSystemTrayIcon::messageClicked, this, &TrayShell::messageClicked);
}

bool QtTrayShell::isSystemTrayAvailable() const {
    return QSystemTrayIcon::isSystemTrayAvailable();
}

void QtTrayShell::setIcon(const QIcon& icon) {
    icon_.setIcon(icon);
}

void QtTrayShell::setToolTip(const QString& tip) {
    icon_.setToolTip(tip);
}

void QtTrayShell::setVisible(bool visible) {
    // Without a StatusNotifierItem host Qt falls back to an X11 tray icon,
    // which cannot work on Wayland and only warns there.
    if (visible && !isSystemTrayAvailable() &&
        QGuiApplication::platformName().startsWith(QLatin1String("wayland"))) {
        return;
    }
    icon_.setVisible(visible);
}

void QtTrayShell::setContextMenu(const QList<QAction*>& actions) {
    auto menu = std::make_unique<QMenu>();
    menu->addActions(actions);
    icon_.setContextMenu(menu.get());
    menu_ = std::move(menu);
}

void QtTrayShell::showMessage(const QString& title, const QString& message, int milliseconds) {
    message_ = Message{title, message, milliseconds};
    placeWaits_ = 0;
    showWhenPlaced();
}

void QtTrayShell::showWhenPlaced() {
    if (!message_) {
        return;
    }
    // Right after the icon was shown the tray has not placed it yet (it still
    // reports the screen's corner), and a balloon shown then points at that
    // corner: give the tray up to a second.
    constexpr int kWaits = 20;
    constexpr int kWaitMs = 50;
    const QRect place = icon_.geometry();
    const bool placed = !place.isEmpty() && place.topLeft() != QPoint(0, 0);
    if (icon_.isVisible() && !placed && placeWaits_ < kWaits) {
        ++placeWaits_;
        QTimer::singleShot(kWaitMs, this, [this] { showWhenPlaced(); });
        return;
    }
    icon_.showMessage(message_->title, message_->text, QSystemTrayIcon::NoIcon,
                      message_->milliseconds);
    message_.reset();
}

}  // namespace almanis
