#pragma once

#include "desktop/TrayShell.h"

#include <QMenu>
#include <QSystemTrayIcon>
#include <memory>
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
    void setMenu(const QList<TrayMenuEntry>& entries) override;

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
    std::unique_ptr<QMenu> menu_;
    std::optional<Balloon> balloon_;
    int placeWaits_ = 0;
};

}  // namespace almanis
