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
#include "store/StoreSchema.h"
#include "widgets/Design.h"
#include "widgets/LabelledComboBox.h"
#include "widgets/PointerRule.h"
#include "widgets/Services.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QLocale>
#include <QPainter>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QRegularExpressionValidator>
#include <algorithm>
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
    setFixedSize(px(8040), px(4770));
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
    monthBox_->setGeometry(twipsRect(1080, 360, 2280, 375));
    monthBox_->setLabel(*monthLabel_);
    dayLabel_ = named(new QLabel(tr("&Day:"), dateFrame_), "Label1_2");
    dayLabel_->setGeometry(twipsRect(3600, 390, 600, 315));
    dayBox_ = named(new LabelledComboBox(dateFrame_), "Combo2");
    dayBox_->setGeometry(twipsRect(4200, 360, 1080, 375));
    dayBox_->setMaxVisibleItems(16);
    dayBox_->setLabel(*dayLabel_);
    createDetailControls();

    saveButton_ = named(new QPushButton(tr("&Save New Event Reminder"), this), "PushButton6");
    saveButton_->setGeometry(twipsRect(120, 4260, 3840, 405));
    cancelButton_ = named(new QPushButton(tr("&Cancel"), this), "PushButton1");
    cancelButton_->setGeometry(twipsRect(4080, 4260, 3840, 405));
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

void EventEditor::createDetailControls() {
    // The year beside the month and day: optional, four digits at most.
    yearLabel_ = named(new QLabel(tr("&Year:"), dateFrame_), "Label1_3");
    yearLabel_->setGeometry(twipsRect(5520, 390, 660, 315));
    yearEdit_ = named(new QLineEdit(dateFrame_), "Text2");
    yearEdit_->setGeometry(twipsRect(6180, 360, 1380, 375));
    yearEdit_->setValidator(
        new QRegularExpressionValidator(QRegularExpression(QStringLiteral("[0-9]{0,4}")), this));
    yearEdit_->setPlaceholderText(tr("optional"));
    yearEdit_->setAccessibleName(tr("Year"));
    yearEdit_->setAccessibleDescription(tr("The year it first happened, if known"));
    yearLabel_->setBuddy(yearEdit_);

    // The frame's mnemonic moves the focus to the note inside it. Tab leaves
    // the note for the next field rather than typing a tab.
    noteFrame_ = named(new QGroupBox(tr("&Note"), this), "Frame3");
    noteFrame_->setGeometry(twipsRect(120, 1830, 7800, 1215));
    pointer_->watchBackground(noteFrame_);
    noteEdit_ = named(new QPlainTextEdit(noteFrame_), "Text3");
    noteEdit_->setGeometry(twipsRect(240, 300, 7320, 795));
    noteEdit_->setTabChangesFocus(true);
    noteEdit_->setAccessibleName(tr("Note"));
    noteFrame_->setFocusProxy(noteEdit_);

    remindFrame_ = named(new QGroupBox(tr("Remind me"), this), "Frame4");
    remindFrame_->setGeometry(twipsRect(120, 3105, 7800, 1035));
    pointer_->watchBackground(remindFrame_);
    optionsRemindButton_ =
        named(new QRadioButton(tr("As set in the o&ptions"), remindFrame_), "Option1");
    optionsRemindButton_->setGeometry(twipsRect(240, 300, 3600, 300));
    ownRemindButton_ = named(new QRadioButton(tr("On &these days:"), remindFrame_), "Option2");
    ownRemindButton_->setGeometry(twipsRect(3960, 300, 3600, 300));
    optionsRemindButton_->setChecked(true);
    // The days, each with what a screen reader says for its short caption.
    // The numbers read alike in every language; their mnemonics are digits.
    const std::array<QString, 5> captions = {tr("&On the day"), QStringLiteral("&3"),
                                             QStringLiteral("&7"), QStringLiteral("1&4"),
                                             QStringLiteral("3&0")};
    const std::array<QString, 5> names = {tr("On the day"), tr("3 days before"),
                                          tr("7 days before"), tr("14 days before"),
                                          tr("30 days before")};
    const std::array<int, 5> lefts = {480, 2100, 2700, 3300, 3960};
    const std::array<int, 5> widths = {1560, 540, 540, 600, 600};
    for (std::size_t i = 0; i < dayBoxes_.size(); ++i) {
        dayBoxes_[i] = new QCheckBox(captions[i], remindFrame_);
        dayBoxes_[i]->setObjectName(QStringLiteral("Check%1").arg(i + 1));
        dayBoxes_[i]->setGeometry(twipsRect(lefts[i], 660, widths[i], 300));
        dayBoxes_[i]->setAccessibleName(names[i]);
        pointer_->watchBackground(dayBoxes_[i]);
        // Ticking a day chooses the event's own days.
        connect(dayBoxes_[i], &QCheckBox::toggled, this, [this](bool ticked) {
            if (ticked) {
                ownRemindButton_->setChecked(true);
            }
        });
    }
    daysBeforeLabel_ = named(new QLabel(tr("days before"), remindFrame_), "Label2");
    daysBeforeLabel_->setGeometry(twipsRect(4620, 675, 2940, 300));
    // The boxes stay enabled, so that their captions read as well as the
    // others': the options' choice shows none ticked.
    connect(ownRemindButton_, &QRadioButton::toggled, this, [this](bool own) {
        // Own days start from the day itself rather than from none.
        if (own && std::none_of(dayBoxes_.begin(), dayBoxes_.end(),
                                [](const QCheckBox* box) { return box->isChecked(); })) {
            dayBoxes_[0]->setChecked(true);
        }
    });
    connect(optionsRemindButton_, &QRadioButton::toggled, this, [this](bool options) {
        if (options) {
            for (QCheckBox* box : dayBoxes_) {
                box->setChecked(false);
            }
        }
    });
}

void EventEditor::enableDetails(bool enabled, const QString& reason) {
    detailsEditable_ = enabled;
    for (QWidget* field :
         std::initializer_list<QWidget*>{yearLabel_, yearEdit_, noteFrame_, noteEdit_, remindFrame_,
                                         optionsRemindButton_, ownRemindButton_}) {
        field->setEnabled(enabled);
        field->setToolTip(reason);
    }
    // The note's empty field is where the reason stands to be read.
    noteEdit_->setPlaceholderText(reason);
    for (QWidget* field : std::initializer_list<QWidget*>{yearEdit_, noteEdit_,
                                                          optionsRemindButton_, ownRemindButton_}) {
        field->setAccessibleDescription(reason);
    }
    if (enabled) {
        yearEdit_->setAccessibleDescription(tr("The year it first happened, if known"));
    }
}

void EventEditor::load() {
    Guard g(services_.ui, where::editorLoad);
    const QString cursorPath = services_.programFolder + QLatin1String(kCursorFile);
    // Step 100 gave the dialog, its frames, labels and boxes button-face
    // palettes of their own; the dialog now paints that face itself.
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
    // A store that cannot keep details still takes the description and the
    // date; an event's details wait for setDetails().
    g.step(120, [&] {
        try {
            detailsKept_ = keepsEventDetails(store_);
        } catch (const AppError&) {
            detailsKept_ = false;
        }
        if (!detailsKept_) {
            enableDetails(false, tr("This store cannot keep years, reminder days or notes: it is "
                                    "read-only, or was made by an earlier version of Almanis and "
                                    "could not be brought up to this one."));
        } else if (eventId_) {
            enableDetails(false, tr("The year, reminder days and note of this event could not "
                                    "be read, so they are left as they are."));
        } else {
            enableDetails(true, QString());
        }
    });
}

void EventEditor::setDetails(const EventRecord& details) {
    if (!detailsKept_) {
        return;
    }
    storedDetails_ = details;
    yearEdit_->setText(details.year ? QString::number(*details.year) : QString());
    noteEdit_->setPlainText(details.note);
    (details.remindDays ? ownRemindButton_ : optionsRemindButton_)->setChecked(true);
    const RemindWindows windows = details.remindDays.value_or(RemindWindows{});
    for (std::size_t i = 0; i < dayBoxes_.size(); ++i) {
        dayBoxes_[i]->setChecked(windows.isDue(RemindWindows::kDays[i]));
    }
    enableDetails(true, QString());
}

void EventEditor::setFromAddressBook(const QString& book) {
    fromAddressBook_ = true;
    const QString where =
        tr("From the address book %1: change it there.").arg(QLocale().quoteString(book));
    const QString why = tr("This event comes from the address book %1. Change it there: the "
                           "next sync brings the change here.")
                            .arg(QLocale().quoteString(book));
    // What it says stays readable and can be copied; nothing can be changed.
    for (QLineEdit* field : {descriptionEdit_, yearEdit_}) {
        field->setReadOnly(true);
    }
    noteEdit_->setReadOnly(true);
    for (QWidget* field : std::initializer_list<QWidget*>{monthBox_, dayBox_, remindFrame_}) {
        field->setEnabled(false);
    }
    // The line stands where Save stood; Enter and Escape close.
    auto* line = named(new QLabel(where, this), "addressBookNote");
    line->setGeometry(saveButton_->geometry());
    line->setWordWrap(true);
    line->setToolTip(why);
    line->setAccessibleDescription(why);
    line->show();
    saveButton_->setDefault(false);
    saveButton_->hide();
    cancelButton_->setText(tr("&Close"));
    cancelButton_->setDefault(true);
    cancelButton_->setFocus();
    descriptionEdit_->setAccessibleDescription(why);
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
    // An address book's event is changed there, never here.
    if (fromAddressBook_) {
        return;
    }
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
    // One step for what keeps the event from being stored as typed: its
    // description, year or note. Steps 110 and 112 are retired: each of the
    // description's two tests had one once.
    QString refusal;
    EventRecord event;
    if (!g.test(103, [&] {
            event = typedEvent(description, month, day);
            refusal = refusalOf(description);
            if (refusal.isEmpty()) {
                refusal = detailsRefusalOf(event, yearEdit_->text());
            }
            return refusal.isEmpty();
        })) {
        services_.ui.inform(refusal, appTitle());
        return;
    }
    int changed = 0;
    // A save that fails leaves the editor open with what the user typed. The
    // details are written only where they were shown: an event's details
    // that could not be read are left as they are.
    if (!g.step(104, [&] {
            if (!eventId_) {
                insertEvent(store_, event);
                changed = 1;
            } else if (stored_) {
                ListedEvent listed = *stored_;
                listed.details = detailsEditable_ ? storedDetails_ : std::nullopt;
                changed = updateUnchangedEvent(store_, listed, event);
            } else if (detailsEditable_) {
                changed = updateEvent(store_, event);
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

std::optional<int> EventEditor::typedYear() const {
    bool number = false;
    const int year = yearEdit_->text().trimmed().toInt(&number);
    return number ? std::optional<int>(year) : std::nullopt;
}

EventRecord EventEditor::typedEvent(const QString& description, int month, int day) const {
    EventRecord event{eventId_.value_or(0), description, month, day};
    if (!detailsEditable_) {
        return event;
    }
    event.year = typedYear();
    if (ownRemindButton_->isChecked()) {
        quint8 mask = 0;
        for (std::size_t i = 0; i < dayBoxes_.size(); ++i) {
            mask |= dayBoxes_[i]->isChecked() ? quint8(1u << i) : quint8(0);
        }
        event.remindDays = RemindWindows::fromMask(mask);
    }
    event.note = noteEdit_->toPlainText();
    return event;
}

QString EventEditor::detailsRefusalOf(const EventRecord& event, const QString& yearText) const {
    if (!detailsEditable_) {
        return {};
    }
    const QDate today = services_.clock.today();
    if (!yearText.trimmed().isEmpty() && !event.year) {
        return tr("The year must be a number from 1 to %1, or left empty.").arg(today.year());
    }
    if (event.year && !isValidEventYear(*event.year, event.month, event.day, today)) {
        if (*event.year >= 1 && *event.year <= today.year()) {
            return tr("There was no 29 February in %1. Please give a leap year, or leave the "
                      "year empty.")
                .arg(*event.year);
        }
        return tr("The year must be a number from 1 to %1, or left empty.").arg(today.year());
    }
    if (firstNoteControlCharacter(event.note) >= 0) {
        return tr(
            "The note cannot hold control characters other than line breaks and tabs. "
            "Please remove them.");
    }
    if (event.note.size() > kNoteLimit) {
        return tr("The note is %1 characters long; it can have at most %2. Please shorten it.")
            .arg(QLocale().toString(event.note.size()), QLocale().toString(kNoteLimit));
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

void EventEditor::paintEvent(QPaintEvent* event) {
    // The button face behind the frames, labels and boxes, in the scheme's
    // colour, whose window text they write in. Painted rather than set as
    // palettes of the dialog's own: those would be new ones at each opening,
    // and the style caches what it draws by palette, so every editor opened
    // would add a set of pictures to the application's picture cache.
    QPainter(this).fillRect(rect(), palette().button());
    QDialog::paintEvent(event);
}

}  // namespace almanis
