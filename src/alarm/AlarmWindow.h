#pragma once

#include "reminders/Alarm.h"
#include "reminders/SoundPlayer.h"

#include <QDialog>
#include <QStandardItemModel>

class QComboBox;
class QGroupBox;
class QPushButton;
class QTreeView;

namespace almanis {

class PointerRule;
struct Services;

// The alarm window "Event Alert!": lists the lines of the alarm it is given
// (the due events, then what was caught up), plays the alarm sound and takes
// the answer, remind again later or not again this day. The answer is a value
// the opener reads once the window has closed; the close box gives none.
class AlarmWindow final : public QDialog {
    Q_OBJECT
  public:
    // `parent` is the window the alarm stands over as its transient; the
    // alarm still opens centred on the screen where the program places it.
    AlarmWindow(Services& services, Alarm alarm, QWidget* parent = nullptr);

    // Runs when the window opens: list, pointer, delays, sound.
    void load();
    // "Remind Me Later": re-check after the chosen delay.
    void remindLater();
    // "Do Not Remind Me Again": no more re-checks this day.
    void doNotRemindAgain();

    // The lines the window lists.
    QStringList lines() const;
    const AlarmAnswer& answer() const { return answer_; }
    const SoundPlayer& soundPlayer() const { return soundPlayer_; }

    // The window's caption, and those of its two answers, which the desktop
    // notification's buttons show too.
    static QString title() { return tr("Event Alert!"); }
    static QString remindLaterCaption() { return tr("&Remind Me Later"); }
    static QString doNotRemindCaption() { return tr("Do &Not Remind Me Again"); }

    // The delays of the delay box, by position.
    static constexpr int kDelaySeconds[] = {3600, 7200, 21600, 43200};

  protected:
    void paintEvent(QPaintEvent* event) override;

  private:
    void createControls();
    void addLine(const QString& text);

    Services& services_;
    const Alarm alarm_;
    AlarmAnswer answer_;
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
