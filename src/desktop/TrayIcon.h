#pragma once

#include "desktop/TrayShell.h"

#include <QIcon>
#include <QObject>
#include <chrono>

class QEventLoop;
class QImage;
class QPixmap;

namespace almanis {

// One icon in the notification area with its tooltip and picture, balloons
// from it, and what the user does with it turned into signals.
class TrayIcon final : public QObject {
    Q_OBJECT
  public:
    // Texts longer than these are cut in what the shell gets.
    static constexpr int kTipLength = 127;
    static constexpr int kBalloonTextLength = 255;
    static constexpr int kBalloonTitleLength = 63;
    // Above this the time-out in milliseconds no longer fits its 32-bit field.
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
    // events run, until the balloon goes away or the seconds have passed, and then
    // takes the balloon down itself. With `showOnce` it shows one balloon per run of
    // the icon. A time-out above kMaxBalloonSeconds throws AppError before
    // anything is shown.
    void showBalloon(const QString& text, const QString& title, int seconds, bool showOnce);

    // Turns what the shell reports into the signals below.
    void dispatch(TrayEvent event, quint32 iconId);

    bool iconAdded() const { return iconAdded_; }
    quint32 iconId() const { return iconId_; }
    bool balloonVisible() const { return balloonVisible_; }
    int onceShownCount() const { return onceShownCount_; }

    // How long one second of the balloon wait lasts (tests shorten it).
    void setBalloonSecond(std::chrono::milliseconds length) { balloonSecond_ = length; }

  signals:
    void mouseMoved(quint32 iconId);
    void mousePressed(Qt::MouseButton button, quint32 iconId);
    void mouseReleased(Qt::MouseButton button, quint32 iconId);
    void mouseDoubleClicked(Qt::MouseButton button, quint32 iconId);

  private:
    TrayRequest request(TrayFields fields) const;
    void addIcon();
    void setBalloonVisible(bool visible);
    void waitForBalloon(int seconds);

    TrayShell& shell_;
    bool inTray_ = false;
    bool iconAdded_ = false;
    const quint32 iconId_ = 0;
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
