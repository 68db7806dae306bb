#pragma once

#include "desktop/TrayShell.h"

#include <QIcon>
#include <QObject>
#include <chrono>

class QEventLoop;
class QImage;
class QPixmap;

namespace almanis {

// The tray icon control: one icon in the notification area with its tooltip
// and picture, balloons from it, and its mouse activity turned into events.
// There is no designer, so the control always behaves as in the running program.
class cSysTray final : public QObject {
    Q_OBJECT
  public:
    // Texts longer than these are cut in what the shell gets.
    static constexpr int kTipLength = 127;
    static constexpr int kInfoLength = 255;
    static constexpr int kTitleLength = 63;
    // Above this the time-out in milliseconds no longer fits its 32-bit field.
    static constexpr int kMaxBalloonSeconds = 2147483;

    explicit cSysTray(TrayShell& shell, QObject* parent = nullptr);
    ~cSysTray() override;

    // True puts the icon into the tray, False takes it out; writing the value it
    // already has does nothing.
    bool InTray() const { return inTray_; }
    void setInTray(bool value);

    const QString& TrayTip() const { return trayTip_; }
    void setTrayTip(const QString& text);

    // Only an icon is taken: a null icon is ignored, and so is any bitmap, which
    // leaves the tray and the property with the icon they had.
    const QIcon& TrayIcon() const { return trayIcon_; }
    void setTrayIcon(const QIcon& icon);
    void setTrayIcon(const QPixmap& bitmap);
    void setTrayIcon(const QImage& bitmap);

    // Shows a balloon from the icon. With a time-out above 0 it waits, letting
    // events run, until the balloon goes away or the seconds have passed, and then
    // takes the balloon down itself. With `showOnce` it shows one balloon per run of
    // the control. A time-out above kMaxBalloonSeconds throws AppError before
    // anything is shown.
    void ShowBalloon(const QString& text, const QString& title, int seconds, bool showOnce);

    // Routes a message from the shell to the events below.
    void DispatchTrayMessage(quint32 message, quint32 id);

    bool IconAdded() const { return iconAdded_; }
    quint32 IconID() const { return iconId_; }
    bool BalloonVisible() const { return balloonVisible_; }
    int OnceShownCount() const { return onceShownCount_; }

    // How long one second of the balloon wait lasts (tests shorten it).
    void setBalloonSecond(std::chrono::milliseconds length) { balloonSecond_ = length; }

  signals:
    void MouseMove(int id);
    void MouseDown(int button, int id);
    void MouseUp(int button, int id);
    void MouseDblClick(int button, int id);

  private:
    NotifyIconData record(quint32 flags) const;
    void AddIcon();
    void setBalloonVisible(bool visible);
    void waitForBalloon(int seconds);

    TrayShell& shell_;
    bool inTray_ = false;
    bool iconAdded_ = false;
    const quint32 iconId_ = 0;
    QString trayTip_ = QStringLiteral("Telnet Server");
    QIcon trayIcon_;
    bool balloonVisible_ = false;
    int onceShownCount_ = 0;
    std::chrono::milliseconds balloonSecond_{1000};
    QEventLoop* balloonWait_ = nullptr;
};

// The first `length` characters of `text`, never ending in half a surrogate pair.
QString cutText(const QString& text, int length);

}  // namespace almanis
