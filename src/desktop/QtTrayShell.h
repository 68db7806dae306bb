#pragma once

#include "desktop/TrayShell.h"

#include <QSystemTrayIcon>

namespace almanis {

// The desktop's tray through QSystemTrayIcon.
class QtTrayShell final : public TrayShell {
public:
    QtTrayShell();
    void add(const NotifyIconData& data) override;
    void modify(const NotifyIconData& data) override;
    void remove(const NotifyIconData& data) override;
    bool available() const override;

private:
    void deliver(quint32 message);

    QSystemTrayIcon icon_;
};

}  // namespace almanis
