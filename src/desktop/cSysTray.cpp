#include "desktop/cSysTray.h"

namespace almanis {

cSysTray::cSysTray(TrayShell& shell, QObject* parent) : QObject(parent), shell_(shell) {
    shell_.onMessage = [this](quint32 message, quint32 id) { DispatchTrayMessage(message, id); };
}

cSysTray::~cSysTray() {
    setInTray(false);
    shell_.onMessage = nullptr;
}

NotifyIconData cSysTray::record(quint32 flags) const {
    NotifyIconData data;
    data.uID = iconId_;
    data.uFlags = flags;
    return data;
}

void cSysTray::setInTray(bool value) {
    if (value == inTray_) {
        return;
    }
    if (value) {
        NotifyIconData data = record(NIF_MESSAGE);
        data.uCallbackMessage = kTrayCallbackMessage;
        if (!trayIcon_.isNull()) {
            data.hIcon = trayIcon_;
            data.uFlags |= NIF_ICON;
        }
        if (!trayTip_.isEmpty()) {
            data.szTip = trayTip_.left(127);
            data.uFlags |= NIF_TIP;
        }
        shell_.add(data);
        iconAdded_ = true;
    } else if (iconAdded_) {
        shell_.remove(record(0));
        iconAdded_ = false;
    }
    inTray_ = value;
}

void cSysTray::setTrayTip(const QString& text) {
    if (iconAdded_) {
        NotifyIconData data = record(NIF_TIP);
        data.szTip = text.left(127);
        shell_.modify(data);
    }
    trayTip_ = text;
}

void cSysTray::setTrayIcon(const QIcon& icon) {
    if (icon.isNull()) {
        return;
    }
    if (iconAdded_) {
        NotifyIconData data = record(NIF_ICON);
        data.hIcon = icon;
        shell_.modify(data);
    }
    trayIcon_ = icon;
}

void cSysTray::ShowBalloon(const QString& text, const QString& title, int seconds, bool showOnce) {
    if (showOnce && onceShownCount_ >= 1) {
        return;
    }
    NotifyIconData data = record(NIF_INFO);
    data.szInfoTitle = title.left(63);
    data.szInfo = text.left(255);
    if (seconds > 0) {
        data.uTimeout = static_cast<quint32>(seconds) * 1000;
    }
    shell_.modify(data);
    balloonVisible_ = true;
    if (showOnce) {
        ++onceShownCount_;
    }
}

void cSysTray::DispatchTrayMessage(quint32 message, quint32 id) {
    const int icon = static_cast<int>(id);
    switch (message) {
        case WM_MOUSEMOVE: emit MouseMove(icon); break;
        case WM_LBUTTONDOWN: emit MouseDown(1, icon); break;
        case WM_LBUTTONUP: emit MouseUp(1, icon); break;
        case WM_LBUTTONDBLCLK: emit MouseDblClick(1, icon); break;
        case WM_RBUTTONDOWN: emit MouseDown(2, icon); break;
        case WM_RBUTTONUP: emit MouseUp(2, icon); break;
        case WM_RBUTTONDBLCLK: emit MouseDblClick(2, icon); break;
        case NIN_BALLOONHIDE:
        case NIN_BALLOONTIMEOUT:
        case NIN_BALLOONUSERCLICK: balloonVisible_ = false; break;
        default: break;
    }
}

}  // namespace almanis
