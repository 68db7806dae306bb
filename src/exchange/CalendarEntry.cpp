#include "exchange/CalendarEntry.h"

#include "core/AppError.h"
#include "core/EventDate.h"
#include "exchange/ContentLine.h"
#include "exchange/ImportedText.h"

#include <QCoreApplication>
#include <QUuid>
#include <cmath>
#include <initializer_list>

namespace almanis {

namespace {
// An event without a known year starts in 2000, its first yearly occurrence. A
// fixed year in the past shows the event in every year a calendar displays,
// earlier ones included, and keeps the export of an unchanged event the same
// from day to day, so a calendar that imports it again sees nothing changed.
// 2000 is a leap year, so 29 February has a real first occurrence too, and is
// recent enough that expanding the series from its start costs calendars
// nothing. An event with a known year starts in that year, when it first
// happened, as the birthday calendars of address books write theirs.
constexpr int kYearUnknown = 2000;

const QString kUnnamedEvent = QStringLiteral("Unnamed event");

// The year this program writes beside DTSTART when the year is known. DTSTART
// alone cannot say it: other calendars start holidays in 1970 or in the year
// they were typed in. The year is the property's value, not DTSTART's, so a
// calendar that splits the series ("this and following") keeps it.
constexpr const char* kYearProperty = "X-ALMANIS-YEAR";

// What other programs' birthday calendars write (see markedYear()).
constexpr const char* kNextcloudFieldType = "X-NEXTCLOUD-BC-FIELD-TYPE";
constexpr const char* kNextcloudYear = "X-NEXTCLOUD-BC-YEAR";
constexpr const char* kNextcloudUnknownYear = "X-NEXTCLOUD-BC-UNKNOWN-YEAR";
constexpr const char* kKdeBirthday = "X-KDE-KABC-BIRTHDAY";
constexpr const char* kKdeAnniversary = "X-KDE-KABC-ANNIVERSARY";
constexpr const char* kAppleOmitYear = "X-APPLE-OMIT-YEAR";
// The year Apple's address books write for a date whose year is unknown.
constexpr int kAppleUnknownYear = 1604;

// RFC 9074's alarm that never goes off: it says the entry has no alarms, so a
// calendar adds none of its default ones. Written for an event whose own
// remind days are none, it tells that apart from an event without own days,
// which has no VALARM at all.
constexpr const char* kNoAlarmAction = "ACTION:NONE";
constexpr const char* kNoAlarmTrigger = "TRIGGER;VALUE=DATE-TIME:19760401T005545Z";

constexpr int kSecondsPerDay = 24 * 60 * 60;

icaltimetype dateIn(int year, int month, int day) {
    icaltimetype date = icaltime_null_date();
    date.year = year;
    date.month = month;
    date.day = day;
    return date;
}

// The UID names the event for good, so every export gives it the same UID and
// a calendar that imports a newer export updates the entries it has instead of
// adding them a second time. An event that is not stored has no identity to
// keep: it gets a new UID.
QByteArray uidOf(const EventRecord& event) {
    return event.uid.isEmpty() ? QUuid::createUuid().toByteArray(QUuid::WithoutBraces)
                               : event.uid.toUtf8();
}

// The rule of every exported series, and of every entry the program uploads.
// 29 February falls on 1 March in common years, as the list shows it. RFC 7529
// says so with RSCALE and SKIP=FORWARD, but common readers refuse that rule
// (CalDAV servers answer 400, python-dateutil raises); the 60th day of the
// year is the same day in plain RFC 5545: 29 February in leap years, 1 March
// in the others. Files with the RSCALE form still import as 29 February.
constexpr short kLeapDayOfYear = 60;
icalrecurrencetype yearlyRule(int month, int day) {
    icalrecurrencetype rule;
    icalrecurrencetype_clear(&rule);
    rule.freq = ICAL_YEARLY_RECURRENCE;
    if (month == 2 && day == 29) {
        rule.by_year_day[0] = kLeapDayOfYear;
        rule.by_year_day[1] = ICAL_RECURRENCE_ARRAY_MAX;
    }
    return rule;
}

void addProperty(icalcomponent* component, const char* line) {
    icalcomponent_add_property(component, icalproperty_new_from_string(line));
}

icalcomponent* reminderAlarm(int daysBefore, const QByteArray& description) {
    icalcomponent* alarm = icalcomponent_new_valarm();
    icalcomponent_add_property(alarm, icalproperty_new_action(ICAL_ACTION_DISPLAY));
    // A display alarm must say something (RFC 5545): the event's description.
    icalcomponent_add_property(alarm, icalproperty_new_description(description.constData()));
    icaltriggertype trigger;
    trigger.time = icaltime_null_time();
    trigger.duration = icaldurationtype_null_duration();
    trigger.duration.is_neg = daysBefore > 0 ? 1 : 0;
    trigger.duration.days = static_cast<unsigned int>(daysBefore);
    icalcomponent_add_property(alarm, icalproperty_new_trigger(trigger));
    return alarm;
}

icalcomponent* noAlarm() {
    icalcomponent* alarm = icalcomponent_new_valarm();
    addProperty(alarm, kNoAlarmAction);
    addProperty(alarm, kNoAlarmTrigger);
    return alarm;
}

// The value of the entry's first X- property of that name; null when it has none.
QByteArray xValue(icalcomponent* entry, const char* name) {
    for (icalproperty* property = icalcomponent_get_first_property(entry, ICAL_X_PROPERTY);
         property != nullptr; property = icalcomponent_get_next_property(entry, ICAL_X_PROPERTY)) {
        if (qstricmp(icalproperty_get_x_name(property), name) == 0) {
            const char* value = icalproperty_get_x(property);
            return QByteArray(value != nullptr ? value : "").trimmed();
        }
    }
    return QByteArray();
}

std::optional<int> yearOf(const QByteArray& text) {
    bool ok = false;
    const int year = text.toInt(&ok, 10);
    return ok ? std::optional<int>(year) : std::nullopt;
}

bool hasCategory(icalcomponent* entry, std::initializer_list<const char*> names) {
    for (icalproperty* property = icalcomponent_get_first_property(entry, ICAL_CATEGORIES_PROPERTY);
         property != nullptr;
         property = icalcomponent_get_next_property(entry, ICAL_CATEGORIES_PROPERTY)) {
        const QByteArray value(icalproperty_get_categories(property));
        for (const QByteArray& category : value.split(',')) {
            for (const char* name : names) {
                if (qstricmp(category.trimmed().constData(), name) == 0) {
                    return true;
                }
            }
        }
    }
    return false;
}

// The year of the birth or wedding that the entry says it stands for. Another
// calendar's entry gets a year only when it says it is a birthday or an
// anniversary and which year that was: a holiday series that starts in 1970,
// or in the year someone typed it in, says nothing of the sort. What is read:
// - this program's X-ALMANIS-YEAR;
// - Nextcloud's birthday calendar: X-NEXTCLOUD-BC-FIELD-TYPE BDAY or
//   ANNIVERSARY, with the year in X-NEXTCLOUD-BC-YEAR (its DTSTART moves years
//   before 1970 to 1970) and none when X-NEXTCLOUD-BC-UNKNOWN-YEAR is 1;
// - KDE's birthday calendar: X-KDE-KABC-BIRTHDAY or X-KDE-KABC-ANNIVERSARY
//   YES, the year in DTSTART;
// - an entry whose CATEGORIES name it a birthday or an anniversary (as
//   Thunderbird's and Evolution's categories do), the year in DTSTART;
// - Apple's X-APPLE-OMIT-YEAR parameter on DTSTART, as on a vCard's BDAY: the
//   date is a birthday's, and its year is unknown when it is the parameter's;
//   Apple writes 1604 for an unknown year even without it.
std::optional<int> markedYear(icalcomponent* entry, icalproperty* startProperty,
                              const icaltimetype& start) {
    if (const QByteArray ours = xValue(entry, kYearProperty); !ours.isNull()) {
        return yearOf(ours);
    }
    const QByteArray fieldType = xValue(entry, kNextcloudFieldType).toUpper();
    if (fieldType == "BDAY" || fieldType == "ANNIVERSARY") {
        if (xValue(entry, kNextcloudUnknownYear) == "1") {
            return std::nullopt;
        }
        return yearOf(xValue(entry, kNextcloudYear));
    }
    const char* omitYear = icalproperty_get_parameter_as_string(startProperty, kAppleOmitYear);
    const bool apple = omitYear != nullptr;
    if (apple && yearOf(omitYear) == start.year) {
        return std::nullopt;
    }
    const bool marked = apple || qstricmp(xValue(entry, kKdeBirthday).constData(), "YES") == 0 ||
                        qstricmp(xValue(entry, kKdeAnniversary).constData(), "YES") == 0 ||
                        hasCategory(entry, {"BIRTHDAY", "BIRTHDAYS", "ANNIVERSARY"});
    if (!marked || start.year == kAppleUnknownYear) {
        return std::nullopt;
    }
    return start.year;
}

// How a series repeats, from the best of its RRULEs.
enum class Repeat { No, EveryYearElsewhere, EveryYear };

// Whether a BY... list is empty or holds only `value`.
template <std::size_t N>
bool onlyOrNone(const short (&list)[N], int value) {
    return list[0] == ICAL_RECURRENCE_ARRAY_MAX ||
           (list[0] == value && (N == 1 || list[1] == ICAL_RECURRENCE_ARRAY_MAX));
}
template <std::size_t N>
bool none(const short (&list)[N]) {
    return list[0] == ICAL_RECURRENCE_ARRAY_MAX;
}

Repeat repeatOf(const icalrecurrencetype& rule, const icaltimetype& start) {
    if (rule.freq != ICAL_YEARLY_RECURRENCE || rule.interval > 1 || rule.count == 1) {
        return Repeat::No;
    }
    // The series must fall on the start's month and day each year; BYHOUR and
    // the like only give it times of that day.
    const bool leapDay = start.month == 2 && start.day == 29;
    const bool sameDate =
        none(rule.by_day) && none(rule.by_week_no) && none(rule.by_set_pos) &&
        onlyOrNone(rule.by_month, start.month) && onlyOrNone(rule.by_month_day, start.day) &&
        (none(rule.by_year_day) || (leapDay && onlyOrNone(rule.by_year_day, kLeapDayOfYear)));
    return sameDate ? Repeat::EveryYear : Repeat::EveryYearElsewhere;
}

// The days before the event on which the entry's alarms go off, as its own
// remind windows; nothing, so that the options apply, when it has no alarm, or
// one that none of the windows stands for (an hour before, a day before, a
// date of its own). Only RFC 9074's alarm that never goes off gives windows
// switched off.
std::optional<RemindWindows> alarmWindows(icalcomponent* entry, const icaltimetype& start) {
    const int startSeconds =
        start.is_date ? 0 : start.hour * 3600 + start.minute * 60 + start.second;
    QList<int> days;
    bool noAlarm = false;
    for (icalcomponent* alarm = icalcomponent_get_first_component(entry, ICAL_VALARM_COMPONENT);
         alarm != nullptr; alarm = icalcomponent_get_next_component(entry, ICAL_VALARM_COMPONENT)) {
        icalproperty* action = icalcomponent_get_first_property(alarm, ICAL_ACTION_PROPERTY);
        const char* actionText =
            action != nullptr ? icalproperty_get_value_as_string(action) : nullptr;
        if (actionText != nullptr && qstricmp(actionText, "NONE") == 0) {
            noAlarm = true;
            continue;
        }
        icalproperty* triggerProperty =
            icalcomponent_get_first_property(alarm, ICAL_TRIGGER_PROPERTY);
        if (triggerProperty == nullptr) {
            return std::nullopt;
        }
        const icaltriggertype trigger = icalproperty_get_trigger(triggerProperty);
        icalparameter* related =
            icalproperty_get_first_parameter(triggerProperty, ICAL_RELATED_PARAMETER);
        if (!icaltime_is_null_time(trigger.time) ||
            (related != nullptr && icalparameter_get_related(related) == ICAL_RELATED_END)) {
            return std::nullopt;
        }
        // The day the alarm goes off, counted from the start's day: "-PT15H"
        // before an all-day entry is 9 o'clock the day before.
        const double offset = startSeconds + icaldurationtype_as_int(trigger.duration);
        const int daysBefore = -static_cast<int>(std::floor(offset / kSecondsPerDay));
        if (!days.contains(daysBefore)) {
            days.append(daysBefore);
        }
    }
    if (!days.isEmpty()) {
        return RemindWindows::fromDays(days);
    }
    return noAlarm ? std::optional<RemindWindows>(RemindWindows{}) : std::nullopt;
}
}  // namespace

CalendarEntry yearlyEntry(const EventRecord& event, const icaltimetype& stamp) {
    if (!isValidEventDate(event.month, event.day)) {
        throw AppError(QCoreApplication::translate(
                           "almanis::ICalendarFile",
                           "The event \"%1\" cannot be exported: month %2 has no day %3")
                           .arg(event.description)
                           .arg(event.month)
                           .arg(event.day));
    }
    // A year the date did not have (29 February of a common year) is not written.
    const bool yearKnown =
        event.year && *event.year >= 1 && QDate::isValid(*event.year, event.month, event.day);
    CalendarEntry entry(icalcomponent_new_vevent());
    icalcomponent* e = entry.get();
    icalcomponent_add_property(e, icalproperty_new_uid(uidOf(event).constData()));
    icalcomponent_add_property(e, icalproperty_new_dtstamp(stamp));
    const icaltimetype start =
        dateIn(yearKnown ? *event.year : kYearUnknown, event.month, event.day);
    icaltimetype end = start;
    icaltime_adjust(&end, 1, 0, 0, 0);
    icalcomponent_add_property(e, icalproperty_new_dtstart(start));
    icalcomponent_add_property(e, icalproperty_new_dtend(end));
    icalcomponent_add_property(e, icalproperty_new_rrule(yearlyRule(event.month, event.day)));
    const QByteArray summary = event.description.toUtf8();
    icalcomponent_add_property(e, icalproperty_new_summary(summary.constData()));
    if (!event.note.isEmpty()) {
        icalcomponent_add_property(e,
                                   icalproperty_new_description(event.note.toUtf8().constData()));
    }
    if (yearKnown) {
        icalproperty* year = icalproperty_new_x(QByteArray::number(*event.year).constData());
        icalproperty_set_x_name(year, kYearProperty);
        icalcomponent_add_property(e, year);
    }
    // A birthday keeps nobody busy: free/busy look-ups pass over it.
    icalcomponent_add_property(e, icalproperty_new_transp(ICAL_TRANSP_TRANSPARENT));
    if (event.remindDays) {
        const QList<int> days = event.remindDays->days();
        for (const int daysBefore : days) {
            icalcomponent_add_component(e, reminderAlarm(daysBefore, summary));
        }
        if (days.isEmpty()) {
            icalcomponent_add_component(e, noAlarm());
        }
    }
    return entry;
}

QByteArray serialised(const CalendarEntry& entry) {
    char* text = icalcomponent_as_ical_string_r(entry.get());
    const QByteArray bytes(text);
    icalmemory_free_buffer(text);
    return bytes;
}

std::variant<EventRecord, SkippedEntry> entryEvent(icalcomponent* entry, QDate today) {
    if (icalcomponent_get_first_property(entry, ICAL_RECURRENCEID_PROPERTY) != nullptr) {
        return SkippedEntry::ChangedOccurrence;
    }
    icalproperty* startProperty = icalcomponent_get_first_property(entry, ICAL_DTSTART_PROPERTY);
    if (startProperty == nullptr) {
        return SkippedEntry::WithoutDate;
    }
    // The date as the file writes it: a DTSTART with a TZID gives the wall-clock
    // time in that zone, so its date is the date in that zone; converting it to
    // UTC or to this computer's zone could move it to another day. A UTC time
    // gives the date in UTC, a floating time its own date.
    const icaltimetype start = icalproperty_get_dtstart(startProperty);
    if (icaltime_is_null_time(start) || !isValidEventDate(start.month, start.day)) {
        return SkippedEntry::WithoutDate;
    }
    Repeat repeat = Repeat::No;
    for (icalproperty* rule = icalcomponent_get_first_property(entry, ICAL_RRULE_PROPERTY);
         rule != nullptr; rule = icalcomponent_get_next_property(entry, ICAL_RRULE_PROPERTY)) {
        repeat = std::max(repeat, repeatOf(icalproperty_get_rrule(rule), start));
    }
    if (repeat == Repeat::No) {
        return SkippedEntry::NotYearly;
    }
    if (repeat == Repeat::EveryYearElsewhere) {
        return SkippedEntry::MovingDate;
    }
    EventRecord event;
    event.description = entryDescription(entry);
    event.month = start.month;
    event.day = start.day;
    const std::optional<int> year = markedYear(entry, startProperty, start);
    if (year && isValidEventYear(*year, event.month, event.day, today)) {
        event.year = year;
    }
    event.remindDays = alarmWindows(entry, start);
    event.uid = QString::fromUtf8(icalcomponent_get_uid(entry));
    return event;
}

QString entryDescription(icalcomponent* entry) {
    return oneLineDescription(QString::fromUtf8(icalcomponent_get_summary(entry)), kUnnamedEvent);
}

bool isReadEntryProperty(const ContentLine& line) {
    for (const char* name : {"DTSTART", "RRULE", "SUMMARY", "RECURRENCE-ID", "UID", "CATEGORIES",
                             kYearProperty, kNextcloudFieldType, kNextcloudYear,
                             kNextcloudUnknownYear, kKdeBirthday, kKdeAnniversary}) {
        if (line.isNamed(name)) {
            return true;
        }
    }
    return false;
}

bool isReadAlarmProperty(const ContentLine& line) {
    return line.isNamed("ACTION") || line.isNamed("TRIGGER");
}

}  // namespace almanis
