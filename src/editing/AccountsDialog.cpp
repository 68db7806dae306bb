#include "editing/AccountsDialog.h"

#include "core/AppError.h"
#include "core/AppTitle.h"
#include "core/Clock.h"
#include "core/Ui.h"
#include "editing/AddAccountDialog.h"
#include "sync/AccountBook.h"
#include "sync/SecretStore.h"
#include "sync/SyncStatus.h"
#include "widgets/Design.h"
#include "widgets/Services.h"

#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QTreeWidget>
#include <QVBoxLayout>
#include <algorithm>

namespace almanis {

AccountsDialog::AccountsDialog(Services& services, SyncStatus& status, QWidget* parent)
    : QDialog(parent), services_(services), status_(status) {
    setObjectName(QStringLiteral("Accounts"));
    setWindowTitle(tr("Accounts"));
    setFont(windowFont());

    list_ = new QTreeWidget(this);
    list_->setObjectName(QStringLiteral("accountList"));
    list_->setRootIsDecorated(false);
    list_->setHeaderLabels({tr("Name"), tr("Kind"), tr("User"), tr("Address")});
    list_->header()->setStretchLastSection(true);
    // Sized to their contents, but never narrower than a short name.
    list_->header()->setMinimumSectionSize(px(1000));
    auto* listLabel = new QLabel(tr("&Calendar and address books:"), this);
    listLabel->setObjectName(QStringLiteral("accountListLabel"));
    listLabel->setBuddy(list_);
    list_->setAccessibleName(withoutMnemonic(listLabel->text()).chopped(1));
    statusLine_ = new QLabel(this);
    statusLine_->setObjectName(QStringLiteral("syncStatus"));
    statusLine_->setWordWrap(true);
    statusLine_->setTextFormat(Qt::PlainText);

    auto* addButton = new QPushButton(tr("&Add…"), this);
    addButton->setObjectName(QStringLiteral("addAccountsButton"));
    removeButton_ = new QPushButton(tr("&Remove"), this);
    removeButton_->setObjectName(QStringLiteral("removeAccountButton"));
    auto* closeButton = new QPushButton(tr("C&lose"), this);
    closeButton->setObjectName(QStringLiteral("closeAccountsButton"));
    closeButton->setDefault(true);
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(addButton);
    buttons->addWidget(removeButton_);
    buttons->addStretch();
    buttons->addWidget(closeButton);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(listLabel);
    layout->addWidget(list_);
    layout->addWidget(statusLine_);
    layout->addLayout(buttons);
    resize(px(8400), px(4200));

    connect(addButton, &QPushButton::clicked, this, &AccountsDialog::addAccount);
    connect(removeButton_, &QPushButton::clicked, this, &AccountsDialog::removeSelectedAccount);
    connect(closeButton, &QPushButton::clicked, this, &QDialog::accept);
    connect(list_, &QTreeWidget::itemSelectionChanged, this,
            [this] { removeButton_->setEnabled(!list_->selectedItems().isEmpty()); });
    connect(&status_, &SyncStatus::changed, this, &AccountsDialog::showStatus);
    reload();
}

AccountsDialog::~AccountsDialog() = default;

QString AccountsDialog::statusLine() const {
    return statusLine_->text();
}

void AccountsDialog::reload() {
    readError_.clear();
    try {
        accounts_ = AccountBook().read();
    } catch (const AppError& e) {
        accounts_.clear();
        readError_ = e.description();
    }
    list_->clear();
    for (const Account& account : accounts_) {
        auto* item = new QTreeWidgetItem(
            list_, {account.name.isEmpty() ? account.url.path() : account.name,
                    kindText(account.kind), account.user, account.url.toDisplayString()});
        item->setToolTip(3, account.url.toDisplayString());
    }
    for (int column = 0; column < 3; ++column) {
        list_->resizeColumnToContents(column);
    }
    if (!accounts_.empty()) {
        list_->setCurrentItem(list_->topLevelItem(0));
    }
    removeButton_->setEnabled(!list_->selectedItems().isEmpty());
    showStatus();
}

void AccountsDialog::showStatus() {
    if (!readError_.isEmpty()) {
        statusLine_->setText(readError_);
    } else if (accounts_.empty()) {
        statusLine_->setText(
            tr("No accounts yet: add the calendar to keep the events in on "
               "every computer, and the address books to read birthdays from."));
    } else {
        statusLine_->setText(statusText(status_.status(), services_.clock.now()));
    }
}

void AccountsDialog::addAccount() {
    const bool calendarKept =
        std::any_of(accounts_.cbegin(), accounts_.cend(),
                    [](const Account& a) { return a.kind == CollectionKind::Calendar; });
    AddAccountDialog adding(services_, calendarKept, this);
    services_.ui.showModal(adding, this);
    if (!adding.added().empty()) {
        reload();
        emit accountsChanged();
    }
}

void AccountsDialog::removeSelectedAccount() {
    const int row = list_->indexOfTopLevelItem(list_->currentItem());
    if (row < 0 || row >= int(accounts_.size())) {
        return;
    }
    const Account account = accounts_[size_t(row)];
    const QString name = account.name.isEmpty() ? account.url.path() : account.name;
    const QString question =
        account.kind == CollectionKind::Calendar
            ? tr("Remove the calendar \"%1\"?\r\nThe events stay here and on the server; they "
                 "are no longer synced.")
                  .arg(name)
            : tr("Remove the address book \"%1\"?\r\nIts birthdays leave the list; nothing on "
                 "the server changes.")
                  .arg(name);
    if (!services_.ui.askYesNo(question, tr("Accounts"))) {
        return;
    }
    try {
        AccountBook book;
        if (book.remove(account.url)) {
            forgetting_.reset(forgetPassword(account, book.read(), services_.secrets));
        }
    } catch (const AppError& e) {
        services_.ui.inform(tr("The account could not be removed: %1").arg(e.description()),
                            appTitle());
    }
    if (forgetting_) {
        connect(forgetting_.get(), &SecretRequest::finished, this,
                &AccountsDialog::passwordForgotten);
    }
    reload();
    emit accountsChanged();
}

void AccountsDialog::passwordForgotten() {
    const std::unique_ptr<SecretRequest> done = std::move(forgetting_);
    done.get()->disconnect(this);
    if (!done->error().isEmpty()) {
        services_.ui.inform(tr("The account is removed, but its password could not be removed "
                               "from the desktop's secret store: %1")
                                .arg(done->error()),
                            appTitle());
    }
}

}  // namespace almanis
