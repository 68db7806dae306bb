#pragma once

#include "desktop/TrayShell.h"

#include <QSystemTrayIcon>
#include <optional>

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
    struct Balloon {
        QString title;
        QString text;
        int milliseconds = 0;
    };

    void deliver(quint32 message);
    void showBalloon();

    QSystemTrayIcon icon_;
    std::optional<Balloon> balloon_;
    int placeWaits_ = 0;
};

}  // namespace almanis
