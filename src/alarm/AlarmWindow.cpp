#include "alarm/AlarmWindow.h"

#include "core/Clock.h"
#include "core/Guard.h"
#include "core/Paths.h"
#include "widgets/Services.h"
#include "widgets/Skin.h"
#include "widgets/Design.h"
#include "reminders/ReminderEngine.h"
#include "store/ResultSet.h"
#include "store/Sql.h"

#include <QComboBox>
#include <QGroupBox>
#include <QGuiApplication>
#include <QPushButton>
#include <QScreen>
#include <QTreeView>

namespace almanis {

namespace {
constexpr char kCursorFile[] = "/HAND-M.CUR";
constexpr char kSoundFile[] = "/Event.wav";
}  // namespace

bool Form3::isTesting = false;

Form3::Form3(Services& services, const Connection& eventDb, ReminderEngine& engine,
             const RemindWindows& windows, QWidget* parent)
    : QDialog(parent),
      MMControl1(services.sound),
      services_(services),
      eventDb_(eventDb),
      engine_(engine),
      windows_(windows) {
    pointer = new PointerRule(*this);
    createControls();
}

void Form3::createControls() {
    setWindowTitle(QStringLiteral("Event Alert!"));
    // Without CustomizeWindowHint the window manager adds its own minimise and
    // maximise buttons.
    setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                   Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint);
    setFont(windowFont());
    setFixedSize(px(8040), px(4320));
    pointer->watchBackground(this);

    ListView1View = makeListView(this, ListView1);
    ListView1View->setGeometry(twipsRect(120, 120, 7800, 2760));
    pointer->watchBackground(ListView1View);
    pointer->watchBackground(ListView1View->viewport());

    Frame1 = new QGroupBox(this);
    Frame1->setGeometry(twipsRect(120, 2970, 7800, 735));
    pointer->watchBackground(Frame1);

    PushButton1 = new QPushButton(QStringLiteral("Remind Me Later"), Frame1);
    PushButton1->setGeometry(twipsRect(240, 210, 3840, 405));

    Combo1 = new QComboBox(Frame1);
    Combo1->setGeometry(px(4320), px(240), px(3255), Combo1->sizeHint().height());

    PushButton2 = new QPushButton(QStringLiteral("Do Not Remind Me Again"), this);
    PushButton2->setGeometry(twipsRect(120, 3810, 7800, 405));

    for (QPushButton* button : {PushButton1, PushButton2}) {
        button->setFont(buttonFont());
        button->setFocusPolicy(Qt::TabFocus);
        // Enter in the list or the delay box must not answer for the user.
        button->setAutoDefault(false);
        pointer->watchButton(button);
    }
    connect(PushButton1, &QPushButton::clicked, this, &Form3::PushButton1_Click);
    connect(PushButton2, &QPushButton::clicked, this, &Form3::PushButton2_Click);

    // Centred on the screen, also when an owner window is given.
    QScreen* screen = parentWidget() ? parentWidget()->screen() : QGuiApplication::primaryScreen();
    if (screen) {
        move(screen->availableGeometry().center() - rect().center());
    }
}

void Form3::Form_Load() {
    Guard g(services_.ui, QStringLiteral("Form3"), QStringLiteral("Form_Load"));
    const QString cursorPath = services_.programFolder + QLatin1String(kCursorFile);
    const QString soundPath = services_.programFolder + QLatin1String(kSoundFile);
    g.step(100, [&] { ApplyFormColors(*this); });
    g.step(102, [&] { setWindowIcon(programIcon()); });
    g.step(104, [&] { ListView1.addColumn(QStringLiteral("Description")); });
    g.step(106, [&] { ListView1.setColumnWidth(0, 4000); });
    g.step(108, [&] { ListTodayEvent(); });
    if (g.test(110, [&] { return FileExists(cursorPath); })) {
        g.step(112, [&] { pointer->loadCustomPointer(cursorPath); });
    }
    if (g.test(114, [] { return isTesting; })) {
        g.step(116,
               [&] { ListView1.addItem(QStringLiteral("New Day Has Come is today's Event.")); });
    }
    g.step(118, [&] {
        Combo1->addItems(
            {QStringLiteral("Remind after 1 hour"), QStringLiteral("Remind after 2 hours"),
             QStringLiteral("Remind after 6 hours"), QStringLiteral("Remind after 12 hours")});
    });
    g.step(120, [&] { Combo1->setCurrentIndex(0); });
    g.step(122, [&] {
        // Any other duration, 0 included, keeps the first delay.
        for (int position = 0; position < 4; ++position) {
            if (kDelaySeconds[position] == engine_.duration) {
                Combo1->setCurrentIndex(position);
            }
        }
    });
    if (g.test(124, [&] { return FileExists(soundPath); })) {
        g.step(126, [&] { MMControl1.FileName = soundPath; });
        g.step(128, [&] { MMControl1.Command(QStringLiteral("Open")); });
        g.step(130, [&] { MMControl1.Command(QStringLiteral("Play")); });
    }
}

void Form3::ListTodayEvent() {
    Guard g(services_.ui, QStringLiteral("Form3"), QStringLiteral("ListTodayEvent"));
    ResultSet rs;
    g.step(100, [&] { ListView1.clear(); });
    // An unreadable store is reported once and leaves the list empty.
    if (!g.step(102, [&] { rs.open(sql::selectEvents(), eventDb_); })) {
        return;
    }
    while (!rs.eof()) {
        // A row whose date can't be built is reported and not listed.
        const std::optional<int> n = g.value(104, [&] {
            return DaysLeft(wholeNumber(rs.field("EventMonth")), wholeNumber(rs.field("EventDay")),
                            services_.clock.today());
        });
        if (n && isDue(*n, windows_)) {  // 106
            g.step(108, [&] {
                const QString description = rs.field("Description").toString();
                ListView1.addItem(*n == 0 ? description + QStringLiteral(" is today.")
                                          : description + QStringLiteral(" is in ") +
                                                QString::number(*n) + QStringLiteral(" days."));
            });
            g.step(110, [] { isTesting = false; });
        }
        if (!g.step(112, [&] { rs.moveNext(); })) {
            return;
        }
    }
    g.step(114, [&] {
        if (rs.state() != 0) {
            rs.close();
        }
    });
}

void Form3::PushButton1_Click() {
    Guard g(services_.ui, QStringLiteral("Form3"), QStringLiteral("PushButton1_Click"));
    g.step(100, [&] {
        // With no delay selected the interval stays as it was.
        const int position = Combo1->currentIndex();
        if (position >= 0 && position < 4) {
            engine_.duration = kDelaySeconds[position];
        }
    });
    g.step(102, [&] { close(); });
}

void Form3::PushButton2_Click() {
    Guard g(services_.ui, QStringLiteral("Form3"), QStringLiteral("PushButton2_Click"));
    // A test window never switches the real reminder off.
    if (g.test(100, [] { return !isTesting; })) {
        g.step(102, [&] { engine_.duration = 0; });
    }
    g.step(104, [&] { close(); });
}

}  // namespace almanis
