#pragma once

#include "sync/Account.h"
#include "sync/Collection.h"

#include <QDialog>
#include <memory>
#include <vector>

class QLabel;
class QLineEdit;
class QListWidget;
class QListWidgetItem;
class QPushButton;

namespace almanis {

class CollectionDiscovery;
class DavClient;
class SecretRequest;
struct Services;

// Adds accounts: the calendars and address books found at a server's or a
// collection's address with the user's name and password are offered, and
// those ticked are kept (the calendar the events are kept in, at most one;
// any number of address books), the password in the desktop's secret store.
// The window never waits: finding and keeping run from the event loop, and
// what goes wrong is told in the dialog, in words.
class AddAccountDialog final : public QDialog {
    Q_OBJECT
  public:
    // `calendarKept`: the events are kept in a calendar already, so no other
    // is offered.
    AddAccountDialog(Services& services, bool calendarKept, QWidget* parent = nullptr);
    ~AddAccountDialog() override;

    // "Find": looks for the collections at the address, as the user.
    void find();
    // "Add": keeps the password and the accounts ticked, then closes.
    void add();

    // The line that tells what is going on or what went wrong.
    QString message() const;
    // The accounts kept by add(); none before.
    const std::vector<Account>& added() const { return added_; }

  signals:
    // find() has found what there is, or failed.
    void found();
    // add() has ended, with the dialog closed or the reason told.
    void addFinished();

  private:
    void discoveryFinished();
    void itemTicked(QListWidgetItem* item);
    std::vector<Collection> ticked() const;
    void updateButtons();
    void tell(const QString& text);

    Services& services_;
    bool calendarKept_;
    QLineEdit* address_;
    QLineEdit* user_;
    QLineEdit* password_;
    QPushButton* findButton_;
    QListWidget* found_;
    QLabel* message_;
    QPushButton* addButton_;
    std::unique_ptr<DavClient> client_;
    std::unique_ptr<CollectionDiscovery> discovery_;
    std::vector<Collection> collections_;
    QString foundFor_;  // the user the collections were found as
    std::unique_ptr<SecretRequest> keeping_;
    std::vector<Account> added_;
};

}  // namespace almanis
