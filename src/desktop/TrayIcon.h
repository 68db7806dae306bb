#pragma once

#include "desktop/TrayShell.h"

#include <QIcon>
#include <QObject>
#include <chrono>

class QEventLoop;
class QImage;
class QPixmap;

namespace almanis {

// The program's icon in the notification area: in the tray or not, its
// tooltip and picture, balloons from it, and a click on it as a signal.
class TrayIcon final : public QObject {
    Q_OBJECT
  public:
    // Texts longer than these are cut in what the shell gets.
    static constexpr int kTipLength = 127;
    static constexpr int kBalloonTextLength = 255;
    static constexpr int kBalloonTitleLength = 63;
    // Above this the time-out in milliseconds no longer fits an int.
    static constexpr int kMaxBalloonSeconds = 2147483;

    explicit TrayIcon(TrayShell& shell, QObject* parent = nullptr);
    ~TrayIcon() override;

    // True puts the icon into the tray, false takes it out; setting the value it
    // already has does nothing.
    bool inTray() const { return inTray_; }
    void setInTray(bool inTray);

    const QString& tip() const { return tip_; }
    void setTip(const QString& text);

    // Only an icon is taken: a null icon is ignored, and so is any bitmap, which
    // leaves the tray and the property with the icon they had.
    const QIcon& icon() const { return icon_; }
    void setIcon(const QIcon& icon);
    void setIcon(const QPixmap& bitmap);
    void setIcon(const QImage& bitmap);

    // Shows a balloon from the icon. With a time-out above 0 it waits, letting
    // events run, until the balloon is clicked or the seconds have passed; the
    // desktop takes the balloon down after them. With `showOnce` it shows one
    // balloon per run of the icon. A time-out above kMaxBalloonSeconds throws
    // AppError before anything is shown.
    void showBalloon(const QString& text, const QString& title, int seconds, bool showOnce);

    bool balloonVisible() const { return balloonVisible_; }
    int onceShownCount() const { return onceShownCount_; }

    // How long one second of the balloon wait lasts (tests shorten it).
    void setBalloonSecond(std::chrono::milliseconds length) { balloonSecond_ = length; }

  signals:
    // The user clicked the icon, once or twice; the other button opens the
    // icon's menu instead.
    void clicked();

  private:
    void iconActivated(TrayShell::Activation reason);
    void balloonClicked();
    void waitForBalloon(int seconds);

    TrayShell& shell_;
    bool inTray_ = false;
    QString tip_ = QStringLiteral("Telnet Server");
    QIcon icon_;
    bool balloonVisible_ = false;
    int onceShownCount_ = 0;
    std::chrono::milliseconds balloonSecond_{1000};
    QEventLoop* balloonWait_ = nullptr;
};

// The first `length` characters of `text`, never ending in half a surrogate pair.
QString cutText(const QString& text, int length);

}  // namespace almanis
