#include "editing/EventEditor.h"

#include "core/AppError.h"
#include "core/AppTitle.h"
#include "core/Clock.h"
#include "core/EventDate.h"
#include "core/EventDescription.h"
#include "core/Guard.h"
#include "core/Paths.h"
#include "core/Ui.h"
#include "store/Connection.h"
#include "widgets/Design.h"
#include "widgets/LabelledComboBox.h"
#include "widgets/PointerRule.h"
#include "widgets/Services.h"

#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QLocale>
#include <QPushButton>
#include <limits>

namespace almanis {

namespace {
constexpr char kCursorFile[] = "/HAND-M.CUR";

template <class W>
W* named(W* widget, const char* objectName) {
    widget->setObjectName(QLatin1String(objectName));
    return widget;
}
}  // namespace

EventEditor::EventEditor(Services& services, Connection& store, std::optional<qint64> eventId,
                         QWidget* parent)
    : QDialog(parent), services_(services), store_(store), eventId_(eventId) {
    setObjectName(QStringLiteral("Form2"));
    setWindowTitle(tr("Add New Event Reminder"));
    setFont(windowFont());
    setFixedSize(px(8040), px(2385));
    setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                   Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint);
    pointer_ = new PointerRule(*this);
    pointer_->watchBackground(this);

    // The frame's mnemonic moves the focus to the description inside it.
    descriptionFrame_ = named(new QGroupBox(tr("D&escription"), this), "Frame2");
    descriptionFrame_->setGeometry(twipsRect(120, 60, 7800, 795));
    pointer_->watchBackground(descriptionFrame_);
    descriptionEdit_ = named(new QLineEdit(descriptionFrame_), "Text1");
    descriptionEdit_->setGeometry(twipsRect(240, 330, 7320, 345));
    // The field itself never cuts a stored or pasted description: a save refuses
    // one that is too long, and says so.
    descriptionEdit_->setMaxLength(std::numeric_limits<int>::max());

    dateFrame_ = named(new QGroupBox(tr("Date"), this), "Frame1");
    dateFrame_->setGeometry(twipsRect(120, 915, 7800, 855));
    pointer_->watchBackground(dateFrame_);
    monthLabel_ = named(new QLabel(tr("&Month:"), dateFrame_), "Label1_1");
    monthLabel_->setGeometry(twipsRect(240, 390, 840, 315));
    monthBox_ = named(new LabelledComboBox(dateFrame_), "Combo1");
    monthBox_->setGeometry(twipsRect(1080, 360, 2640, 375));
    monthBox_->setLabel(*monthLabel_);
    dayLabel_ = named(new QLabel(tr("&Day:"), dateFrame_), "Label1_2");
    dayLabel_->setGeometry(twipsRect(4080, 390, 600, 315));
    dayBox_ = named(new LabelledComboBox(dateFrame_), "Combo2");
    dayBox_->setGeometry(twipsRect(4680, 360, 2880, 375));
    dayBox_->setMaxVisibleItems(16);
    dayBox_->setLabel(*dayLabel_);

    saveButton_ = named(new QPushButton(tr("&Save New Event Reminder"), this), "PushButton6");
    saveButton_->setGeometry(twipsRect(120, 1890, 3840, 405));
    cancelButton_ = named(new QPushButton(tr("&Cancel"), this), "PushButton1");
    cancelButton_->setGeometry(twipsRect(4080, 1890, 3840, 405));
    for (QPushButton* button : {saveButton_, cancelButton_}) {
        button->setFont(buttonFont());
        pointer_->watchButton(button);
    }
    // Enter saves wherever the focus is, except on Cancel, which Enter presses;
    // Escape cancels (see reject()).
    saveButton_->setDefault(true);
    connect(saveButton_, &QPushButton::clicked, this, &EventEditor::save);
    connect(cancelButton_, &QPushButton::clicked, this, &EventEditor::cancel);
}

void EventEditor::load() {
    Guard g(services_.ui, where::editorLoad);
    const QString cursorPath = services_.programFolder + QLatin1String(kCursorFile);
    g.step(100, [&] { applyButtonFaceColours(*this); });
    g.step(102, [&] { setWindowIcon(programIcon()); });
    if (g.test(104, [&] { return fileExists(cursorPath); })) {
        g.step(106, [&] { pointer_->loadHand(cursorPath); });
    }
    g.step(108, [&] {
        monthBox_->clear();
        for (int month = 1; month <= 12; ++month) {
            monthBox_->addItem(QLocale().standaloneMonthName(month, QLocale::LongFormat));
        }
    });
    g.step(110, [&] {
        dayBox_->clear();
        for (int day = 1; day <= 31; ++day) {
            dayBox_->addItem(QString::number(day));
        }
    });
    if (g.test(112, [&] { return !eventId_.has_value(); })) {
        g.step(114, [&] { monthBox_->setCurrentIndex(services_.clock.today().month() - 1); });
        g.step(116, [&] { dayBox_->setCurrentIndex(services_.clock.today().day() - 1); });
    } else {
        g.step(118, [&] {
            monthBox_->setCurrentIndex(-1);
            dayBox_->setCurrentIndex(-1);
        });
    }
}

void EventEditor::setDescription(const QString& description) {
    descriptionEdit_->setText(description);
}

void EventEditor::expectStored(const ListedEvent& stored) {
    stored_ = stored;
}

void EventEditor::selectMonth(int month) {
    if (month < 1 || month > monthBox_->count()) {
        throw AppError(tr("Invalid property value: month %1").arg(month));
    }
    monthBox_->setCurrentIndex(month - 1);
}

void EventEditor::selectDay(int day) {
    const int index = dayBox_->findText(QString::number(day), Qt::MatchExactly);
    if (index < 0) {
        throw AppError(tr("Invalid property value: day %1").arg(day));
    }
    dayBox_->setCurrentIndex(index);
}

void EventEditor::save() {
    Guard g(services_.ui, where::editorSave);
    const int month = monthBox_->currentIndex() + 1;
    bool dayOk = false;
    const int day = dayBox_->currentText().toInt(&dayOk);
    if (!g.test(100, [&] { return dayOk && isValidEventDate(month, day); })) {
        services_.ui.inform(tr("Selected date is invalid."), appTitle());
        return;
    }
    // Blanks around the text are not kept: an event file could not give them back.
    const QString description = descriptionEdit_->text().trimmed();
    if (!g.test(102, [&] { return !description.isEmpty(); })) {
        services_.ui.inform(tr("You forgot to input description."), appTitle());
        return;
    }
    // One step for what keeps the description from being stored as typed;
    // steps 110 and 112 are retired: each of its two tests had one once.
    QString refusal;
    if (!g.test(103, [&] {
            refusal = refusalOf(description);
            return refusal.isEmpty();
        })) {
        services_.ui.inform(refusal, appTitle());
        return;
    }
    int changed = 0;
    // A save that fails leaves the editor open with what the user typed.
    if (!g.step(104, [&] {
            if (!eventId_) {
                insertEvent(store_, description, month, day);
                changed = 1;
            } else if (stored_) {
                changed = updateUnchangedEvent(store_, *stored_, description, month, day);
            } else {
                changed = updateEvent(store_, *eventId_, description, month, day);
            }
        })) {
        return;
    }
    // Step 114 is retired: this test had it once.
    if (!g.test(105, [&] { return changed > 0; })) {
        // The list shows the event as it is now, for when the user opens it again.
        emit listOutdated();
        services_.ui.inform(
            tr("This event was changed or deleted elsewhere (by another copy of Almanis, for "
               "example) after you opened it, so your changes were not saved. Your text is still "
               "here: copy what you want to keep, cancel, and open the event again."),
            appTitle());
        return;
    }
    g.step(106, [&] { emit listOutdated(); });
    g.step(108, [&] { accept(); });
}

QString EventEditor::refusalOf(const QString& description) {
    if (firstControlCharacter(description) >= 0) {
        return tr(
            "The description cannot hold a line break, a tab or another control character. "
            "Please write it on one line.");
    }
    if (description.size() > kDescriptionLimit) {
        return tr("The description is %1 characters long; it can have at most %2. Please shorten "
                  "it.")
            .arg(QLocale().toString(description.size()), QLocale().toString(kDescriptionLimit));
    }
    return {};
}

void EventEditor::cancel() {
    Guard g(services_.ui, where::editorCancel);
    g.step(100, [&] { QDialog::reject(); });
}

void EventEditor::reject() {
    // The close box and Escape cancel, like the Cancel button.
    cancel();
}

}  // namespace almanis
