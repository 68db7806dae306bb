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
    shell_.onEvent = [this](TrayEvent event, quint32 iconId) { dispatch(event, iconId); };
}

TrayIcon::~TrayIcon() {
    setInTray(false);
    shell_.onEvent = nullptr;
}

TrayRequest TrayIcon::request(TrayFields fields) const {
    TrayRequest request;
    request.iconId = iconId_;
    request.fields = fields;
    return request;
}

void TrayIcon::addIcon() {
    TrayRequest add = request({});
    if (!icon_.isNull()) {
        add.icon = icon_;
        add.fields |= TrayField::Icon;
    }
    if (!tip_.isEmpty()) {
        add.tip = cutText(tip_, kTipLength);
        add.fields |= TrayField::Tip;
    }
    add.fields |= TrayField::Events;
    shell_.add(add);
}

void TrayIcon::setInTray(bool inTray) {
    if (inTray == inTray_) {
        return;
    }
    if (inTray) {
        addIcon();
        iconAdded_ = true;
    } else if (iconAdded_) {
        shell_.remove(request({}));
        iconAdded_ = false;
    }
    inTray_ = inTray;
}

void TrayIcon::setTip(const QString& text) {
    if (iconAdded_) {
        TrayRequest modify = request(TrayField::Tip);
        modify.tip = cutText(text, kTipLength);
        shell_.modify(modify);
    }
    tip_ = text;
}

void TrayIcon::setIcon(const QIcon& icon) {
    if (icon.isNull()) {
        return;
    }
    if (iconAdded_) {
        TrayRequest modify = request(TrayField::Icon);
        modify.icon = icon;
        shell_.modify(modify);
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
        throw AppError(QStringLiteral("Overflow"));
    }
    TrayRequest balloon = request(TrayField::Balloon);
    balloon.balloonTitle = cutText(title, kBalloonTitleLength);
    balloon.balloonText = cutText(text, kBalloonTextLength);
    if (seconds > 0) {
        balloon.balloonTimeoutMs = static_cast<quint32>(seconds) * 1000U;
    }
    shell_.modify(balloon);
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
        TrayRequest takeDown = balloon;
        takeDown.balloonText.clear();
        takeDown.balloonTitle.clear();
        shell_.modify(takeDown);
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

void TrayIcon::setBalloonVisible(bool visible) {
    balloonVisible_ = visible;
    if (!visible && balloonWait_) {
        balloonWait_->quit();
    }
}

void TrayIcon::dispatch(TrayEvent event, quint32 iconId) {
    switch (event) {
        case TrayEvent::MouseMove:
            emit mouseMoved(iconId);
            break;
        case TrayEvent::LeftButtonDown:
            emit mousePressed(Qt::LeftButton, iconId);
            break;
        case TrayEvent::LeftButtonUp:
            emit mouseReleased(Qt::LeftButton, iconId);
            break;
        case TrayEvent::LeftDoubleClick:
            emit mouseDoubleClicked(Qt::LeftButton, iconId);
            break;
        case TrayEvent::RightButtonDown:
            emit mousePressed(Qt::RightButton, iconId);
            break;
        case TrayEvent::RightButtonUp:
            emit mouseReleased(Qt::RightButton, iconId);
            break;
        case TrayEvent::RightDoubleClick:
            emit mouseDoubleClicked(Qt::RightButton, iconId);
            break;
        case TrayEvent::BalloonHidden:
        case TrayEvent::BalloonTimedOut:
        case TrayEvent::BalloonClicked:
            setBalloonVisible(false);
            break;
        case TrayEvent::BalloonShown:
            break;
    }
}

}  // namespace almanis
