#include "mainwindow/MainWindow.h"

#include "core/AppTitle.h"
#include "core/Clock.h"
#include "core/Guard.h"
#include "mainwindow/OptionsPanel.h"
#include "core/Paths.h"
#include "widgets/Services.h"
#include "core/Ui.h"
#include "widgets/Design.h"
#include "desktop/TrayIcon.h"
#include "editing/FileCommands.h"
#include "editing/EventCommands.h"
#include "alarm/AlarmWindow.h"
#include "store/DataFolder.h"

#include <QCheckBox>
#include <QCloseEvent>
#include <QCoreApplication>
#include <QGroupBox>
#include <QPushButton>
#include <QTreeView>

namespace almanis {

namespace {
constexpr char kCursorFile[] = "/HAND-M.CUR";
}

Form1::Form1(Services& services_)
    : services(services_),
      cSysTray1(std::make_unique<cSysTray>(services_.trayShell)),
      engine_(services_.ui, services_.clock, EventDb, ListView1, Timer1, *this),
      duration(engine_.duration) {
    pointer = new PointerRule(*this);
    createControls();
    cSysTray1->setTrayIcon(programIcon());
    options_ = std::make_unique<Options>(*this);
    commands_ = std::make_unique<MainCommands>(*this);
    exchange_ = std::make_unique<ExchangeCommands>(*this);
    connect(&Timer1, &PollTimer::Timer, this, [this] { Timer1_Timer(); });
    connect(cSysTray1.get(), &cSysTray::MouseUp, this, &Form1::cSysTray1_MouseUp);
}

Form1::~Form1() = default;

QPushButton* Form1::button(const QString& caption, int left, int top, int width) {
    auto* b = new QPushButton(caption, this);
    b->setFont(buttonFont());
    b->setGeometry(twipsRect(left, top, width, 405));
    b->setFocusPolicy(Qt::TabFocus);
    pointer->watchButton(b);
    return b;
}

QCheckBox* Form1::checkBox(QWidget* frame, const QString& caption, int left, int top, int width) {
    auto* box = new QCheckBox(caption, frame);
    box->setGeometry(twipsRect(left, top, width, 300));
    pointer->watchBackground(box);
    return box;
}

void Form1::createControls() {
    setFont(windowFont());
    setFixedSize(px(8040), px(8190));
    setWindowFlags(Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                   Qt::WindowSystemMenuHint | Qt::WindowMinimizeButtonHint |
                   Qt::WindowCloseButtonHint);
    pointer->watchBackground(this);

    PushButton5 = button(QStringLiteral("Help"), 120, 120, 7800);
    ListView1View = makeListView(this, ListView1);
    ListView1View->setGeometry(twipsRect(120, 630, 7800, 2300));
    pointer->watchBackground(ListView1View);
    pointer->watchBackground(ListView1View->viewport());
    PushButton6 = button(QStringLiteral("Add Reminder"), 120, 3030, 3840);
    PushButton1 = button(QStringLiteral("Delete Reminder"), 4080, 3030, 3840);
    PushButton2 = button(QStringLiteral("Edit Reminder"), 120, 3540, 3840);
    PushButton4 = button(QStringLiteral("Load Sample/Example Data"), 4080, 3540, 3840);
    PushButton8 = button(QStringLiteral("Import Events From Text File"), 120, 4050, 3840);
    PushButton9 = button(QStringLiteral("Export Events To File"), 4080, 4050, 3240);
    PushButton10 = button(QStringLiteral("?"), 7440, 4050, 480);

    Frame2 = new QGroupBox(QStringLiteral("Remind Options"), this);
    Frame2->setGeometry(twipsRect(120, 4560, 7800, 2175));
    pointer->watchBackground(Frame2);
    Check1 = checkBox(Frame2, QStringLiteral("Remind me on the day of the event"), 240, 300, 7320);
    Check2 = checkBox(Frame2, QStringLiteral("Remind me 3 days before event"), 240, 650, 7320);
    Check4 = checkBox(Frame2, QStringLiteral("Remind me 7 days before event"), 240, 1000, 7320);
    Check5 = checkBox(Frame2, QStringLiteral("Remind me 14 days before event"), 240, 1350, 7320);
    Check6 = checkBox(Frame2, QStringLiteral("Remind me 30 days before event"), 240, 1700, 7320);

    Frame1 = new QGroupBox(QStringLiteral("Startup Options"), this);
    Frame1->setGeometry(twipsRect(120, 6795, 7800, 735));
    pointer->watchBackground(Frame1);
    Check3 =
        checkBox(Frame1, QStringLiteral("Load this software on Windows startup"), 240, 300, 3780);
    Check8 = checkBox(Frame1, QStringLiteral("Start in system tray"), 4080, 300, 3600);

    PushButton3 = button(QStringLiteral("Test Alarm"), 120, 7650, 7200);
    PushButton7 = button(QStringLiteral("?"), 7440, 7650, 480);

    // The design state: only the day-of-event reminder ticked, white frames and boxes.
    Check1->setChecked(true);
    applyDesignColors(*this);
}

void Form1::Form_Load() {
    Guard g(services.ui, QStringLiteral("Form1"), QStringLiteral("Form_Load"));
    g.step(100, [] { createFolder(makerFolder()); });
    g.step(102, [] { createFolder(dataFolder()); });
    g.step(104, [&] { copySeedIfMissing(services.programFolder, dataFolder()); });
    g.step(106, [&] { StartingUp = true; });
    g.step(108, [&] { ApplySkin(*this, SkinFramework1, services.programFolder); });
    g.step(110, [&] { EventDb.close(); });
    g.step(112, [&] { EventDb.open(dataFolder() + QLatin1String(kWorkingStore)); });
    if (g.test(114,
               [&] { return FileExists(services.programFolder + QLatin1String(kCursorFile)); })) {
        g.step(116, [&] {
            pointer->loadCustomPointer(services.programFolder + QLatin1String(kCursorFile));
        });
    }
    if (g.test(118, [&] { return services.chance.oneToHundred() == 7; })) {
        g.step(120, [&] { services.ui.openUrl(QLatin1String(kHomePage)); });
    }
    g.step(122, [&] { setWindowTitle(QStringLiteral("Almanis")); });
    g.step(124, [&] { setWindowIcon(programIcon()); });
    g.step(126, [] { SetAppTitle(); });
    g.step(128, [&] { cSysTray1->setTrayTip(QStringLiteral("Almanis")); });
    g.step(130, [&] { cSysTray1->setInTray(true); });
    g.step(132, [&] {
        for (const char* header : {"id", "Description", "Month", "Day", "Day(s) Left", "MonthNo"}) {
            ListView1.addColumn(QLatin1String(header));
        }
    });
    g.step(134, [&] {
        const int widths[] = {1, 2700, 1800, 1300, 1500, 0};
        for (int column = 0; column < 6; ++column) {
            ListView1.setColumnWidth(column, widths[column]);
        }
    });
    options_->restore(g, 136);
    if (g.test(150, [&] { return Check8->isChecked(); })) {
        g.step(152, [&] {
            setWindowState(windowState() | Qt::WindowMinimized);
            Form_Resize();
        });
    }
    g.step(154, [] { Form3::isTesting = false; });
    g.step(156, [&] { Timer1.setInterval(1000); });
    // A window that starts in the tray, or minimised where there is no tray, is
    // not activated until the user brings it back; the list and the start-up due
    // check must not wait for that.
    if (StartingUp && (HiddenInTray || (windowState() & Qt::WindowMinimized))) {
        Form_Activate();
    }
}

void Form1::Form_Activate() {
    // The alarm window opened by the first fill activates this window again when
    // it closes; that is no second first activation.
    if (activating_) {
        return;
    }
    activating_ = true;
    Guard g(services.ui, QStringLiteral("Form1"), QStringLiteral("Form_Activate"));
    if (g.test(100, [&] { return StartingUp; })) {
        g.step(102, [&] { ListEvents(); });
    }
    g.step(104, [&] { StartingUp = false; });
    activating_ = false;
}

void Form1::Form_QueryUnload() {
    Guard g(services.ui, QStringLiteral("Form1"), QStringLiteral("Form_QueryUnload"));
    if (g.test(100, [&] { return EventDb.state() != 0; })) {
        g.step(102, [&] { EventDb.close(); });
    }
    g.step(104, [&] { Timer1.setEnabled(false); });
    g.step(106, [&] { cSysTray1->setInTray(false); });
    g.step(108, [] {
        QCoreApplication::processEvents();
        QCoreApplication::processEvents();
    });
}

void Form1::Form_Resize() {
    if (!(windowState() & Qt::WindowMinimized) || HiddenInTray) {
        return;
    }
    // Without a tray host a hidden window could never be brought back, so it
    // stays an ordinary minimised window until a tray appears.
    if (!services.trayShell.available()) {
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
    HiddenInTray = true;
    cSysTray1->ShowBalloon(
        QStringLiteral("has been minimized to the system tray.\r\n"
                       "Click on the blue 'M' icon (M for Marrowind) to bring the "
                       "software back."),
        QStringLiteral("Almanis"), 5, true);
}

void Form1::cSysTray1_MouseUp(int /*button*/, int /*id*/) {
    // Started in the tray, or minimised while there was no tray to hide in: back
    // to its normal size too.
    if (windowState() & Qt::WindowMinimized) {
        setWindowState(windowState() & ~Qt::WindowMinimized);
    }
    show();
    activateWindow();
    raise();
    HiddenInTray = false;
}

RemindWindows Form1::remindWindows() const {
    return RemindWindows{Check1->isChecked(), Check2->isChecked(), Check4->isChecked(),
                         Check5->isChecked(), Check6->isChecked()};
}

void Form1::showAlarm() {
    showAlarmWindow(nullptr);
}

void Form1::showAlarmWindow(QWidget* owner) {
    Form3 alarm(services, EventDb, engine_, remindWindows(), owner);
    alarm.Form_Load();
    services.ui.showModal(alarm, owner);
}

int Form1::selectedRow() const {
    const QModelIndexList rows = ListView1View->selectionModel()->selectedRows();
    return rows.isEmpty() ? -1 : rows.first().row();
}

bool Form1::event(QEvent* event) {
    const bool result = QWidget::event(event);
    if (event->type() == QEvent::WindowActivate) {
        Form_Activate();
    }
    return result;
}

void Form1::changeEvent(QEvent* event) {
    QWidget::changeEvent(event);
    if (event->type() == QEvent::WindowStateChange) {
        Form_Resize();
    }
}

void Form1::closeEvent(QCloseEvent* event) {
    if (!closed_) {
        closed_ = true;
        Form_QueryUnload();
    }
    event->accept();
    // Closing the main window ends the program, whatever other window is open.
    QCoreApplication::quit();
}

}  // namespace almanis
