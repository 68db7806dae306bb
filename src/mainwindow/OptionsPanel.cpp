#include "mainwindow/OptionsPanel.h"

#include "core/AppError.h"
#include "core/AppTitle.h"
#include "core/Guard.h"
#include "core/SettingsStore.h"
#include "core/Ui.h"
#include "desktop/LogonStartup.h"
#include "widgets/Design.h"
#include "widgets/Services.h"

#include <QCheckBox>

namespace almanis {

namespace {
// The settings keys, as every earlier version of the program stored them.
const QString kRemindOnTheDayKey = QStringLiteral("Check1");
const QString kRemindThreeDaysKey = QStringLiteral("Check2");
const QString kRemindSevenDaysKey = QStringLiteral("Check4");
const QString kRemindFourteenDaysKey = QStringLiteral("Check5");
const QString kRemindThirtyDaysKey = QStringLiteral("Check6");
const QString kStartAtLogonKey = QStringLiteral("Windows Startup");
const QString kStartInTrayKey = QStringLiteral("Minimized");
// Added later than the others, in their form.
const QString kKeepRunningKey = QStringLiteral("Keep Running");
const QString kOn = QStringLiteral("On");
const QString kOff = QStringLiteral("Off");
}  // namespace

OptionsPanel::OptionsPanel(Services& services, Boxes boxes, QObject* parent)
    : QObject(parent), services_(services), boxes_(boxes) {
    const auto storeOnChange = [this](QCheckBox* box, const QString& key) {
        connect(box, &QCheckBox::toggled, this, [this, box, key] { saveRemindBox(*box, key); });
    };
    storeOnChange(boxes_.remindOnTheDay, kRemindOnTheDayKey);
    storeOnChange(boxes_.remindThreeDaysBefore, kRemindThreeDaysKey);
    storeOnChange(boxes_.remindSevenDaysBefore, kRemindSevenDaysKey);
    storeOnChange(boxes_.remindFourteenDaysBefore, kRemindFourteenDaysKey);
    storeOnChange(boxes_.remindThirtyDaysBefore, kRemindThirtyDaysKey);
    connect(boxes_.startAtLogon, &QCheckBox::toggled, this, &OptionsPanel::startAtLogonChanged);
    connect(boxes_.startInTray, &QCheckBox::toggled, this,
            [this] { saveOnOff(*boxes_.startInTray, kStartInTrayKey); });
    connect(boxes_.keepRunning, &QCheckBox::toggled, this,
            [this] { saveOnOff(*boxes_.keepRunning, kKeepRunningKey); });
}

void OptionsPanel::restoreRemindBox(QCheckBox& box, const QString& key,
                                    const QString& defaultValue) {
    try {
        setCheckValue(box, wholeNumber(services_.settings.get(key, defaultValue)));
    } catch (const AppError&) {
        resetToDefault(box, key, defaultValue);
        box.setChecked(defaultValue == QLatin1String("1"));
    }
}

void OptionsPanel::restoreOnOff(QCheckBox& box, const QString& key) {
    // Exactly "On" or "Off": "on" or "ON" were never written by the program.
    const QString value = services_.settings.get(key, kOff);
    if (value != kOn && value != kOff) {
        resetToDefault(box, key, kOff);
    }
    box.setChecked(value == kOn);
}

void OptionsPanel::resetToDefault(const QCheckBox& box, const QString& key,
                                  const QString& defaultValue) {
    // Written back at once, so that the next start reads it without a word.
    reset_ << withoutMnemonic(box.text());
    save(box, key, defaultValue);
}

void OptionsPanel::tellReset() {
    if (reset_.isEmpty()) {
        return;
    }
    //: %1 is the settings file, %2 the options' captions, one a line.
    services_.ui.inform(
        tr("The options file %1 held values that Almanis cannot read. These "
           "options were set back to their defaults:\r\n%2")
            .arg(services_.settings.location(), reset_.join(QStringLiteral("\r\n"))),
        appTitle());
    reset_.clear();
}

void OptionsPanel::restore(Guard& load, int firstStep) {
    int n = firstStep;
    const QString one = QStringLiteral("1");
    const QString zero = QStringLiteral("0");
    load.step(n, [&] { restoreRemindBox(*boxes_.remindOnTheDay, kRemindOnTheDayKey, one); });
    load.step(n += 2,
              [&] { restoreRemindBox(*boxes_.remindThreeDaysBefore, kRemindThreeDaysKey, zero); });
    load.step(n += 2,
              [&] { restoreRemindBox(*boxes_.remindSevenDaysBefore, kRemindSevenDaysKey, zero); });
    load.step(n += 2, [&] {
        restoreRemindBox(*boxes_.remindFourteenDaysBefore, kRemindFourteenDaysKey, zero);
    });
    load.step(n += 2, [&] {
        restoreRemindBox(*boxes_.remindThirtyDaysBefore, kRemindThirtyDaysKey, zero);
    });
    load.step(n += 2, [&] { restoreOnOff(*boxes_.startAtLogon, kStartAtLogonKey); });
    load.step(n += 2, [&] { restoreOnOff(*boxes_.startInTray, kStartInTrayKey); });
    // The load's next even number was taken when this box came; the one
    // report of the options set back joins it, as no number is free after it.
    load.step(n + 1, [&] {
        restoreOnOff(*boxes_.keepRunning, kKeepRunningKey);
        tellReset();
    });
}

RemindWindows OptionsPanel::remindWindows() const {
    return RemindWindows{
        boxes_.remindOnTheDay->isChecked(), boxes_.remindThreeDaysBefore->isChecked(),
        boxes_.remindSevenDaysBefore->isChecked(), boxes_.remindFourteenDaysBefore->isChecked(),
        boxes_.remindThirtyDaysBefore->isChecked()};
}

bool OptionsPanel::startInTray() const {
    return boxes_.startInTray->isChecked();
}

bool OptionsPanel::keepRunning() const {
    return boxes_.keepRunning->isChecked();
}

void OptionsPanel::saveRemindBox(const QCheckBox& box, const QString& key) {
    save(box, key, QString::number(checkValue(box)));
}

void OptionsPanel::saveOnOff(const QCheckBox& box, const QString& key) {
    save(box, key, box.isChecked() ? kOn : kOff);
}

void OptionsPanel::save(const QCheckBox& box, const QString& key, const QString& value) {
    try {
        services_.settings.save(key, value);
    } catch (const AppError& e) {
        // The box keeps the user's choice for this run. Said once: every later
        // change would only fail the same way.
        if (saveFailureTold_) {
            return;
        }
        saveFailureTold_ = true;
        services_.ui.inform(
            tr("The option \"%1\" could not be stored in %2: %3.\r\nIt stays as you set it "
               "until Almanis ends, and so do the other options you change.")
                .arg(withoutMnemonic(box.text()), services_.settings.location(), e.description()),
            appTitle());
    }
}

void OptionsPanel::startAtLogonChanged() {
    // Restoring the box at load must neither add nor remove the log-on entry.
    if (startingUp_) {
        return;
    }
    LogonStartup logon(services_.ui, services_.executablePath);
    if (boxes_.startAtLogon->isChecked()) {
        boxes_.startInTray->setVisible(true);
        saveOnOff(*boxes_.startAtLogon, kStartAtLogonKey);
        logon.enable();
    } else {
        // Starting in the tray only makes sense together with starting at log-on.
        boxes_.startInTray->setChecked(false);
        boxes_.startInTray->setVisible(false);
        saveOnOff(*boxes_.startAtLogon, kStartAtLogonKey);
        logon.disable();
    }
}

}  // namespace almanis
