#pragma once

#include "desktop/TrayShell.h"

#include <QIcon>
#include <QObject>

namespace almanis {

// The tray icon control: one icon in the notification area with its tooltip
// and picture, balloons from it, and its mouse activity turned into events.
class cSysTray final : public QObject {
    Q_OBJECT
public:
    explicit cSysTray(TrayShell& shell, QObject* parent = nullptr);
    ~cSysTray() override;

    bool InTray() const { return inTray_; }
    void setInTray(bool value);

    const QString& TrayTip() const { return trayTip_; }
    void setTrayTip(const QString& text);

    const QIcon& TrayIcon() const { return trayIcon_; }
    void setTrayIcon(const QIcon& icon);

    void ShowBalloon(const QString& text, const QString& title, int seconds, bool showOnce);

    // Routes a message from the shell to the events below.
    void DispatchTrayMessage(quint32 message, quint32 id);

    bool IconAdded() const { return iconAdded_; }
    bool BalloonVisible() const { return balloonVisible_; }
    int OnceShownCount() const { return onceShownCount_; }

signals:
    void MouseMove(int id);
    void MouseDown(int button, int id);
    void MouseUp(int button, int id);
    void MouseDblClick(int button, int id);

private:
    NotifyIconData record(quint32 flags) const;

    TrayShell& shell_;
    bool inTray_ = false;
    bool iconAdded_ = false;
    quint32 iconId_ = 0;
    QString trayTip_ = QStringLiteral("Telnet Server");
    QIcon trayIcon_;
    bool balloonVisible_ = false;
    int onceShownCount_ = 0;
};

}  // namespace almanis
