#pragma once

#include "sync/Account.h"

#include <QDialog>
#include <memory>
#include <vector>

class QLabel;
class QPushButton;
class QTreeWidget;

namespace almanis {

class SecretRequest;
class SyncStatus;
struct Services;

// "Accounts": the calendar the events are kept in and the address books
// birthdays are read from, with how the syncs went. Adds accounts through
// AddAccountDialog and removes them with their password, asking first.
class AccountsDialog final : public QDialog {
    Q_OBJECT
  public:
    AccountsDialog(Services& services, SyncStatus& status, QWidget* parent = nullptr);
    ~AccountsDialog() override;

    // Reads the accounts file afresh; a file that cannot be read is told in
    // the status line.
    void reload();
    // "Add…" and "Remove".
    void addAccount();
    void removeSelectedAccount();

    // The status line, as shown.
    QString statusLine() const;

  signals:
    // An account was added or removed: a sync is due.
    void accountsChanged();

  private:
    void showStatus();
    void passwordForgotten();

    Services& services_;
    SyncStatus& status_;
    std::vector<Account> accounts_;
    QString readError_;
    QTreeWidget* list_;
    QPushButton* removeButton_;
    QLabel* statusLine_;
    std::unique_ptr<SecretRequest> forgetting_;
};

}  // namespace almanis
