#pragma once

#include "reminders/EventListModel.h"
#include "widgets/Skin.h"
#include "reminders/PollTimer.h"
#include "reminders/ReminderEngine.h"
#include "store/Connection.h"

#include <QWidget>
#include <memory>

class QCheckBox;
class QGroupBox;
class QPushButton;
class QTreeView;

namespace almanis {

class cSysTray;
class ExchangeCommands;
class MainCommands;
class Options;
class PointerRule;
struct Services;

// The main window: loads the store and the options, lists the events, owns the
// polling timer and the tray icon, and ends the program when it closes.
class Form1 final : public QWidget, public ReminderHost {
    Q_OBJECT
public:
    explicit Form1(Services& services);
    ~Form1() override;

    // The load sequence, run once when the program starts.
    void Form_Load();
    // Each activation; the first one fills the list.
    void Form_Activate();
    // Tears down the connection, the timer and the tray icon. Never refused.
    void Form_QueryUnload();
    // Minimises into the tray.
    void Form_Resize();
    // A mouse button released over the tray icon brings the window back.
    void cSysTray1_MouseUp(int button, int id);

    void ListEvents() { engine_.ListEvents(); }
    bool HasEventToday() { return engine_.HasEventToday(); }
    void Timer1_Timer() { engine_.Timer1_Timer(); }

    // ReminderHost
    RemindWindows remindWindows() const override;
    bool startingUp() const override { return StartingUp; }
    void showAlarm() override;
    // The alarm window, owned by `owner` (nullptr: no owner, as the due check shows it).
    void showAlarmWindow(QWidget* owner);

    // The row the user selected in the list, or -1.
    int selectedRow() const;

    Services& services;
    Connection EventDb;
    ListViewModel ListView1;
    PollTimer Timer1;
    std::unique_ptr<cSysTray> cSysTray1;
    SkinFramework SkinFramework1;
    PointerRule* pointer = nullptr;

private:
    ReminderEngine engine_;

public:
    bool StartingUp = false;
    bool HiddenInTray = false;
    // The re-check interval in seconds, which the alarm window sets.
    int& duration;

    QPushButton* PushButton1 = nullptr;
    QPushButton* PushButton2 = nullptr;
    QPushButton* PushButton3 = nullptr;
    QPushButton* PushButton4 = nullptr;
    QPushButton* PushButton5 = nullptr;
    QPushButton* PushButton6 = nullptr;
    QPushButton* PushButton7 = nullptr;
    QPushButton* PushButton8 = nullptr;
    QPushButton* PushButton9 = nullptr;
    QPushButton* PushButton10 = nullptr;
    QTreeView* ListView1View = nullptr;
    QGroupBox* Frame1 = nullptr;
    QGroupBox* Frame2 = nullptr;
    QCheckBox* Check1 = nullptr;
    QCheckBox* Check2 = nullptr;
    QCheckBox* Check3 = nullptr;
    QCheckBox* Check4 = nullptr;
    QCheckBox* Check5 = nullptr;
    QCheckBox* Check6 = nullptr;
    QCheckBox* Check8 = nullptr;

protected:
    bool event(QEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    void changeEvent(QEvent* event) override;

private:
    void createControls();
    QPushButton* button(const QString& caption, int left, int top, int width);
    QCheckBox* checkBox(QWidget* frame, const QString& caption, int left, int top, int width);

    std::unique_ptr<Options> options_;
    std::unique_ptr<MainCommands> commands_;
    std::unique_ptr<ExchangeCommands> exchange_;
    bool activating_ = false;
    bool closed_ = false;
};

}  // namespace almanis
