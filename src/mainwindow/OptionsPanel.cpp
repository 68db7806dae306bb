#include "mainwindow/OptionsPanel.h"

#include "core/AppError.h"
#include "core/Guard.h"
#include "mainwindow/MainWindow.h"
#include "widgets/Services.h"
#include "core/SettingsStore.h"
#include "widgets/Design.h"
#include "desktop/LogonStartup.h"

#include <QCheckBox>

namespace almanis {

namespace {
const QString kCheck1 = QStringLiteral("Check1");
const QString kCheck2 = QStringLiteral("Check2");
const QString kCheck4 = QStringLiteral("Check4");
const QString kCheck5 = QStringLiteral("Check5");
const QString kCheck6 = QStringLiteral("Check6");
const QString kWindowsStartup = QStringLiteral("Windows Startup");
const QString kMinimized = QStringLiteral("Minimized");
const QString kOn = QStringLiteral("On");
const QString kOff = QStringLiteral("Off");
}  // namespace

Options::Options(Form1& form) : form_(form) {
    const auto handle = [](QCheckBox* box, auto handler) {
        QObject::connect(box, &QCheckBox::toggled, box, handler);
    };
    handle(form.Check1, [this] { Check1_Click(); });
    handle(form.Check2, [this] { Check2_Click(); });
    handle(form.Check3, [this] { Check3_Click(); });
    handle(form.Check4, [this] { Check4_Click(); });
    handle(form.Check5, [this] { Check5_Click(); });
    handle(form.Check6, [this] { Check6_Click(); });
    handle(form.Check8, [this] { Check8_Click(); });
}

void Options::restoreRemindBox(QCheckBox& box, const QString& key, const QString& defaultValue) {
    setCheckValue(box, wholeNumber(form_.services.settings.get(key, defaultValue)));
}

void Options::restoreOnOff(QCheckBox& box, const QString& key) {
    // Exactly "On": "on" or "ON" were never written by the program.
    box.setChecked(form_.services.settings.get(key, kOff) == kOn);
}

void Options::restore(Guard& load, int firstStep) {
    int n = firstStep;
    load.step(n, [&] { restoreRemindBox(*form_.Check1, kCheck1, QStringLiteral("1")); });
    load.step(n += 2, [&] { restoreRemindBox(*form_.Check2, kCheck2, QStringLiteral("0")); });
    load.step(n += 2, [&] { restoreRemindBox(*form_.Check4, kCheck4, QStringLiteral("0")); });
    load.step(n += 2, [&] { restoreRemindBox(*form_.Check5, kCheck5, QStringLiteral("0")); });
    load.step(n += 2, [&] { restoreRemindBox(*form_.Check6, kCheck6, QStringLiteral("0")); });
    load.step(n += 2, [&] { restoreOnOff(*form_.Check3, kWindowsStartup); });
    load.step(n += 2, [&] { restoreOnOff(*form_.Check8, kMinimized); });
}

void Options::saveRemindBox(const QCheckBox& box, const QString& key) {
    form_.services.settings.save(key, QString::number(checkValue(box)));
}

void Options::saveOnOff(const QCheckBox& box, const QString& key) {
    form_.services.settings.save(key, box.isChecked() ? kOn : kOff);
}

void Options::Check1_Click() {
    saveRemindBox(*form_.Check1, kCheck1);
}

void Options::Check2_Click() {
    saveRemindBox(*form_.Check2, kCheck2);
}

void Options::Check4_Click() {
    saveRemindBox(*form_.Check4, kCheck4);
}

void Options::Check5_Click() {
    saveRemindBox(*form_.Check5, kCheck5);
}

void Options::Check6_Click() {
    saveRemindBox(*form_.Check6, kCheck6);
}

void Options::Check8_Click() {
    saveOnOff(*form_.Check8, kMinimized);
}

void Options::Check3_Click() {
    // Restoring the box at load must neither add nor remove the start-up entry.
    if (form_.StartingUp) {
        return;
    }
    modStartUp startUp(form_.services.ui, form_.services.executablePath);
    if (form_.Check3->isChecked()) {
        form_.Check8->setVisible(true);
        saveOnOff(*form_.Check3, kWindowsStartup);
        startUp.AddToStartup();
    } else {
        // Starting in the tray only makes sense together with starting at log-on.
        form_.Check8->setChecked(false);
        form_.Check8->setVisible(false);
        saveOnOff(*form_.Check3, kWindowsStartup);
        startUp.RemoveFromStartup();
    }
}

}  // namespace almanis
