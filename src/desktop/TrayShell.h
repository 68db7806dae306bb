#pragma once

#include <QIcon>
#include <QString>
#include <functional>

namespace almanis {

// Validity flags of a notify-icon record.
enum NotifyIconFlag : quint32 { NIF_MESSAGE = 1, NIF_ICON = 2, NIF_TIP = 4, NIF_INFO = 16 };

// The message the shell sends about activity on the icon.
inline constexpr quint32 kTrayCallbackMessage = 1125;

// Mouse and balloon messages delivered with the callback message.
enum TrayMessage : quint32 {
    WM_MOUSEMOVE = 0x200,
    WM_LBUTTONDOWN = 0x201,
    WM_LBUTTONUP = 0x202,
    WM_LBUTTONDBLCLK = 0x203,
    WM_RBUTTONDOWN = 0x204,
    WM_RBUTTONUP = 0x205,
    WM_RBUTTONDBLCLK = 0x206,
    NIN_BALLOONSHOW = 0x402,
    NIN_BALLOONHIDE = 0x403,
    NIN_BALLOONTIMEOUT = 0x404,
    NIN_BALLOONUSERCLICK = 0x405,
};

// One request to the tray: the fields that the operation uses, the rest empty.
struct NotifyIconData {
    quint32 uID = 0;
    quint32 uFlags = 0;
    quint32 uCallbackMessage = 0;
    QIcon hIcon;
    QString szTip;        // at most 127 characters
    QString szInfo;       // at most 255 characters
    quint32 uTimeout = 0; // milliseconds
    QString szInfoTitle;  // at most 63 characters
};

// The desktop's notification area.
class TrayShell {
public:
    virtual ~TrayShell() = default;
    virtual void add(const NotifyIconData& data) = 0;
    virtual void modify(const NotifyIconData& data) = 0;
    virtual void remove(const NotifyIconData& data) = 0;
    // False on desktops without a tray host.
    virtual bool available() const = 0;

    // Set by the tray icon control: the shell calls it with a mouse or balloon
    // message (lParam) and the icon's id (wParam).
    std::function<void(quint32 message, quint32 id)> onMessage;
};

}  // namespace almanis
