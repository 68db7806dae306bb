#include "widgets/QtTrayShell.h"

#include <QTimer>

namespace almanis {

QtTrayShell::QtTrayShell() {
    QObject::connect(&icon_, &QSystemTrayIcon::activated, &icon_,
                     [this](QSystemTrayIcon::ActivationReason reason) { activated(reason); });
    QObject::connect(&icon_, &QSystemTrayIcon::messageClicked, &icon_,
                     [this] { deliver(TrayEvent::BalloonClicked); });
}

void QtTrayShell::activated(QSystemTrayIcon::ActivationReason reason) {
    switch (reason) {
        case QSystemTrayIcon::Trigger:
            deliver(TrayEvent::LeftButtonDown);
            deliver(TrayEvent::LeftButtonUp);
            break;
        case QSystemTrayIcon::Context:
            // With a menu the right button is the menu's.
            if (!menu_) {
                deliver(TrayEvent::RightButtonDown);
                deliver(TrayEvent::RightButtonUp);
            }
            break;
        case QSystemTrayIcon::DoubleClick:
            deliver(TrayEvent::LeftDoubleClick);
            deliver(TrayEvent::LeftButtonUp);
            break;
        default:
            break;
    }
}

void QtTrayShell::deliver(TrayEvent event) {
    if (onEvent) {
        onEvent(event, 0);
    }
}

void QtTrayShell::add(const TrayRequest& request) {
    if (request.fields & TrayField::Icon) {
        icon_.setIcon(request.icon);
    }
    icon_.setToolTip((request.fields & TrayField::Tip) ? request.tip : QString());
    icon_.show();
}

void QtTrayShell::modify(const TrayRequest& request) {
    if (request.fields & TrayField::Icon) {
        icon_.setIcon(request.icon);
    }
    if (request.fields & TrayField::Tip) {
        icon_.setToolTip(request.tip);
    }
    if (request.fields & TrayField::Balloon) {
        // An empty balloon takes the last one down; the desktop's own time-out,
        // given with it, already does that.
        if (request.balloonText.isEmpty()) {
            balloon_.reset();
            return;
        }
        balloon_ = Balloon{request.balloonTitle, request.balloonText,
                           static_cast<int>(request.balloonTimeoutMs)};
        placeWaits_ = 0;
        showBalloon();
    }
}

void QtTrayShell::showBalloon() {
    if (!balloon_) {
        return;
    }
    // Right after the icon was added the tray has not placed it yet (it still
    // reports the screen's corner), and a balloon shown then points at that
    // corner: give the tray up to a second.
    constexpr int kWaits = 20;
    constexpr int kWaitMs = 50;
    const QRect place = icon_.geometry();
    const bool placed = !place.isEmpty() && place.topLeft() != QPoint(0, 0);
    if (icon_.isVisible() && !placed && placeWaits_ < kWaits) {
        ++placeWaits_;
        QTimer::singleShot(kWaitMs, &icon_, [this] { showBalloon(); });
        return;
    }
    icon_.showMessage(balloon_->title, balloon_->text, QSystemTrayIcon::NoIcon,
                      balloon_->milliseconds);
    balloon_.reset();
}

void QtTrayShell::remove(const TrayRequest& /*request*/) {
    icon_.hide();
}

void QtTrayShell::setMenu(const QList<TrayMenuEntry>& entries) {
    auto menu = std::make_unique<QMenu>();
    for (const TrayMenuEntry& entry : entries) {
        QObject::connect(menu->addAction(entry.text), &QAction::triggered, menu.get(),
                         entry.triggered);
    }
    icon_.setContextMenu(menu.get());
    menu_ = std::move(menu);
}

bool QtTrayShell::available() const {
    return QSystemTrayIcon::isSystemTrayAvailable();
}

}  // namespace almanis
