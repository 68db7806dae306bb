#pragma once

#include "reminders/SoundPlayer.h"

#include <QDialog>
#include <QStandardItemModel>

class QComboBox;
class QGroupBox;
class QPushButton;
class QTreeView;

namespace almanis {

class PointerRule;
class ReminderEngine;
struct Services;

// The alarm window "Event Alert!": lists the lines the engine gives (the due
// events, then what was caught up), plays the alarm sound and takes the
// answer, remind again later or not again this day. The answer goes into the
// engine's re-check interval; the close box leaves it as it was.
class AlarmWindow final : public QDialog {
    Q_OBJECT
  public:
    // `parent` is the owner the window is shown with; it still opens centred
    // on the screen.
    AlarmWindow(Services& services, ReminderEngine& engine, QWidget* parent = nullptr);

    // Runs when the window opens: colours, list, pointer, delays, sound.
    void load();
    // Fills the list with the engine's alarm lines.
    void listDueEvents();
    // "Remind Me Later": re-check after the chosen delay.
    void remindLater();
    // "Do Not Remind Me Again": no more re-checks this day.
    void doNotRemindAgain();

    // The lines the window lists.
    QStringList lines() const;
    const SoundPlayer& soundPlayer() const { return soundPlayer_; }

    // The delays of the delay box, by position.
    static constexpr int kDelaySeconds[] = {3600, 7200, 21600, 43200};

  private:
    void createControls();
    void addLine(const QString& text);

    Services& services_;
    ReminderEngine& engine_;
    QStandardItemModel lines_;
    SoundPlayer soundPlayer_;
    PointerRule* pointer_ = nullptr;
    QTreeView* lineList_ = nullptr;
    QGroupBox* answerFrame_ = nullptr;
    QPushButton* remindLaterButton_ = nullptr;
    QComboBox* delayBox_ = nullptr;
    QPushButton* doNotRemindButton_ = nullptr;
};

}  // namespace almanis
