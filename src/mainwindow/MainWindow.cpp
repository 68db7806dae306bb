#include "mainwindow/MainWindow.h"

#include "alarm/AlarmNotification.h"
#include "alarm/AlarmWindow.h"
#include "core/AppError.h"
#include "core/AppTitle.h"
#include "core/Chance.h"
#include "core/Clock.h"
#include "core/EventDate.h"
#include "core/Guard.h"
#include "core/Paths.h"
#include "core/SettingsStore.h"
#include "core/Ui.h"
#include "core/WakeTimer.h"
#include "desktop/Notifier.h"
#include "desktop/TrayIcon.h"
#include "editing/AccountsDialog.h"
#include "editing/EventCommands.h"
#include "editing/FileCommands.h"
#include "mainwindow/EventListControl.h"
#include "mainwindow/OptionsPanel.h"
#include "mainwindow/StoreCare.h"
#include "store/DataFolder.h"
#include "store/StoreSchema.h"
#include "sync/SyncScheduler.h"
#include "sync/SyncStatus.h"
#include "widgets/Design.h"
#include "widgets/PointerRule.h"
#include "widgets/Services.h"

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QCloseEvent>
#include <QCoreApplication>
#include <QDir>
#include <QGroupBox>
#include <QKeyEvent>
#include <QLineEdit>
#include <QLocale>
#include <QPushButton>
#include <QResizeEvent>
#include <QScopeGuard>
#include <QScreen>
#include <QScrollArea>
#include <QScrollBar>
#include <QShortcut>
#include <QStyle>
#include <QTimer>
#include <QTreeView>
#include <QVBoxLayout>
#include <algorithm>

namespace almanis {

namespace {
constexpr char kCursorFile[] = "/HAND-M.CUR";
// The empty margin around the page's controls, in twips.
constexpr int kPageMargin = 120;
// The window's size when the program ended: "900x640", and " maximised"
// after it when it was.
const QString kWindowSizeKey = QStringLiteral("Window Size");
const QLatin1String kMaximised(" maximised");
}  // namespace

MainWindow::MainWindow(Services& services)
    : services_(services),
      listControl_(std::make_unique<EventListControl>(services, events_)),
      pollTimer_(services.pollTimer),
      trayIcon_(std::make_unique<TrayIcon>(services.trayShell)),
      storeWatcher_(store_),
      engine_(services.ui, services.clock, store_, events_, pollTimer_, services.wakeTimer,
              services.settings, static_cast<ReminderHost&>(*this)),
      syncStatus_(std::make_unique<RecordedSyncStatus>()) {
    pointer_ = new PointerRule(*this);
    createControls();
    trayIcon_->setIcon(trayPicture());
    options_ = std::make_unique<OptionsPanel>(
        services_, OptionsPanel::Boxes{remindOnTheDayBox_, remindThreeDaysBox_, remindSevenDaysBox_,
                                       remindFourteenDaysBox_, remindThirtyDaysBox_,
                                       startAtLogonBox_, startInTrayBox_, keepRunningBox_});
    storeCare_ = std::make_unique<StoreCare>(services_, store_);
    connect(storeCare_.get(), &StoreCare::restored, this, [this] { engine_.refreshList(); });
    connect(listControl_.get(), &EventListControl::notesWanted, this,
            [this] { engine_.readNotes(); });
    connectCommands();
    createTrayMenu();
    connect(&services_.notifier, &Notifier::activated, this, &MainWindow::notificationClicked);
    connect(&pollTimer_, &PollTimer::ticked, this, [this](int ticks) { engine_.pollTick(ticks); });
    // Another program's change shows in the list; a snooze keeps its time.
    connect(&storeWatcher_, &StoreWatcher::changedElsewhere, this,
            [this] { engine_.refreshList(ReminderEngine::Refill::OutsideChange); });
    connect(&services_.wakeTimer, &WakeTimer::woke, this, [this] {
        // An alarm open across midnight keeps its day; the timer is set again
        // when it closes, and then wakes at once for the new day.
        if (!alarmShowing_) {
            engine_.wake();
        }
    });
    connect(trayIcon_.get(), &TrayIcon::clicked, this, &MainWindow::restoreFromTray);
    // The tray's tip tells the next event, and the snooze's end while one runs.
    connect(&events_, &EventListModel::modelReset, this, &MainWindow::updateTrayTip);
    connect(&events_, &EventListModel::layoutChanged, this, &MainWindow::updateTrayTip);
    connect(&events_, &EventListModel::rowsInserted, this, &MainWindow::updateTrayTip);
    connect(&events_, &EventListModel::rowsRemoved, this, &MainWindow::updateTrayTip);
    connect(&events_, &EventListModel::rowsMoved, this, &MainWindow::updateTrayTip);
    connect(&events_, &EventListModel::dataChanged, this, &MainWindow::updateTrayTip);
}

QIcon MainWindow::trayPicture() {
    // By name from the icon theme where the program is installed, so that a
    // tray that draws icons by name draws it at its own size and colours.
    return QIcon::fromTheme(QStringLiteral("almanis"), programIcon());
}

QString MainWindow::trayTip() const {
    QStringList lines{QStringLiteral("Almanis")};
    // The soonest event, and how many more share its day.
    const EventRows& rows = events_.rows();
    const DayCount count(events_.today());
    std::optional<int> soonest;
    int first = -1;
    int more = 0;
    for (int row = 0; row < rows.count(); ++row) {
        if (!rows.monthRead(row) || !rows.dayRead(row)) {
            continue;
        }
        const std::optional<int> left = count.daysLeft(rows.month(row), rows.day(row));
        if (!left) {
            continue;
        }
        if (!soonest || *left < *soonest) {
            soonest = left;
            first = row;
            more = 0;
        } else if (*left == *soonest) {
            ++more;
        }
    }
    if (soonest) {
        QString name = rows.description(first);
        if (more > 0) {
            //: The first of several events on the same day, and how many more.
            name = tr("%1 and %n more", nullptr, more).arg(name);
        }
        if (*soonest == 0) {
            lines << tr("Next: %1 today").arg(name);
        } else if (*soonest == 1) {
            lines << tr("Next: %1 tomorrow").arg(name);
        } else {
            lines << tr("Next: %1 in %n days", nullptr, *soonest).arg(name);
        }
    }
    if (alarmShowing_) {
        lines << tr("An alarm is waiting");
    } else if (engine_.recheckSeconds() > 0) {
        const int left = std::max(0, engine_.recheckSeconds() - engine_.ticksCounted());
        const QDateTime again = services_.clock.now().addSecs(left);
        lines << tr("Reminding again at %1")
                     .arg(QLocale().toString(again.time(), QLocale::ShortFormat));
    }
    return lines.join(QLatin1Char('\n'));
}

void MainWindow::updateTrayTip() {
    if (QString tip = trayTip(); tip != trayIcon_->tip()) {
        trayIcon_->setTip(tip);
    }
}

void MainWindow::snoozeChanged() {
    updateTrayTip();
}

MainWindow::~MainWindow() = default;

namespace {
// How the controls follow a window bigger than the design (see DesignLayout):
// the list takes all the extra room; below it, a row of two controls shares
// the extra width half and half, and everything moves down with the list's
// bottom edge.
constexpr DesignLayout::Growth kFixed{};
constexpr DesignLayout::Growth kWide{0, 1, 0, 0};
constexpr DesignLayout::Growth kLeftHalf{0, 0.5, 0, 0};
constexpr DesignLayout::Growth kRightHalf{0.5, 0.5, 0, 0};
constexpr DesignLayout::Growth kList{0, 1, 0, 1};
constexpr DesignLayout::Growth kWideBelow{0, 1, 1, 0};
constexpr DesignLayout::Growth kLeftHalfBelow{0, 0.5, 1, 0};
constexpr DesignLayout::Growth kRightHalfBelow{0.5, 0.5, 1, 0};
constexpr DesignLayout::Growth kRightEndBelow{1, 0, 1, 0};
}  // namespace

QPushButton* MainWindow::addButton(const char* objectName, const QString& caption, int left,
                                   int top, int width, DesignLayout::Growth growth) {
    auto* button = new QPushButton(caption, content_);
    button->setObjectName(QLatin1String(objectName));
    button->setFont(buttonFont());
    page_->addWidget(button, QRect(left, top, width, 405), growth);
    button->setFocusPolicy(Qt::TabFocus);
    pointer_->watchButton(button);
    return button;
}

QCheckBox* MainWindow::addCheckBox(QWidget* frame, const char* objectName, const QString& caption,
                                   int left, int top, int width, DesignLayout::Growth growth) {
    auto* box = new QCheckBox(caption, frame);
    box->setObjectName(QLatin1String(objectName));
    static_cast<DesignLayout*>(frame->layout())
        ->addWidget(box, QRect(left, top, width, 300), growth);
    pointer_->watchBackground(box);
    return box;
}

QGroupBox* MainWindow::addFrame(const char* objectName, const QString& title, int top, int height) {
    auto* frame = new QGroupBox(title, content_);
    frame->setObjectName(QLatin1String(objectName));
    page_->addWidget(frame, QRect(120, top, 7800, height), kWideBelow);
    new DesignLayout(frame, 7800, height);
    pointer_->watchBackground(frame);
    return frame;
}

void MainWindow::createControls() {
    setObjectName(QStringLiteral("Form1"));
    setFont(windowFont());
    setWindowFlags(Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                   Qt::WindowSystemMenuHint | Qt::WindowMinimizeButtonHint |
                   Qt::WindowMaximizeButtonHint | Qt::WindowCloseButtonHint);
    pointer_->watchBackground(this);

    // The controls stand on a page of the design's size at least: a bigger
    // window gives the list more room, a smaller one (a small screen) scrolls
    // the page.
    content_ = new QWidget;
    page_ = new DesignLayout(content_, 8040, 8540);
    pointer_->watchBackground(content_);
    scrollArea_ = new QScrollArea(this);
    scrollArea_->setFrameShape(QFrame::NoFrame);
    scrollArea_->setFocusPolicy(Qt::NoFocus);  // Tab goes from control to control
    scrollArea_->setWidgetResizable(true);
    scrollArea_->setWidget(content_);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(scrollArea_);
    // Whatever brings the focus to a control (Tab, a mnemonic, a click) brings
    // the control into sight.
    connect(qApp, &QApplication::focusChanged, this, [this](QWidget*, QWidget* now) {
        if (now && content_->isAncestorOf(now)) {
            scrollArea_->ensureWidgetVisible(now);
        }
    });
    resize(page_->sizeHint());

    helpButton_ = addButton("PushButton5", tr("&Help"), 120, 120, 2160, kFixed);
    searchField_ = new QLineEdit(content_);
    searchField_->setObjectName(QStringLiteral("Text1"));
    searchField_->setPlaceholderText(tr("Search"));
    searchField_->setAccessibleName(tr("Search"));
    searchField_->setClearButtonEnabled(true);
    page_->addWidget(searchField_, QRect(2400, 120, 5520, 405), kWide);
    eventList_ = makeReportView(content_, listControl_->proxy());
    eventList_->setObjectName(QStringLiteral("ListView1"));
    eventList_->setAccessibleName(tr("Events"));
    eventList_->installEventFilter(this);
    page_->addWidget(eventList_, QRect(120, 630, 7800, 2300), kList);
    listControl_->attach(*eventList_, *searchField_);
    pointer_->watchBackground(eventList_);
    pointer_->watchBackground(eventList_->viewport());
    addEventButton_ =
        addButton("PushButton6", tr("&Add Reminder"), 120, 3030, 3840, kLeftHalfBelow);
    deleteButton_ =
        addButton("PushButton1", tr("&Delete Reminder"), 4080, 3030, 3840, kRightHalfBelow);
    editButton_ = addButton("PushButton2", tr("&Edit Reminder"), 120, 3540, 3840, kLeftHalfBelow);
    sampleButton_ = addButton("PushButton4", tr("Load &Sample/Example Data"), 4080, 3540, 3840,
                              kRightHalfBelow);
    importButton_ = addButton("PushButton8", tr("&Import Events From Text File"), 120, 4050, 3840,
                              kLeftHalfBelow);
    exportButton_ =
        addButton("PushButton9", tr("E&xport Events To File"), 4080, 4050, 3240, kRightHalfBelow);
    // The two "?" buttons share their one character, so neither has a mnemonic;
    // their accessible names say what they explain.
    fileFormatNoteButton_ =
        addButton("PushButton10", QStringLiteral("?"), 7440, 4050, 480, kRightEndBelow);
    fileFormatNoteButton_->setAccessibleName(tr("About the text file format"));

    remindFrame_ = addFrame("Frame2", tr("Remind Options"), 4560, 2175);
    remindOnTheDayBox_ = addCheckBox(
        remindFrame_, "Check1", tr("Remind me &on the day of the event"), 240, 300, 7320, kWide);
    remindThreeDaysBox_ = addCheckBox(remindFrame_, "Check2", tr("Remind me &3 days before event"),
                                      240, 650, 7320, kWide);
    remindSevenDaysBox_ = addCheckBox(remindFrame_, "Check4", tr("Remind me &7 days before event"),
                                      240, 1000, 7320, kWide);
    remindFourteenDaysBox_ = addCheckBox(
        remindFrame_, "Check5", tr("Remind me &14 days before event"), 240, 1350, 7320, kWide);
    remindThirtyDaysBox_ = addCheckBox(
        remindFrame_, "Check6", tr("Remind me 3&0 days before event"), 240, 1700, 7320, kWide);

    startupFrame_ = addFrame("Frame1", tr("Startup Options"), 6795, 1085);
    startAtLogonBox_ = addCheckBox(startupFrame_, "Check3", tr("&Load this software when I log in"),
                                   240, 300, 3780, kLeftHalf);
    startInTrayBox_ = addCheckBox(startupFrame_, "Check8", tr("Start in system t&ray"), 4080, 300,
                                  3600, kRightHalf);
    keepRunningBox_ =
        addCheckBox(startupFrame_, "Check9", tr("&Keep reminding when the window is closed"), 240,
                    650, 7320, kWide);

    // The "?" beside the Test Alarm button tells about it.
    accountsButton_ =
        addButton("accountsButton", tr("A&ccounts…"), 120, 8000, 3240, kLeftHalfBelow);
    testAlarmButton_ =
        addButton("PushButton3", tr("&Test Alarm"), 3480, 8000, 3840, kRightHalfBelow);
    testAlarmNoteButton_ =
        addButton("PushButton7", QStringLiteral("?"), 7440, 8000, 480, kRightEndBelow);
    testAlarmNoteButton_->setAccessibleName(tr("About the test alarm"));

    // The controls stand in their places before the window shows.
    content_->resize(page_->sizeHint());
    for (QWidget* page :
         {content_, static_cast<QWidget*>(remindFrame_), static_cast<QWidget*>(startupFrame_)}) {
        page->layout()->activate();
    }

    // The design state: only the day-of-event reminder ticked, frames and boxes
    // in the scheme's field colour.
    remindOnTheDayBox_->setChecked(true);
    applyDesignColours(*this);
    // The list has the focus when the window first shows.
    eventList_->setFocus();
}

void MainWindow::connectCommands() {
    CommandHost& host = *this;
    eventCommands_ = std::make_unique<EventCommands>(services_, host);
    fileCommands_ = std::make_unique<FileCommands>(services_, host);
    EventCommands* events = eventCommands_.get();
    FileCommands* files = fileCommands_.get();
    connect(addEventButton_, &QPushButton::clicked, events, &EventCommands::addEvent);
    connect(editButton_, &QPushButton::clicked, events, &EventCommands::editSelectedEvent);
    connect(deleteButton_, &QPushButton::clicked, events, &EventCommands::deleteSelectedEvent);
    connect(sampleButton_, &QPushButton::clicked, events, &EventCommands::addSampleEvent);
    connect(testAlarmButton_, &QPushButton::clicked, events, &EventCommands::testAlarm);
    connect(helpButton_, &QPushButton::clicked, events, &EventCommands::showHelp);
    connect(testAlarmNoteButton_, &QPushButton::clicked, events, &EventCommands::showTestAlarmNote);
    connect(importButton_, &QPushButton::clicked, files, &FileCommands::importEvents);
    connect(exportButton_, &QPushButton::clicked, files, &FileCommands::exportEvents);
    connect(fileFormatNoteButton_, &QPushButton::clicked, files, &FileCommands::showFileFormatNote);
    connect(accountsButton_, &QPushButton::clicked, this, &MainWindow::showAccounts);
    // A double-click on a row edits it, as Enter and F2 do (see eventFilter).
    connect(eventList_, &QTreeView::doubleClicked, events, &EventCommands::editSelectedEvent);
    connect(new QShortcut(QKeySequence(Qt::Key_F2), this), &QShortcut::activated, events,
            &EventCommands::editSelectedEvent);
    connect(new QShortcut(QKeySequence::Find, this), &QShortcut::activated, searchField_, [this] {
        searchField_->setFocus(Qt::ShortcutFocusReason);
        searchField_->selectAll();
    });
}

void MainWindow::followSync(SyncScheduler& sync) {
    // Each sync notes how it went in the accounts file, which the status reads.
    connect(&sync, &SyncScheduler::statusChanged, syncStatus_.get(), &SyncStatus::changed);
    connect(this, &MainWindow::accountsChanged, &sync, &SyncScheduler::accountsChanged);
}

void MainWindow::showAccounts() {
    AccountsDialog accounts(services_, *syncStatus_, this);
    connect(&accounts, &AccountsDialog::accountsChanged, this, &MainWindow::accountsChanged);
    services_.ui.showModal(accounts, this);
}

bool MainWindow::eventFilter(QObject* watched, QEvent* event) {
    // Delete asks to delete the selected row, Enter edits it; the view itself
    // does nothing with either key.
    if (watched == eventList_ && event->type() == QEvent::KeyPress) {
        const auto* key = static_cast<QKeyEvent*>(event);
        if (key->modifiers() == Qt::NoModifier || key->modifiers() == Qt::KeypadModifier) {
            switch (key->key()) {
                case Qt::Key_Delete:
                    eventCommands_->deleteSelectedEvent();
                    return true;
                case Qt::Key_Return:
                case Qt::Key_Enter:
                    eventCommands_->editSelectedEvent();
                    return true;
                default:
                    break;
            }
        }
    }
    return QWidget::eventFilter(watched, event);
}

QSize fittedWindowSize(QSize page, QSize room, int scrollBarExtent) {
    QSize size = page;
    if (size.height() > room.height()) {
        size.setHeight(room.height());
        size.rwidth() += scrollBarExtent;
    }
    if (size.width() > room.width()) {
        size.setWidth(room.width());
        size.setHeight(std::min(size.height() + scrollBarExtent, room.height()));
    }
    return size;
}

int MainWindow::scrollBarExtent() const {
    // The room a scroll bar takes beside the page, with the style's gap.
    return scrollArea_->verticalScrollBar()->sizeHint().width() +
           std::max(0, style()->pixelMetric(QStyle::PM_ScrollView_ScrollBarSpacing, nullptr,
                                            scrollArea_));
}

void MainWindow::resizeEvent(QResizeEvent* event) {
    // A window as wide as the page (beside the vertical bar, when the page is
    // taller) never scrolls sideways: left to itself the scroll area keeps a
    // horizontal bar it showed at a narrower size. The page's right margin
    // holds no control, so a window that trims it (a fractional scale rounds
    // the size a pixel down) needs no bar either.
    const QSize page = page_->sizeHint();
    const QSize now = event->size();
    const int needed =
        page.width() - px(kPageMargin) + (now.height() < page.height() ? scrollBarExtent() : 0);
    scrollArea_->setHorizontalScrollBarPolicy(now.width() >= needed ? Qt::ScrollBarAlwaysOff
                                                                    : Qt::ScrollBarAsNeeded);
    QWidget::resizeEvent(event);
}

void MainWindow::fitInto(QSize room) {
    resize(fittedWindowSize(page_->sizeHint(), room, scrollBarExtent()));
}

void MainWindow::fitToScreen() {
    const QScreen* shownOn = screen();
    if (!shownOn || (windowState() & (Qt::WindowMaximized | Qt::WindowFullScreen))) {
        return;
    }
    // The frame is known once the window manager has framed the window; until
    // then a title bar's height stands in for it.
    QSize frame = frameGeometry().size() - size();
    if (frame.isEmpty()) {
        frame = QSize(0, style()->pixelMetric(QStyle::PM_TitleBarHeight));
    }
    const QSize room = shownOn->availableGeometry().size() - frame;
    // The first show gives the design's size, or what of it fits; later the
    // size the user chose stays, unless it no longer fits the screen.
    if (!sized_) {
        sized_ = true;
        if (keptSize_.isValid()) {
            resize(keptSize_.boundedTo(room));
        } else {
            fitInto(room);
        }
    } else if (width() > room.width() || height() > room.height()) {
        resize(size().boundedTo(room));
    }
}

void MainWindow::createTrayMenu() {
    auto* showEntry = new QAction(tr("Show Almanis"), this);
    auto* testAlarmEntry = new QAction(tr("Test Alarm"), this);
    auto* quitEntry = new QAction(tr("Quit"), this);
    connect(showEntry, &QAction::triggered, this, &MainWindow::restoreFromTray);
    // The tray's menu still answers while an alarm waits (a StatusNotifierItem
    // host is not blocked by the alarm): a second alarm opened over the first
    // would end the first one's wait for it. The waiting alarm comes forward.
    connect(testAlarmEntry, &QAction::triggered, this, [this] {
        if (alarmShowing_) {
            notificationClicked(QString());
        } else {
            eventCommands_->testAlarm();
        }
    });
    // The way out, also when closing the window only hides it.
    connect(quitEntry, &QAction::triggered, this, &MainWindow::quit);
    services_.trayShell.setContextMenu({showEntry, testAlarmEntry, quitEntry});
}

void MainWindow::load() {
    Guard g(services_.ui, where::mainWindowLoad);
    const QString cursorPath = services_.programFolder + QLatin1String(kCursorFile);
    g.step(100, [] { createFolder(makerFolder()); });
    g.step(102, [] { createFolder(dataFolder()); });
    g.step(104, [&] { copySeedIfMissing(services_.programFolder, dataFolder()); });
    g.step(106, [&] { setStartingUp(true); });
    g.step(108, [&] { applySkin(*this, skin_, services_.programFolder); });
    g.step(110, [&] { store_.close(); });
    g.step(112, [&] { openWorkingStore(store_, dataFolder() + QLatin1String(kWorkingStore)); });
    // A full disk leaves the store readable: the list shows, and the user
    // learns now, not at the first change, why nothing can be saved.
    g.step(113, [&] {
        if (store_.diskFull()) {
            services_.ui.inform(tr("The disk that holds the event store %1 is full. The events "
                                   "are shown, but no change can be saved until there is room "
                                   "on it.")
                                    .arg(QDir::toNativeSeparators(store_.path())),
                                appTitle());
        }
    });
    if (g.test(114, [&] { return fileExists(cursorPath); })) {
        g.step(116, [&] { pointer_->loadHand(cursorPath); });
    }
    // Only a build that names a home page visits it, one start in a hundred.
    if (g.test(118, [&] {
            return !services_.homePage.isEmpty() && services_.chance.oneToHundred() == 7;
        })) {
        g.step(120, [&] { services_.ui.openUrl(services_.homePage); });
    }
    g.step(122, [&] { setWindowTitle(QStringLiteral("Almanis")); });
    g.step(124, [&] { setWindowIcon(programIcon()); });
    g.step(126, [] { setAppTitle(); });
    g.step(128, [&] { trayIcon_->setTip(trayTip()); });
    g.step(130, [&] { trayIcon_->setInTray(true); });
    // The list's columns in the model's order: id, Description, Month, Day,
    // Day(s) Left, MonthNo, Years; the id and the month number are kept for
    // the commands, not shown.
    g.step(132, [&] { eventList_->setHeaderHidden(false); });
    g.step(134, [&] {
        setColumnWidths(*eventList_, {1, 2400, 1500, 900, 1400, 0, 1000});
        listControl_->columnsSized();
    });
    g.step(135, [&] { listControl_->restoreOrder(); });
    options_->restore(g, 136);
    if (g.test(150, [&] { return options_->startInTray(); })) {
        g.step(152, [&] {
            setWindowState(windowState() | Qt::WindowMinimized);
            hideIntoTrayIfMinimised();
        });
    }
    g.step(153, [&] { restoreWindowSize(); });
    g.step(154, [&] { engine_.setTestingAlarm(false); });
    g.step(156, [&] { pollTimer_.setInterval(1000); });
    // Changes made by almanis-cli or another program show without a restart.
    g.step(158, [&] { storeWatcher_.watch(); });
    // A window that starts in the tray, or minimised where there is no tray, is
    // not activated until the user brings it back; the list and the start-up due
    // check must not wait for that.
    if (startingUp_ && (hiddenInTray_ || (windowState() & Qt::WindowMinimized))) {
        handleActivation();
    }
}

void MainWindow::handleActivation() {
    // The alarm window opened by the first fill activates this window again when
    // it closes; that is no second first activation.
    if (activating_) {
        return;
    }
    activating_ = true;
    Guard g(services_.ui, where::firstActivation);
    const bool first = startingUp_;
    if (g.test(100, [&] { return startingUp_; })) {
        g.step(102, [&] { engine_.startDay(); });
    }
    g.step(104, [&] { setStartingUp(false); });
    if (first) {
        // Checking the whole store takes a while on a large one: the window
        // shows its list first.
        g.step(106,
               [&] { QTimer::singleShot(0, this, [this] { storeCare_->checkAfterFirstFill(); }); });
    }
    activating_ = false;
}

void MainWindow::setStartingUp(bool startingUp) {
    startingUp_ = startingUp;
    options_->setStartingUp(startingUp);
}

void MainWindow::releaseResources() {
    Guard g(services_.ui, where::mainWindowClose);
    if (g.test(100, [&] { return store_.state() != 0; })) {
        g.step(102, [&] { store_.close(); });
    }
    g.step(104, [&] { pollTimer_.setEnabled(false); });
    g.step(106, [&] { trayIcon_->setInTray(false); });
    g.step(108, [] {
        QCoreApplication::processEvents();
        QCoreApplication::processEvents();
    });
    g.step(110, [&] { engine_.stopWatching(); });
    g.step(111, [&] { keepWindowSize(); });
}

void MainWindow::restoreWindowSize() {
    QString text = services_.settings.get(kWindowSizeKey, QString());
    const bool maximised = text.endsWith(kMaximised);
    text.chop(maximised ? kMaximised.size() : 0);
    const QStringList sides = text.split(QLatin1Char('x'));
    if (sides.size() != 2) {
        return;
    }
    // A size too small for anything is no size the user chose.
    const QSize size(sides[0].toInt(), sides[1].toInt());
    if (size.width() >= 100 && size.height() >= 100) {
        keptSize_ = size;
    }
    if (maximised) {
        setWindowState(windowState() | Qt::WindowMaximized);
    }
}

void MainWindow::keepWindowSize() {
    // A window never shown (started in the tray) keeps the size it had.
    if (!sized_) {
        return;
    }
    QSize size = isMaximized() ? normalGeometry().size() : this->size();
    if (size.isEmpty()) {
        size = keptSize_;  // maximised from the start: the size it came with
    }
    services_.settings.save(kWindowSizeKey, QStringLiteral("%1x%2%3")
                                                .arg(size.width())
                                                .arg(size.height())
                                                .arg(isMaximized() ? kMaximised : QString()));
}

void MainWindow::hideIntoTrayIfMinimised() {
    if (!(windowState() & Qt::WindowMinimized) || hiddenInTray_) {
        return;
    }
    // Without a tray host a hidden window could never be brought back, so it
    // stays an ordinary minimised window until a tray appears.
    if (!services_.trayShell.isSystemTrayAvailable()) {
        return;
    }
    // On X11 leaving the minimised state maps the window again, which would leave
    // an empty frame on the screen. So a shown window goes back to normal before
    // it hides; a window never shown yet (started in the tray) drops the native
    // window that this mapped, together with the desktop's late news of the
    // minimise, and gets a fresh one when the tray icon shows it.
    const bool shown = isVisible();
    setWindowState(windowState() & ~Qt::WindowMinimized);
    if (shown) {
        hide();
    } else {
        destroy();
    }
    hiddenInTray_ = true;
    trayIcon_->showBalloon(
        tr("has been minimized to the system tray.\r\n"
           "Click on the blue 'M' icon (M for Marrowind) to bring the software back."),
        QStringLiteral("Almanis"), 5, true);
}

void MainWindow::restoreFromTray() {
    bringForward(QString());
}

void MainWindow::bringForward(const QString& activationToken) {
    // Started in the tray, or minimised while there was no tray to hide in: back
    // to its normal size too.
    if (windowState() & Qt::WindowMinimized) {
        setWindowState(windowState() & ~Qt::WindowMinimized);
    }
    show();
    hiddenInTray_ = false;
    // A dialog open over the window (an alarm, the editor, a message) comes
    // to the front with it, and gets the focus.
    QWidget* dialog = QApplication::activeModalWidget();
    services_.ui.bringForward(*this, dialog ? QString() : activationToken);
    if (dialog) {
        services_.ui.bringForward(*dialog, activationToken);
    }
}

void MainWindow::showOnRequest(const QString& activationToken) {
    bringForward(activationToken);
}

QWidget* MainWindow::waitingAlarm() const {
    QWidget* modal = QApplication::activeModalWidget();
    return alarmShowing_ && modal && modal->objectName() == QLatin1String("Form3") ? modal
                                                                                   : nullptr;
}

void MainWindow::notificationClicked(const QString& activationToken) {
    if (QWidget* alarm = waitingAlarm()) {
        alarm->show();
        services_.ui.bringForward(*alarm, activationToken);
        return;
    }
    // The alarm has been answered meanwhile: the list shows the same events.
    showOnRequest(activationToken);
}

Connection& MainWindow::store() {
    // Locked by another program, or missing, when the program started: the list
    // is empty, and the command needs the store now.
    if (store_.state() == 0) {
        // A store that opens but cannot be brought up to this version's
        // layout is used as it is; the command's report says why.
        std::optional<AppError> upgradeFailure;
        try {
            reopenWorkingStore(store_);
        } catch (const AppError& e) {
            if (store_.state() == 0) {
                throw;
            }
            upgradeFailure = e;
        }
        engine_.refreshList();
        if (upgradeFailure) {
            throw *upgradeFailure;
        }
    }
    return store_;
}

void MainWindow::refreshList() {
    // The command that changed nothing because the store could not be opened
    // has said why; a fill would only say it again.
    if (store_.state() == 0) {
        try {
            store();  // fills the list once the store opens
        } catch (const AppError&) {
        }
        return;
    }
    engine_.refreshList();
}

void MainWindow::backUpStore() {
    store();
    storeCare_->backUp();
}

RemindWindows MainWindow::remindWindows() const {
    return options_->remindWindows();
}

AlarmAnswer MainWindow::showAlarm(const Alarm& alarm) {
    return showAlarmWindow(alarm, nullptr);
}

void MainWindow::showOwnedAlarm() {
    engine_.takeAnswer(showAlarmWindow(engine_.currentAlarm(), this));
}

AlarmAnswer MainWindow::showAlarmWindow(const Alarm& alarm, QWidget* owner) {
    // Over a window on the screen, the alarm is its transient: the window
    // manager or compositor keeps it above the window and raises it with it.
    // Hidden in the tray or minimised, the window is nothing to stand over,
    // and a transient of it could stay hidden with it: the alarm stands alone.
    const bool onScreen = isVisible() && !isMinimized();
    AlarmWindow window(services_, alarm, onScreen ? this : nullptr);
    window.load();
    // The due check's alarm is told to the whole desktop too, for a window
    // that opens behind others or a screen that is locked; its buttons answer
    // as the window's do. The test alarm (owned by this window) is not told.
    if (!owner) {
        connect(&services_.notifier, &Notifier::actionInvoked, &window,
                [&window](const QString& key) {
                    if (key == QLatin1String(AlarmNotification::kRemindLater)) {
                        window.remindLater();
                    } else if (key == QLatin1String(AlarmNotification::kDoNotRemind)) {
                        window.doNotRemindAgain();
                    }
                });
        services_.notifier.notify(AlarmNotification::of(alarm));
    }
    // However the window ends, wake-ups count again afterwards, and one that
    // came meanwhile is due at once; the notification, answered one way or
    // the other, goes.
    // While it waits, the tray icon asks for attention.
    alarmShowing_ = true;
    trayIcon_->setIcon(attentionIcon(trayPicture()));
    updateTrayTip();
    // Standing alone, the alarm blocks no window of the program (the tray's
    // icon and menu answer while it waits): the window, brought back from the
    // tray meanwhile, takes no edits until the alarm is answered.
    if (!onScreen) {
        setEnabled(false);
    }
    const auto closed = qScopeGuard([this, owner, onScreen] {
        if (!onScreen) {
            setEnabled(true);
        }
        alarmShowing_ = false;
        trayIcon_->setIcon(trayPicture());
        updateTrayTip();
        if (!owner) {
            services_.notifier.withdraw();
        }
        engine_.armWakeTimer();
    });
    services_.ui.showModal(window, owner);
    return window.answer();
}

std::optional<int> MainWindow::selectedRow() const {
    const QModelIndexList rows = eventList_->selectionModel()->selectedRows();
    if (rows.isEmpty()) {
        return std::nullopt;
    }
    return modelRow(*eventList_, rows.first());
}

bool MainWindow::event(QEvent* event) {
    const bool result = QWidget::event(event);
    if (event->type() == QEvent::WindowActivate) {
        handleActivation();
        // Back while an alarm waits standing alone, the window takes no edits:
        // the alarm it waits for comes over it, as over a window it blocks.
        if (QWidget* alarm = waitingAlarm(); alarm && !isEnabled()) {
            services_.ui.bringForward(*alarm, QString());
        }
    }
    // The desktop's colour scheme changed while the program runs: the frames
    // and check boxes, whose colours were set from the old one, follow it.
    if (event->type() == QEvent::ApplicationPaletteChange) {
        if (skin_.applied()) {
            applyButtonFaceColours(*this);
        } else {
            applyDesignColours(*this);
        }
    }
    return result;
}

void MainWindow::showEvent(QShowEvent* event) {
    QWidget::showEvent(event);
    fitToScreen();
    // Started at log-on, the window may never be activated: the window manager
    // is not up yet, or keeps the focus elsewhere. The first activation's work
    // runs right after the first show all the same (queued, so the window is
    // on the screen before an alarm opens); an activation that came first has
    // done it already.
    if (startingUp_) {
        QMetaObject::invokeMethod(
            this,
            [this] {
                if (startingUp_) {
                    handleActivation();
                }
            },
            Qt::QueuedConnection);
    }
}

void MainWindow::moveEvent(QMoveEvent* event) {
    QWidget::moveEvent(event);
    // Framed, or moved to another screen: the room may have changed.
    fitToScreen();
}

void MainWindow::changeEvent(QEvent* event) {
    QWidget::changeEvent(event);
    if (event->type() == QEvent::WindowStateChange) {
        hideIntoTrayIfMinimised();
    }
}

void MainWindow::quit() {
    quitting_ = true;
    close();
}

void MainWindow::closeEvent(QCloseEvent* event) {
    // Kept running, the window hides: into the tray where there is one, else
    // out of sight until the next start of the program shows it again.
    // Closed by the session's end, it ends as always.
    if (!quitting_ && !closed_ && options_->keepRunning() && !qApp->isSavingSession()) {
        event->ignore();
        hide();
        hiddenInTray_ = services_.trayShell.isSystemTrayAvailable();
        return;
    }
    if (!closed_) {
        closed_ = true;
        releaseResources();
    }
    event->accept();
    // A waiting alarm ends with the program, as by its close box: its wait
    // would otherwise outlast the program's end, which does nothing while
    // the start-up alarm waits before the program's own loop runs.
    if (QWidget* alarm = waitingAlarm()) {
        alarm->close();
    }
    // Closing the main window ends the program, whatever other window is open.
    QCoreApplication::quit();
}

}  // namespace almanis
