#include "desktop/QtTrayShell.h"

namespace almanis {

QtTrayShell::QtTrayShell() {
    QObject::connect(&icon_, &QSystemTrayIcon::activated, [this](QSystemTrayIcon::ActivationReason reason) {
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
    QObject::connect(&icon_, &QSystemTrayIcon::messageClicked, [this] { deliver(NIN_BALLOONUSERCLICK); });
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
    if ((data.uFlags & NIF_INFO) && !data.szInfo.isEmpty()) {
        icon_.showMessage(data.szInfoTitle, data.szInfo, QSystemTrayIcon::NoIcon,
                          static_cast<int>(data.uTimeout));
    }
}

void QtTrayShell::remove(const NotifyIconData& /*data*/) {
    icon_.hide();
}

bool QtTrayShell::available() const {
    return QSystemTrayIcon::isSystemTrayAvailable();
}

}  // namespace almanis
