#pragma once

#include "editing/CommandHost.h"
#include "reminders/EventListModel.h"
#include "reminders/PollTimer.h"
#include "reminders/ReminderEngine.h"
#include "store/Connection.h"
#include "store/StoreWatcher.h"
#include "widgets/DesignLayout.h"
#include "widgets/Skin.h"

#include <QWidget>
#include <memory>

class QCheckBox;
class QGroupBox;
class QLineEdit;
class QPushButton;
class QScrollArea;
class QTreeView;

namespace almanis {

// The size of a window whose page of `page` pixels must fit into `room`: the
// page itself when it fits, else as much as fits, with room for the scroll
// bar that the cut-off side then needs.
QSize fittedWindowSize(QSize page, QSize room, int scrollBarExtent);

class EventCommands;
class EventListControl;
class FileCommands;
class OptionsPanel;
class StoreCare;
class PointerRule;
class RecordedSyncStatus;
class SyncScheduler;
class TrayIcon;
struct Services;

// The main window: loads the store and the options, lists the events, owns the
// polling timer and the tray icon, and ends the program when it closes.
class MainWindow final : public QWidget, private ReminderHost, private CommandHost {
    Q_OBJECT
  public:
    explicit MainWindow(Services& services);
    ~MainWindow() override;

    // The load sequence, run once when the program starts.
    void load();
    // What an activation does; the first one fills the list and checks for due
    // events. The first show runs it too, for a window that is never activated.
    void handleActivation();
    // Releases the store, the timer and the tray icon. Never refused.
    void releaseResources();
    // Ends the program (the tray menu's "Quit"), whether closing the window
    // would keep it running or not.
    void quit();
    // Hides into the tray when minimised.
    void hideIntoTrayIfMinimised();
    // A click on the tray icon, or its menu's "Show Almanis", brings the
    // window back.
    void restoreFromTray();
    // Another start of the program asked this one to show itself: out of the
    // tray or the minimised state, raised, with an open dialog in front.
    // `activationToken` is the desktop's permission to take the focus, from
    // the launcher that started the other copy (empty: none came).
    void showOnRequest(const QString& activationToken = QString());

    // Shows the alarm window with `alarm`, owned by `owner` (nullptr: no
    // owner, as the due check shows it), and returns the user's answer.
    AlarmAnswer showAlarmWindow(const Alarm& alarm, QWidget* owner);

    bool isStartingUp() const { return startingUp_; }
    bool isHiddenInTray() const { return hiddenInTray_; }
    // Whether the window has closed for good (the program ends).
    bool hasClosed() const { return closed_; }
    const EventListModel& events() const { return events_; }
    const Connection& storeConnection() const { return store_; }
    // Tests shorten the store's wait for other programs here, before load().
    Connection& storeConnection() { return store_; }
    // The check after the first fill; the first activation queues it.
    StoreCare& storeCare() { return *storeCare_; }
    PollTimer& timer() { return pollTimer_; }
    ReminderEngine& reminderEngine() { return engine_; }
    StoreWatcher& storeWatcher() { return storeWatcher_; }
    TrayIcon& trayIcon() { return *trayIcon_; }
    const Skin& skin() const { return skin_; }
    // The row the user selected in the list, if any.
    std::optional<int> selectedRow() const override;

    // Sizes the window for a screen area of `room` (the window's frame taken
    // off): the design's size where it fits, else smaller with the page
    // scrolling. The first show fits the window to its screen; the user may
    // then make it bigger, and the list takes the room.
    void fitInto(QSize room);

    // The Accounts dialog follows `sync`: its status line changes as the
    // syncs end, and an account added or removed there is synced soon.
    void followSync(SyncScheduler& sync);
    // "Accounts…": the accounts dialog, shown modally.
    void showAccounts();

  signals:
    // An account was added or removed in the Accounts dialog.
    void accountsChanged();

  protected:
    bool event(QEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    void changeEvent(QEvent* event) override;
    void showEvent(QShowEvent* event) override;
    void moveEvent(QMoveEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    // ReminderHost
    RemindWindows remindWindows() const override;
    bool startingUp() const override { return startingUp_; }
    AlarmAnswer showAlarm(const Alarm& alarm) override;
    void snoozeChanged() override;

    // CommandHost
    Connection& store() override;
    void backUpStore() override;
    const EventListModel& eventList() const override { return events_; }
    void refreshList() override;
    PollTimer& pollTimer() override { return pollTimer_; }
    ReminderEngine& reminders() override { return engine_; }
    void showOwnedAlarm() override;
    PointerRule& pointer() override { return *pointer_; }

    void setStartingUp(bool startingUp);
    // The tray icon's picture and tip: the next event, and the snooze.
    static QIcon trayPicture();
    QString trayTip() const;
    void updateTrayTip();
    void createControls();
    void connectCommands();
    void createTrayMenu();
    // The user clicked the alarm's notification.
    void notificationClicked(const QString& activationToken);
    // The alarm window while it waits; nullptr when none does.
    QWidget* waitingAlarm() const;
    // Out of the tray or the minimised state, shown and in front, with the
    // dialog open over it, if any.
    void bringForward(const QString& activationToken);
    void fitToScreen();
    int scrollBarExtent() const;
    // The window's size and whether it is maximised, kept in the settings
    // from one run to the next.
    void restoreWindowSize();
    void keepWindowSize();
    QPushButton* addButton(const char* objectName, const QString& caption, int left, int top,
                           int width, DesignLayout::Growth growth);
    QCheckBox* addCheckBox(QWidget* frame, const char* objectName, const QString& caption, int left,
                           int top, int width, DesignLayout::Growth growth);
    QGroupBox* addFrame(const char* objectName, const QString& title, int top, int height);

    Services& services_;
    Connection store_;
    EventListModel events_;
    std::unique_ptr<EventListControl> listControl_;
    PollTimer& pollTimer_;
    std::unique_ptr<TrayIcon> trayIcon_;
    StoreWatcher storeWatcher_;
    Skin skin_;
    PointerRule* pointer_ = nullptr;
    ReminderEngine engine_;
    std::unique_ptr<OptionsPanel> options_;
    std::unique_ptr<StoreCare> storeCare_;
    std::unique_ptr<EventCommands> eventCommands_;
    std::unique_ptr<FileCommands> fileCommands_;
    std::unique_ptr<RecordedSyncStatus> syncStatus_;
    bool startingUp_ = false;
    bool hiddenInTray_ = false;
    bool activating_ = false;
    bool alarmShowing_ = false;
    bool closed_ = false;
    bool sized_ = false;
    QSize keptSize_;  // the size the window had when the program last ended
    bool quitting_ = false;

    QScrollArea* scrollArea_ = nullptr;
    QWidget* content_ = nullptr;
    DesignLayout* page_ = nullptr;
    QPushButton* helpButton_ = nullptr;
    QLineEdit* searchField_ = nullptr;
    QTreeView* eventList_ = nullptr;
    QPushButton* addEventButton_ = nullptr;
    QPushButton* deleteButton_ = nullptr;
    QPushButton* editButton_ = nullptr;
    QPushButton* sampleButton_ = nullptr;
    QPushButton* importButton_ = nullptr;
    QPushButton* exportButton_ = nullptr;
    QPushButton* fileFormatNoteButton_ = nullptr;
    QGroupBox* remindFrame_ = nullptr;
    QCheckBox* remindOnTheDayBox_ = nullptr;
    QCheckBox* remindThreeDaysBox_ = nullptr;
    QCheckBox* remindSevenDaysBox_ = nullptr;
    QCheckBox* remindFourteenDaysBox_ = nullptr;
    QCheckBox* remindThirtyDaysBox_ = nullptr;
    QGroupBox* startupFrame_ = nullptr;
    QCheckBox* startAtLogonBox_ = nullptr;
    QCheckBox* startInTrayBox_ = nullptr;
    QCheckBox* keepRunningBox_ = nullptr;
    QPushButton* testAlarmButton_ = nullptr;
    QPushButton* testAlarmNoteButton_ = nullptr;
    QPushButton* accountsButton_ = nullptr;
};

}  // namespace almanis
