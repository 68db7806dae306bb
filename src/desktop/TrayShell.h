#pragma once

#include <QIcon>
#include <QList>
#include <QObject>
#include <QString>

class QAction;

namespace almanis {

// The desktop's notification area, in the terms of QSystemTrayIcon: one icon
// with a tooltip and a context menu, balloon messages from it, and what the
// user does with it.
class TrayShell : public QObject {
    Q_OBJECT
  public:
    // Why the icon was activated, with the values of
    // QSystemTrayIcon::ActivationReason.
    enum class Activation {
        Unknown = 0,
        Context = 1,
        DoubleClick = 2,
        Trigger = 3,
        MiddleClick = 4
    };
    Q_ENUM(Activation)

    using QObject::QObject;

    // False on desktops without a tray host.
    virtual bool isSystemTrayAvailable() const = 0;
    virtual void setIcon(const QIcon& icon) = 0;
    // An empty tip shows none.
    virtual void setToolTip(const QString& tip) = 0;
    virtual void setVisible(bool visible) = 0;
    // The icon's context menu, these actions in this order; the right button
    // opens it.
    virtual void setContextMenu(const QList<QAction*>& actions) = 0;
    // Shows a balloon from the icon for about `milliseconds`; 0 leaves the
    // time to the desktop.
    virtual void showMessage(const QString& title, const QString& message, int milliseconds) = 0;

  signals:
    void activated(almanis::TrayShell::Activation reason);
    void messageClicked();
};

}  // namespace almanis
