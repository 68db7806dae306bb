#include "desktop/TrayIcon.h"

#include "core/AppError.h"

#include <QEventLoop>
#include <QTimer>

namespace almanis {

QString cutText(const QString& text, int length) {
    if (text.size() <= length) {
        return text;
    }
    int cut = length;
    if (cut > 0 && text.at(cut - 1).isHighSurrogate()) {
        --cut;
    }
    return text.left(cut);
}

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

void cSysTray::AddIcon() {
    NotifyIconData data = record(0);
    if (!trayIcon_.isNull()) {
        data.hIcon = trayIcon_;
        data.uFlags |= NIF_ICON;
    }
    if (!trayTip_.isEmpty()) {
        data.szTip = cutText(trayTip_, kTipLength);
        data.uFlags |= NIF_TIP;
    }
    data.uFlags |= NIF_MESSAGE;
    data.uCallbackMessage = kTrayCallbackMessage;
    shell_.add(data);
}

void cSysTray::setInTray(bool value) {
    if (value == inTray_) {
        return;
    }
    if (value) {
        AddIcon();
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
        data.szTip = cutText(text, kTipLength);
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

void cSysTray::setTrayIcon(const QPixmap& /*bitmap*/) {}

void cSysTray::setTrayIcon(const QImage& /*bitmap*/) {}

void cSysTray::ShowBalloon(const QString& text, const QString& title, int seconds, bool showOnce) {
    if (showOnce && onceShownCount_ >= 1) {
        return;
    }
    if (seconds > kMaxBalloonSeconds) {
        throw AppError(QStringLiteral("Overflow"));
    }
    NotifyIconData data = record(NIF_INFO);
    data.szInfoTitle = cutText(title, kTitleLength);
    data.szInfo = cutText(text, kInfoLength);
    if (seconds > 0) {
        data.uTimeout = static_cast<quint32>(seconds) * 1000U;
    }
    shell_.modify(data);
    balloonVisible_ = true;
    if (showOnce) {
        ++onceShownCount_;
    }
    if (seconds <= 0) {
        // The shell's own time-out takes it down.
        return;
    }
    waitForBalloon(seconds);
    if (balloonVisible_) {
        NotifyIconData takeDown = data;
        takeDown.szInfo.clear();
        takeDown.szInfoTitle.clear();
        shell_.modify(takeDown);
    }
}

void cSysTray::waitForBalloon(int seconds) {
    // Sleeping in an event loop rather than polling: the window and the tray stay
    // responsive, timers tick, and no processor is kept busy meanwhile.
    QEventLoop loop;
    QTimer timer;
    timer.setSingleShot(true);
    timer.setTimerType(Qt::CoarseTimer);
    QObject::connect(&timer, &QTimer::timeout, &loop, &QEventLoop::quit);
    const auto length = balloonSecond_ * static_cast<qint64>(seconds);
    timer.start(length);
    QEventLoop* outer = balloonWait_;
    balloonWait_ = &loop;
    // A message that arrived before the wait began has already ended it.
    if (balloonVisible_) {
        loop.exec();
    }
    balloonWait_ = outer;
    // The balloon that ended this wait ends the one this wait ran inside too.
    if (!balloonVisible_ && outer) {
        outer->quit();
    }
}

void cSysTray::setBalloonVisible(bool visible) {
    balloonVisible_ = visible;
    if (!visible && balloonWait_) {
        balloonWait_->quit();
    }
}

void cSysTray::DispatchTrayMessage(quint32 message, quint32 id) {
    const int icon = static_cast<int>(id);
    switch (message) {
        case WM_MOUSEMOVE:
            emit MouseMove(icon);
            break;
        case WM_LBUTTONDOWN:
            emit MouseDown(1, icon);
            break;
        case WM_LBUTTONUP:
            emit MouseUp(1, icon);
            break;
        case WM_LBUTTONDBLCLK:
            emit MouseDblClick(1, icon);
            break;
        case WM_RBUTTONDOWN:
            emit MouseDown(2, icon);
            break;
        case WM_RBUTTONUP:
            emit MouseUp(2, icon);
            break;
        case WM_RBUTTONDBLCLK:
            emit MouseDblClick(2, icon);
            break;
        case NIN_BALLOONHIDE:
        case NIN_BALLOONTIMEOUT:
        case NIN_BALLOONUSERCLICK:
            setBalloonVisible(false);
            break;
        default:
            break;
    }
}

}  // namespace almanis
