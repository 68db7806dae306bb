#include "widgets/QtTrayShell.h"

#include <QTimer>

namespace almanis {

QtTrayShell::QtTrayShell() {
    QObject::connect(&icon_, &QSystemTrayIcon::activated,
                     [this](QSystemTrayIcon::ActivationReason reason) {
                         switch (reason) {
                             case QSystemTrayIcon::Trigger:
                                 deliver(WM_LBUTTONDOWN);
                                 deliver(WM_LBUTTONUP);
                                 break;
                             case QSystemTrayIcon::Context:
                                 deliver(WM_RBUTTONDOWN);
                                 deliver(WM_RBUTTONUP);
                                 break;
                             case QSystemTrayIcon::DoubleClick:
                                 deliver(WM_LBUTTONDBLCLK);
                                 deliver(WM_LBUTTONUP);
                                 break;
                             default:
                                 break;
                         }
                     });
    QObject::connect(&icon_, &QSystemTrayIcon::messageClicked,
                     [this] { deliver(NIN_BALLOONUSERCLICK); });
}

void QtTrayShell::deliver(quint32 message) {
    if (onMessage) {
        onMessage(message, 0);
    }
}

void QtTrayShell::add(const NotifyIconData& data) {
    if (data.uFlags & NIF_ICON) {
        icon_.setIcon(data.hIcon);
    }
    icon_.setToolTip((data.uFlags & NIF_TIP) ? data.szTip : QString());
    icon_.show();
}

void QtTrayShell::modify(const NotifyIconData& data) {
    if (data.uFlags & NIF_ICON) {
        icon_.setIcon(data.hIcon);
    }
    if (data.uFlags & NIF_TIP) {
        icon_.setToolTip(data.szTip);
    }
    if (data.uFlags & NIF_INFO) {
        // An empty balloon takes the last one down; the desktop's own time-out,
        // given with it, already does that.
        if (data.szInfo.isEmpty()) {
            balloon_.reset();
            return;
        }
        balloon_ = Balloon{data.szInfoTitle, data.szInfo, static_cast<int>(data.uTimeout)};
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

void QtTrayShell::remove(const NotifyIconData& /*data*/) {
    icon_.hide();
}

bool QtTrayShell::available() const {
    return QSystemTrayIcon::isSystemTrayAvailable();
}

}  // namespace almanis
