#pragma once

#include <QFlags>
#include <QIcon>
#include <QList>
#include <QString>
#include <functional>

namespace almanis {

// The fields a request to the tray carries.
enum class TrayField : quint32 {
    Events = 0x1,  // the icon reports what the user does with it
    Icon = 0x2,
    Tip = 0x4,
    Balloon = 0x10,
};
Q_DECLARE_FLAGS(TrayFields, TrayField)
Q_DECLARE_OPERATORS_FOR_FLAGS(TrayFields)

// What the user does with the icon or its balloon, as the tray reports it.
enum class TrayEvent {
    MouseMove,
    LeftButtonDown,
    LeftButtonUp,
    LeftDoubleClick,
    RightButtonDown,
    RightButtonUp,
    RightDoubleClick,
    BalloonShown,
    BalloonHidden,
    BalloonTimedOut,
    BalloonClicked,
};

// One request to the tray: the fields that the operation uses, the rest empty.
struct TrayRequest {
    quint32 iconId = 0;
    TrayFields fields;
    QIcon icon;
    QString tip;           // at most 127 characters
    QString balloonText;   // at most 255 characters
    QString balloonTitle;  // at most 63 characters
    quint32 balloonTimeoutMs = 0;
};

// One entry of the icon's context menu.
struct TrayMenuEntry {
    QString text;
    std::function<void()> triggered;
};

// The desktop's notification area.
class TrayShell {
  public:
    virtual ~TrayShell() = default;
    virtual void add(const TrayRequest& request) = 0;
    virtual void modify(const TrayRequest& request) = 0;
    virtual void remove(const TrayRequest& request) = 0;
    // False on desktops without a tray host.
    virtual bool available() const = 0;
    // The icon's context menu; while it has one, the right button opens the
    // menu instead of being reported.
    virtual void setMenu(const QList<TrayMenuEntry>& entries) = 0;

    // Set by the tray icon: the shell calls it with what the user did and the
    // icon's id.
    std::function<void(TrayEvent event, quint32 iconId)> onEvent;
};

}  // namespace almanis
