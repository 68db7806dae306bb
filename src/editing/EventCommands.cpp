#include "editing/EventCommands.h"

#include "core/AppError.h"
#include "core/AppTitle.h"
#include "core/Guard.h"
#include "mainwindow/MainWindow.h"
#include "widgets/Services.h"
#include "core/Ui.h"
#include "editing/EventEditor.h"
#include "alarm/AlarmWindow.h"
#include "store/Sql.h"

#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>

namespace almanis {

MainCommands::MainCommands(Form1& form) : form_(form) {
    connect(form.PushButton1, &QPushButton::clicked, this, &MainCommands::PushButton1_Click);
    connect(form.PushButton2, &QPushButton::clicked, this, &MainCommands::PushButton2_Click);
    connect(form.PushButton3, &QPushButton::clicked, this, &MainCommands::PushButton3_Click);
    connect(form.PushButton4, &QPushButton::clicked, this, &MainCommands::PushButton4_Click);
    connect(form.PushButton5, &QPushButton::clicked, this, &MainCommands::PushButton5_Click);
    connect(form.PushButton6, &QPushButton::clicked, this, &MainCommands::PushButton6_Click);
    connect(form.PushButton7, &QPushButton::clicked, this, &MainCommands::PushButton7_Click);
}

void MainCommands::PushButton6_Click() {
    Guard g(form_.services.ui, QStringLiteral("Form1"), QStringLiteral("PushButton6_Click"));
    g.step(100, [] { Form2::mEventID.clear(); });
    g.step(102, [&] {
        Form2 editor(form_.services, form_.EventDb, [this] { form_.ListEvents(); });
        editor.Form_Load();
        form_.services.ui.showModal(editor, nullptr);
    });
}

void MainCommands::PushButton2_Click() {
    Guard g(form_.services.ui, QStringLiteral("Form1"), QStringLiteral("PushButton2_Click"));
    // With no row selected there is nothing to edit, as with an empty list.
    const int row = form_.selectedRow();
    if (form_.ListView1.count() == 0 || row < 0) {
        return;
    }
    ListViewModel& list = form_.ListView1;
    g.step(102, [&] { Form2::mEventID = list.text(row); });
    // The dialog loads at its first touch, with mEventID already set.
    Form2 editor(form_.services, form_.EventDb, [this] { form_.ListEvents(); });
    editor.Form_Load();
    g.step(104, [&] { editor.Text1->setText(list.subItem(row, 1)); });
    g.step(106, [&] {
        const int index = wholeNumber(list.subItem(row, 5)) - 1;
        if (index < 0 || index >= editor.Combo1->count()) {
            throw AppError(QStringLiteral("Invalid property value: month %1").arg(index + 1));
        }
        editor.Combo1->setCurrentIndex(index);
    });
    g.step(108, [&] {
        const int index = editor.Combo2->findText(list.subItem(row, 3), Qt::MatchExactly);
        if (index < 0) {
            throw AppError(
                QStringLiteral("Invalid property value: day %1").arg(list.subItem(row, 3)));
        }
        editor.Combo2->setCurrentIndex(index);
    });
    g.step(110, [&] { form_.services.ui.showModal(editor, nullptr); });
}

void MainCommands::PushButton1_Click() {
    Guard g(form_.services.ui, QStringLiteral("Form1"), QStringLiteral("PushButton1_Click"));
    const int row = form_.selectedRow();
    if (form_.ListView1.count() == 0 || row < 0) {
        return;
    }
    bool yes = false;
    g.step(102, [&] {
        yes = form_.services.ui.askYesNo(QStringLiteral("Are you sure you want to delete ") +
                                             form_.ListView1.subItem(row, 1) + QLatin1Char('?'),
                                         QStringLiteral("Delete Selected Event Reminder"));
    });
    if (!yes) {
        return;
    }
    g.step(104, [&] { form_.EventDb.execute(sql::deleteEvent(form_.ListView1.text(row))); });
    g.step(106, [&] { form_.ListEvents(); });
}

void MainCommands::PushButton4_Click() {
    Guard g(form_.services.ui, QStringLiteral("Form1"), QStringLiteral("PushButton4_Click"));
    g.step(100, [&] { form_.EventDb.execute(sql::insertSampleEvent()); });
    g.step(102, [&] { form_.ListEvents(); });
}

void MainCommands::PushButton3_Click() {
    Guard g(form_.services.ui, QStringLiteral("Form1"), QStringLiteral("PushButton3_Click"));
    g.step(100, [&] { form_.Timer1.setInterval(0); });
    g.step(102, [&] { form_.Timer1.setEnabled(false); });
    g.step(104, [] { Form3::isTesting = true; });
    g.step(106, [&] { form_.showAlarmWindow(&form_); });
    g.step(108, [] { Form3::isTesting = false; });
    g.step(110, [&] { form_.Timer1.setInterval(1000); });
    g.step(112, [&] { form_.Timer1.setEnabled(true); });
}

void MainCommands::PushButton7_Click() {
    Guard g(form_.services.ui, QStringLiteral("Form1"), QStringLiteral("PushButton7_Click"));
    g.step(100, [&] {
        form_.services.ui.inform(QStringLiteral("This is what the alarm will look like when it "
                                                "goes off in case you are wondering."),
                                 appTitle());
    });
}

void MainCommands::PushButton5_Click() {
    Guard g(form_.services.ui, QStringLiteral("Form1"), QStringLiteral("PushButton5_Click"));
    g.step(100, [&] {
        form_.services.ui.inform(QStringLiteral("Questions? Please contact Team Marrowind at ") +
                                     QLatin1String(kContactPage),
                                 appTitle());
    });
}

}  // namespace almanis
