#pragma once

#include "store/StoredEvents.h"

#include <QDialog>
#include <array>
#include <optional>

class QCheckBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPlainTextEdit;
class QPushButton;
class QRadioButton;

namespace almanis {

class Connection;
class LabelledComboBox;
class PointerRule;
struct Services;

// The event editor: adds a new yearly event, or changes the stored one whose
// id it is given, with its year, own remind days and note. A successful save
// writes the event and its details in one transaction, has the main list
// refilled and closes the dialog; a save that is refused or fails leaves the
// dialog open with what the user typed. Where the store keeps no details (a
// store of an earlier layout that could not be brought up, or one opened for
// reading only), or an event's details could not be read, their fields are
// disabled and say why, and a save changes the description and date only.
class EventEditor final : public QDialog {
    Q_OBJECT
  public:
    // `eventId` is the event to change; none adds a new one.
    EventEditor(Services& services, Connection& store, std::optional<qint64> eventId,
                QWidget* parent = nullptr);

    std::optional<qint64> eventId() const { return eventId_; }

    // Runs when the dialog opens: icon, pointer, the month and day lists,
    // today's date for a new event, and whether the details can be edited.
    void load();
    // The fields, as the edit command fills them. A month or day the lists
    // don't offer throws AppError and leaves the field as it was.
    void setDescription(const QString& description);
    void selectMonth(int month);
    void selectDay(int day);
    // The event as it was stored when the editor opened: a save changes it only
    // while the store still holds exactly that.
    void expectStored(const ListedEvent& stored);
    // The year, own remind days and note of the event being changed, as
    // readEventDetails() gives them: the fields show them, and a save
    // changes them only while the store still holds them.
    void setDetails(const EventRecord& details);
    // Whether the year, remind days and note can be edited and are saved.
    bool detailsEditable() const { return detailsEditable_; }
    // The event comes from the address book named `book`, where it is
    // changed: the fields are shown read-only, nothing is saved, and the
    // dialog says where to change it.
    void setFromAddressBook(const QString& book);
    bool fromAddressBook() const { return fromAddressBook_; }

    // "Save New Event Reminder"
    void save();
    // "Cancel", the close box and Escape.
    void cancel();

  signals:
    // The main list no longer shows what the store holds: after a save, or
    // when the event turned out changed elsewhere. Emitted before the dialog
    // closes.
    void listOutdated();

  protected:
    void reject() override;
    void paintEvent(QPaintEvent* event) override;

  private:
    void createDetailControls();
    // Why a description that is not empty cannot be stored as typed; empty
    // when it can.
    static QString refusalOf(const QString& description);
    // The same for the year and the note of `event`, whose year is typed as
    // `yearText`.
    QString detailsRefusalOf(const EventRecord& event, const QString& yearText) const;
    // The event as typed; the details only where they can be edited.
    EventRecord typedEvent(const QString& description, int month, int day) const;
    std::optional<int> typedYear() const;
    // Enables or disables the detail fields, saying why they are disabled.
    void enableDetails(bool enabled, const QString& reason);

    Services& services_;
    Connection& store_;
    std::optional<qint64> eventId_;
    std::optional<ListedEvent> stored_;
    std::optional<EventRecord> storedDetails_;
    bool detailsKept_ = false;
    bool detailsEditable_ = false;
    bool fromAddressBook_ = false;
    PointerRule* pointer_ = nullptr;
    QGroupBox* descriptionFrame_ = nullptr;
    QLineEdit* descriptionEdit_ = nullptr;
    QGroupBox* dateFrame_ = nullptr;
    QLabel* monthLabel_ = nullptr;
    LabelledComboBox* monthBox_ = nullptr;
    QLabel* dayLabel_ = nullptr;
    LabelledComboBox* dayBox_ = nullptr;
    QLabel* yearLabel_ = nullptr;
    QLineEdit* yearEdit_ = nullptr;
    QGroupBox* noteFrame_ = nullptr;
    QPlainTextEdit* noteEdit_ = nullptr;
    QGroupBox* remindFrame_ = nullptr;
    QRadioButton* optionsRemindButton_ = nullptr;
    QRadioButton* ownRemindButton_ = nullptr;
    // On the day, 3, 7, 14 and 30 days before: RemindWindows::kDays' order.
    std::array<QCheckBox*, 5> dayBoxes_{};
    QLabel* daysBeforeLabel_ = nullptr;
    QPushButton* saveButton_ = nullptr;
    QPushButton* cancelButton_ = nullptr;
};

}  // namespace almanis
