#pragma once

#include "desktop/TrayShell.h"

#include <QSystemTrayIcon>
#include <optional>

namespace almanis {

// The desktop's tray through QSystemTrayIcon.
class QtTrayShell final : public TrayShell {
  public:
    QtTrayShell();
    void add(const TrayRequest& request) override;
    void modify(const TrayRequest& request) override;
    void remove(const TrayRequest& request) override;
    bool available() const override;

  private:
    struct Balloon {
        QString title;
        QString text;
        int milliseconds = 0;
    };

    void activated(QSystemTrayIcon::ActivationReason reason);
    void deliver(TrayEvent event);
    void showBalloon();

    QSystemTrayIcon icon_;
    std::optional<Balloon> balloon_;
    int placeWaits_ = 0;
};

}  // namespace almanis
