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

TrayIcon::TrayIcon(TrayShell& shell, QObject* parent) : QObject(parent), shell_(shell) {
    connect(&shell_, &TrayShell::activated, this, &TrayIcon::iconActivated);
    connect(&shell_, &TrayShell::messageClicked, this, &TrayIcon::balloonClicked);
}

TrayIcon::~TrayIcon() {
    setInTray(false);
}

void TrayIcon::setInTray(bool inTray) {
    if (inTray == inTray_) {
        return;
    }
    if (inTray) {
        if (!icon_.isNull()) {
            shell_.setIcon(icon_);
        }
        shell_.setToolTip(cutText(tip_, kTipLength));
    }
    shell_.setVisible(inTray);
    inTray_ = inTray;
}

void TrayIcon::setTip(const QString& text) {
    if (inTray_) {
        shell_.setToolTip(cutText(text, kTipLength));
    }
    tip_ = text;
}

void TrayIcon::setIcon(const QIcon& icon) {
    if (icon.isNull()) {
        return;
    }
    if (inTray_) {
        shell_.setIcon(icon);
    }
    icon_ = icon;
}

void TrayIcon::setIcon(const QPixmap& /*bitmap*/) {}

void TrayIcon::setIcon(const QImage& /*bitmap*/) {}

void TrayIcon::showBalloon(const QString& text, const QString& title, int seconds, bool showOnce) {
    if (showOnce && onceShownCount_ >= 1) {
        return;
    }
    if (seconds > kMaxBalloonSeconds) {
        throw AppError(tr("Overflow"));
    }
    shell_.showMessage(cutText(title, kBalloonTitleLength), cutText(text, kBalloonTextLength),
                       seconds > 0 ? seconds * 1000 : 0);
    balloonVisible_ = true;
    if (showOnce) {
        ++onceShownCount_;
    }
    if (seconds > 0) {
        waitForBalloon(seconds);
    }
}

void TrayIcon::waitForBalloon(int seconds) {
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

void TrayIcon::balloonClicked() {
    balloonVisible_ = false;
    if (balloonWait_) {
        balloonWait_->quit();
    }
}

void TrayIcon::iconActivated(TrayShell::Activation reason) {
    if (reason == TrayShell::Activation::Trigger || reason == TrayShell::Activation::DoubleClick) {
        emit clicked();
    }
}

}  // namespace almanis
