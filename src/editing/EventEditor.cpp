#include "editing/EventEditor.h"

#include "core/AppTitle.h"
#include "core/Clock.h"
#include "core/Guard.h"
#include "core/Paths.h"
#include "widgets/Services.h"
#include "widgets/Skin.h"
#include "core/Ui.h"
#include "widgets/Design.h"
#include "core/EventDate.h"
#include "store/Connection.h"
#include "store/Sql.h"

#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QLocale>
#include <QPushButton>

namespace almanis {

QString Form2::mEventID;

namespace {
constexpr char kCursorFile[] = "/HAND-M.CUR";
}

Form2::Form2(Services& services, Connection& eventDb, std::function<void()> listEvents,
             QWidget* parent)
    : QDialog(parent), services_(services), eventDb_(eventDb), listEvents_(std::move(listEvents)) {
    setWindowTitle(QStringLiteral("Add New Event Reminder"));
    setFont(windowFont());
    setFixedSize(px(8040), px(2385));
    setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                   Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint);
    pointer = new PointerRule(*this);
    pointer->watchBackground(this);

    Frame2 = new QGroupBox(QStringLiteral("Description"), this);
    Frame2->setGeometry(twipsRect(120, 60, 7800, 795));
    pointer->watchBackground(Frame2);
    Text1 = new QLineEdit(Frame2);
    Text1->setGeometry(twipsRect(240, 330, 7320, 345));

    Frame1 = new QGroupBox(QStringLiteral("Date"), this);
    Frame1->setGeometry(twipsRect(120, 915, 7800, 855));
    pointer->watchBackground(Frame1);
    MonthLabel = new QLabel(QStringLiteral("Month:"), Frame1);
    MonthLabel->setGeometry(twipsRect(240, 390, 840, 315));
    Combo1 = new QComboBox(Frame1);
    Combo1->setGeometry(twipsRect(1080, 360, 2640, 375));
    DayLabel = new QLabel(QStringLiteral("Day:"), Frame1);
    DayLabel->setGeometry(twipsRect(4080, 390, 600, 315));
    Combo2 = new QComboBox(Frame1);
    Combo2->setGeometry(twipsRect(4680, 360, 2880, 375));
    Combo2->setMaxVisibleItems(16);

    PushButton6 = new QPushButton(QStringLiteral("Save New Event Reminder"), this);
    PushButton6->setGeometry(twipsRect(120, 1890, 3840, 405));
    PushButton1 = new QPushButton(QStringLiteral("Cancel"), this);
    PushButton1->setGeometry(twipsRect(4080, 1890, 3840, 405));
    for (QPushButton* button : {PushButton6, PushButton1}) {
        button->setFont(buttonFont());
        button->setAutoDefault(false);
        pointer->watchButton(button);
    }
    connect(PushButton6, &QPushButton::clicked, this, &Form2::PushButton6_Click);
    connect(PushButton1, &QPushButton::clicked, this, &Form2::PushButton1_Click);
}

void Form2::Form_Load() {
    Guard g(services_.ui, QStringLiteral("Form2"), QStringLiteral("Form_Load"));
    g.step(100, [&] { ApplyFormColors(*this); });
    g.step(102, [&] { setWindowIcon(programIcon()); });
    if (g.test(104,
               [&] { return FileExists(services_.programFolder + QLatin1String(kCursorFile)); })) {
        g.step(106, [&] {
            pointer->loadCustomPointer(services_.programFolder + QLatin1String(kCursorFile));
        });
    }
    g.step(108, [&] {
        Combo1->clear();
        for (int month = 1; month <= 12; ++month) {
            Combo1->addItem(QLocale().standaloneMonthName(month, QLocale::LongFormat));
        }
    });
    g.step(110, [&] {
        Combo2->clear();
        for (int day = 1; day <= 31; ++day) {
            Combo2->addItem(QString::number(day));
        }
    });
    if (g.test(112, [&] { return mEventID.isEmpty(); })) {
        g.step(114, [&] { Combo1->setCurrentIndex(services_.clock.today().month() - 1); });
        g.step(116, [&] { Combo2->setCurrentIndex(services_.clock.today().day() - 1); });
    } else {
        g.step(118, [&] {
            Combo1->setCurrentIndex(-1);
            Combo2->setCurrentIndex(-1);
        });
    }
}

void Form2::PushButton6_Click() {
    Guard g(services_.ui, QStringLiteral("Form2"), QStringLiteral("PushButton6_Click"));
    const int month = Combo1->currentIndex() + 1;
    bool dayOk = false;
    const int day = Combo2->currentText().toInt(&dayOk);
    if (!g.test(100, [&] { return dayOk && isValidEventDate(month, day); })) {
        services_.ui.inform(QStringLiteral("Selected date is invalid."), appTitle());
        return;
    }
    if (!g.test(102, [&] { return !Text1->text().trimmed().isEmpty(); })) {
        services_.ui.inform(QStringLiteral("You forgot to input description."), appTitle());
        return;
    }
    g.step(104, [&] {
        eventDb_.execute(mEventID.isEmpty()
                             ? sql::insertEvent(Text1->text(), month, day)
                             : sql::updateEvent(Text1->text(), month, day, mEventID));
    });
    g.step(106, [&] { listEvents_(); });
    g.step(108, [&] { accept(); });
}

void Form2::PushButton1_Click() {
    Guard g(services_.ui, QStringLiteral("Form2"), QStringLiteral("PushButton1_Click"));
    g.step(100, [&] { QDialog::reject(); });
}

void Form2::reject() {
    // The close box and Escape cancel, like the Cancel button.
    PushButton1_Click();
}

}  // namespace almanis
