#pragma once

#include "desktop/TrayShell.h"

#include <QMenu>
#include <QSystemTrayIcon>
#include <memory>
#include <optional>

namespace almanis {

// The desktop's tray through QSystemTrayIcon.
class QtTrayShell final : public TrayShell {
    Q_OBJECT
  public:
    explicit QtTrayShell(QObject* parent = nullptr);

    bool isSystemTrayAvailable() const override;
    void setIcon(const QIcon& icon) override;
    void setToolTip(const QString& tip) override;
    void setVisible(bool visible) override;
    void setContextMenu(const QList<QAction*>& actions) override;
    void showMessage(const QString& title, const QString& message, int milliseconds) override;

  private:
    struct Message {
        QString title;
        QString text;
        int milliseconds = 0;
    };

    void showWhenPlaced();

    QSystemTrayIcon icon_;
    std::unique_ptr<QMenu> menu_;
    std::optional<Message> message_;
    int placeWaits_ = 0;
};

}  // namespace almanis
