#include "editing/EventCommands.h"

#include "core/Addresses.h"
#include "core/AppError.h"
#include "core/AppTitle.h"
#include "core/Guard.h"
#include "core/Ui.h"
#include "editing/CommandHost.h"
#include "editing/EventEditor.h"
#include "reminders/EventListModel.h"
#include "reminders/PollTimer.h"
#include "reminders/ReminderEngine.h"
#include "store/Connection.h"
#include "store/StoredEvents.h"
#include "store/SyncState.h"
#include "sync/AccountBook.h"
#include "widgets/Services.h"

#include <QUrl>

namespace almanis {

EventCommands::EventCommands(Services& services, CommandHost& host, QObject* parent)
    : QObject(parent), services_(services), host_(host) {}

void EventCommands::addEvent() {
    Guard g(services_.ui, where::addEvent);
    std::optional<qint64> eventId;
    g.step(100, [&] { eventId.reset(); });
    g.step(102, [&] {
        EventEditor editor(services_, host_.store(), eventId);
        connect(&editor, &EventEditor::listOutdated, this, [this] { host_.refreshList(); });
        editor.load();
        services_.ui.showModal(editor, nullptr);
    });
}

namespace {
// The name the accounts give the address book at `url`; its address when
// they give none, or cannot be read.
QString addressBookName(const QString& url) {
    try {
        for (const Account& account : AccountBook().read()) {
            if (account.url == QUrl(url) && !account.name.isEmpty()) {
                return account.name;
            }
        }
    } catch (const AppError&) {
        // The address says where it is as well.
    }
    return QUrl(url).toDisplayString();
}
}  // namespace

void EventCommands::editSelectedEvent() {
    Guard g(services_.ui, where::editEvent);
    // With no row selected there is nothing to edit, as with an empty list.
    const EventListModel& list = host_.eventList();
    const std::optional<int> row = host_.selectedRow();
    if (list.count() == 0 || !row) {
        return;
    }
    std::optional<qint64> eventId;
    g.step(102, [&] { eventId = list.row(*row).event.id; });
    // A store that could not be opened at start is opened now, or the edit
    // stops with the reason. (Step 112 is retired: this step had it once.)
    Connection* store = nullptr;
    if (!g.step(103, [&] { store = &host_.store(); })) {
        return;
    }
    // The fields are filled after the dialog has loaded, each on its own, so a
    // field that fails still opens the dialog with the others.
    EventEditor editor(services_, *store, eventId);
    connect(&editor, &EventEditor::listOutdated, this, [this] { host_.refreshList(); });
    editor.load();
    g.step(104, [&] {
        const EventListModel::Row& entry = list.row(*row);
        editor.expectStored(ListedEvent{
            entry.event.id, entry.event.description,
            entry.monthRead ? std::optional<int>(entry.event.month) : std::nullopt,
            entry.dayRead ? std::optional<int>(entry.event.day) : std::nullopt, std::nullopt});
        editor.setDescription(entry.event.description);
    });
    g.step(106, [&] {
        const EventListModel::Row& entry = list.row(*row);
        if (!entry.monthRead) {
            throw AppError(tr("Invalid property value: the month cannot be read"));
        }
        editor.selectMonth(entry.event.month);
    });
    g.step(108, [&] {
        const EventListModel::Row& entry = list.row(*row);
        if (!entry.dayRead) {
            throw AppError(tr("Invalid property value: the day cannot be read"));
        }
        editor.selectDay(entry.event.day);
    });
    // The year, own remind days and note, which the list does not keep all of.
    // An address book's event shows what the book holds, read-only.
    g.step(109, [&] {
        if (const std::optional<EventRecord> details = readEventDetails(*store, *eventId)) {
            editor.setDetails(*details);
        }
        if (const std::optional<QString> book = contactBookOf(*store, *eventId)) {
            editor.setFromAddressBook(addressBookName(*book));
        }
    });
    g.step(110, [&] { services_.ui.showModal(editor, nullptr); });
}

void EventCommands::deleteSelectedEvent() {
    Guard g(services_.ui, where::deleteEvent);
    const EventListModel& list = host_.eventList();
    const std::optional<int> row = host_.selectedRow();
    if (list.count() == 0 || !row) {
        return;
    }
    bool yes = false;
    g.step(102, [&] {
        yes = services_.ui.askYesNo(
            tr("Are you sure you want to delete %1?").arg(list.row(*row).event.description),
            tr("Delete Selected Event Reminder"));
    });
    if (!yes) {
        return;
    }
    g.step(104, [&] { deleteEvent(host_.store(), list.row(*row).event.id); });
    g.step(106, [&] { host_.refreshList(); });
}

void EventCommands::addSampleEvent() {
    Guard g(services_.ui, where::addSampleEvent);
    g.step(100, [&] { insertSampleEvent(host_.store()); });
    g.step(102, [&] { host_.refreshList(); });
}

void EventCommands::testAlarm() {
    Guard g(services_.ui, where::testAlarm);
    PollTimer& timer = host_.pollTimer();
    g.step(100, [&] { timer.setInterval(0); });
    g.step(102, [&] { timer.setEnabled(false); });
    g.step(104, [&] { host_.reminders().setTestingAlarm(true); });
    g.step(106, [&] { host_.showOwnedAlarm(); });
    g.step(108, [&] { host_.reminders().setTestingAlarm(false); });
    g.step(110, [&] { timer.setInterval(1000); });
    g.step(112, [&] { timer.setEnabled(true); });
}

void EventCommands::showTestAlarmNote() {
    Guard g(services_.ui, where::testAlarmNote);
    g.step(100, [&] {
        services_.ui.inform(tr("This is what the alarm will look like when it goes off in case "
                               "you are wondering."),
                            appTitle());
    });
}

void EventCommands::showHelp() {
    Guard g(services_.ui, where::help);
    g.step(100,
           [&] { services_.ui.inform(helpText(QString::fromUtf8(kContactPage)), appTitle()); });
}

QString EventCommands::helpText(const QString& contactPage) {
    QString text =
        tr("Almanis lists your yearly events with the days left until each, and reminds you of "
           "them on the days you tick under Remind Options.") +
        QStringLiteral("\n\n") +
        tr("Enter or F2 edits the selected event, Delete deletes it. A click on a column's "
           "header sorts the list by that column, a second click the other way round. Ctrl+F "
           "goes to the search field, Escape empties it.") +
        QStringLiteral("\n\n") +
        tr("Import reads text files, calendar files (.ics) and contact files (.vcf); export "
           "writes text or calendar files. almanis-cli does the same from a terminal.");
    if (!contactPage.isEmpty()) {
        text += QStringLiteral("\n\n") +
                tr("Questions? Please contact Team Marrowind at %1").arg(contactPage);
    }
    return text;
}

}  // namespace almanis
