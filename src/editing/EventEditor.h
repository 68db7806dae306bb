#pragma once

#include "store/StoredEvents.h"

#include <QDialog>
#include <optional>

class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;

namespace almanis {

class Connection;
class LabelledComboBox;
class PointerRule;
struct Services;

// The event editor: adds a new yearly event, or changes the stored one whose
// id it is given. A successful save writes one statement, has the main list
// refilled and closes the dialog; a save that is refused or fails leaves the
// dialog open with what the user typed.
class EventEditor final : public QDialog {
    Q_OBJECT
  public:
    // `eventId` is the event to change; none adds a new one.
    EventEditor(Services& services, Connection& store, std::optional<qint64> eventId,
                QWidget* parent = nullptr);

    std::optional<qint64> eventId() const { return eventId_; }

    // Runs when the dialog opens: colours, pointer, the month and day lists,
    // and today's date for a new event.
    void load();
    // The fields, as the edit command fills them. A month or day the lists
    // don't offer throws AppError and leaves the field as it was.
    void setDescription(const QString& description);
    void selectMonth(int month);
    void selectDay(int day);
    // The event as it was stored when the editor opened: a save changes it only
    // while the store still holds exactly that.
    void expectStored(const ListedEvent& stored);

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

  private:
    // Why a description that is not empty cannot be stored as typed; empty
    // when it can.
    static QString refusalOf(const QString& description);

    Services& services_;
    Connection& store_;
    std::optional<qint64> eventId_;
    std::optional<ListedEvent> stored_;
    PointerRule* pointer_ = nullptr;
    QGroupBox* descriptionFrame_ = nullptr;
    QLineEdit* descriptionEdit_ = nullptr;
    QGroupBox* dateFrame_ = nullptr;
    QLabel* monthLabel_ = nullptr;
    LabelledComboBox* monthBox_ = nullptr;
    QLabel* dayLabel_ = nullptr;
    LabelledComboBox* dayBox_ = nullptr;
    QPushButton* saveButton_ = nullptr;
    QPushButton* cancelButton_ = nullptr;
};

}  // namespace almanis
