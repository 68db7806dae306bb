#include "editing/AddAccountDialog.h"

#include "core/AppError.h"
#include "sync/AccountBook.h"
#include "sync/CollectionDiscovery.h"
#include "sync/DavClient.h"
#include "sync/SecretStore.h"
#include "sync/ServerAddress.h"
#include "widgets/Design.h"
#include "widgets/Services.h"

#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QVBoxLayout>

namespace almanis {

namespace {
constexpr int kCollectionRole = Qt::UserRole;

}  // namespace

AddAccountDialog::AddAccountDialog(Services& services, bool calendarKept, QWidget* parent)
    : QDialog(parent), services_(services), calendarKept_(calendarKept) {
    setObjectName(QStringLiteral("AddAccount"));
    setWindowTitle(tr("Add Account"));
    setFont(windowFont());

    address_ = new QLineEdit(this);
    address_->setObjectName(QStringLiteral("accountAddress"));
    address_->setPlaceholderText(QStringLiteral("https://dav.example.com/"));
    user_ = new QLineEdit(this);
    user_->setObjectName(QStringLiteral("accountUser"));
    password_ = new QLineEdit(this);
    password_->setObjectName(QStringLiteral("accountPassword"));
    password_->setEchoMode(QLineEdit::Password);
    auto* form = new QFormLayout;
    const auto addRow = [&](const char* name, const QString& caption, QLineEdit* field) {
        auto* label = new QLabel(caption, this);
        label->setObjectName(QLatin1String(name));
        label->setBuddy(field);
        form->addRow(label, field);
    };
    addRow("accountAddressLabel", tr("Server or collection &address:"), address_);
    addRow("accountUserLabel", tr("&User name:"), user_);
    addRow("accountPasswordLabel", tr("&Password:"), password_);

    findButton_ = new QPushButton(tr("&Find Calendars and Address Books"), this);
    findButton_->setObjectName(QStringLiteral("findCollectionsButton"));
    found_ = new QListWidget(this);
    found_->setObjectName(QStringLiteral("foundCollections"));
    auto* foundLabel = new QLabel(tr("&Tick what to add:"), this);
    foundLabel->setObjectName(QStringLiteral("foundCollectionsLabel"));
    foundLabel->setBuddy(found_);
    found_->setAccessibleName(withoutMnemonic(foundLabel->text()).chopped(1));
    message_ = new QLabel(this);
    message_->setObjectName(QStringLiteral("addAccountMessage"));
    message_->setWordWrap(true);
    message_->setTextFormat(Qt::PlainText);

    addButton_ = new QPushButton(tr("A&dd"), this);
    addButton_->setObjectName(QStringLiteral("addAccountButton"));
    addButton_->setDefault(true);
    auto* cancelButton = new QPushButton(tr("&Cancel"), this);
    cancelButton->setObjectName(QStringLiteral("cancelAddAccountButton"));
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(addButton_);
    buttons->addWidget(cancelButton);

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(form);
    layout->addWidget(findButton_, 0, Qt::AlignRight);
    layout->addWidget(foundLabel);
    layout->addWidget(found_);
    layout->addWidget(message_);
    layout->addLayout(buttons);
    resize(px(7200), px(5400));

    connect(findButton_, &QPushButton::clicked, this, &AddAccountDialog::find);
    connect(addButton_, &QPushButton::clicked, this, &AddAccountDialog::add);
    connect(cancelButton, &QPushButton::clicked, this, &QDialog::reject);
    connect(found_, &QListWidget::itemChanged, this, &AddAccountDialog::itemTicked);
    // What was found holds for the address, user and password it was found with.
    for (QLineEdit* field : {address_, user_, password_}) {
        connect(field, &QLineEdit::textEdited, this, [this] {
            found_->clear();
            collections_.clear();
            updateButtons();
        });
    }
    updateButtons();
}

AddAccountDialog::~AddAccountDialog() = default;

QString AddAccountDialog::message() const {
    return message_->text();
}

void AddAccountDialog::tell(const QString& text) {
    message_->setText(text);
}

void AddAccountDialog::updateButtons() {
    const bool busy = discovery_ || keeping_;
    findButton_->setEnabled(!busy);
    addButton_->setEnabled(!busy && !ticked().empty());
}

void AddAccountDialog::find() {
    const QUrl url = serverAddress(address_->text()).adjusted(QUrl::RemoveUserInfo);
    const QString user = user_->text().trimmed();
    if (address_->text().trimmed().isEmpty() || !url.isValid()) {
        tell(tr("Type the address of your server, or of a calendar or address book on it."));
        return;
    }
    if (const QString why = insecureReason(url); !why.isEmpty()) {
        tell(tr("Almanis will not use this address: %1.").arg(why));
        return;
    }
    if (user.isEmpty() || password_->text().isEmpty()) {
        tell(tr("Type your user name and password on the server."));
        return;
    }
    found_->clear();
    collections_.clear();
    foundFor_ = user;
    client_ = std::make_unique<DavClient>(services_.network);
    client_->setCredentials(user, password_->text());
    discovery_ = std::make_unique<CollectionDiscovery>(*client_);
    connect(discovery_.get(), &CollectionDiscovery::finished, this,
            &AddAccountDialog::discoveryFinished);
    tell(tr("Looking for calendars and address books…"));
    updateButtons();
    discovery_->start(url);
}

void AddAccountDialog::discoveryFinished() {
    const std::unique_ptr<CollectionDiscovery> discovery = std::move(discovery_);
    const QString error = discovery->error();
    collections_ = discovery->collections();
    const bool given = discovery->gaveCollection();
    discovery.get()->disconnect(this);
    if (!error.isEmpty()) {
        tell(asSentence(error));
    } else {
        const QSignalBlocker quiet(found_);
        for (const Collection& collection : collections_) {
            const QString name =
                collection.name.isEmpty() ? collection.url.path() : collection.name;
            auto* item = new QListWidgetItem(
                QStringLiteral("%1: %2 (%3)")
                    .arg(kindText(collection.kind), name, collection.url.toDisplayString()),
                found_);
            item->setData(kCollectionRole, int(&collection - collections_.data()));
            const bool offered = collection.kind == CollectionKind::AddressBook || !calendarKept_;
            item->setFlags(offered ? Qt::ItemIsEnabled | Qt::ItemIsUserCheckable : Qt::ItemFlags());
            item->setCheckState(given && offered ? Qt::Checked : Qt::Unchecked);
        }
        tell(calendarKept_ ? tr("The events are kept in a calendar already: remove its account to "
                                "keep them in another. Tick the address books to read birthdays "
                                "from.")
                           : tr("Tick the calendar to keep the events in, and the address books "
                                "to read birthdays from."));
    }
    updateButtons();
    emit found();
}

void AddAccountDialog::itemTicked(QListWidgetItem* item) {
    // The events are kept in one calendar.
    const Collection& collection = collections_.at(item->data(kCollectionRole).toInt());
    if (collection.kind == CollectionKind::Calendar && item->checkState() == Qt::Checked) {
        const QSignalBlocker quiet(found_);
        for (int row = 0; row < found_->count(); ++row) {
            QListWidgetItem* other = found_->item(row);
            if (other != item && collections_.at(other->data(kCollectionRole).toInt()).kind ==
                                     CollectionKind::Calendar) {
                other->setCheckState(Qt::Unchecked);
            }
        }
    }
    updateButtons();
}

std::vector<Collection> AddAccountDialog::ticked() const {
    std::vector<Collection> ticked;
    for (int row = 0; row < found_->count(); ++row) {
        const QListWidgetItem* item = found_->item(row);
        if (item->checkState() == Qt::Checked) {
            ticked.push_back(collections_.at(item->data(kCollectionRole).toInt()));
        }
    }
    return ticked;
}

void AddAccountDialog::add() {
    const std::vector<Account> accounts = accountsOf(ticked(), foundFor_, QString());
    if (accounts.empty() || keeping_) {
        return;
    }
    added_.clear();
    // The password the server just took, for every collection of this user
    // there; the accounts are kept once it is.
    keeping_.reset(services_.secrets.write(accounts.front().passwordKey(), password_->text()));
    connect(keeping_.get(), &SecretRequest::finished, this, [this, accounts] {
        const std::unique_ptr<SecretRequest> kept = std::move(keeping_);
        kept.get()->disconnect(this);
        if (!kept->error().isEmpty()) {
            tell(tr("The password could not be kept in the desktop's secret store, so nothing "
                    "was added: %1")
                     .arg(asSentence(kept->error())));
        } else {
            try {
                AccountBook().add(accounts);
                added_ = accounts;
            } catch (const AppError& e) {
                tell(asSentence(e.description()));
            }
        }
        updateButtons();
        if (!added_.empty()) {
            accept();
        }
        emit addFinished();
    });
    tell(tr("Keeping the password…"));
    updateButtons();
}

}  // namespace almanis
