#include "cli/CommandLineTool.h"

#include "AlmanisVersion.h"
#include "core/AppError.h"
#include "core/Clock.h"
#include "core/EventDate.h"
#include "core/EventDescription.h"
#include "core/Paths.h"
#include "exchange/EventFiles.h"
#include "exchange/EventImport.h"
#include "exchange/EventText.h"
#include "exchange/ExportFile.h"
#include "reminders/EventRows.h"
#include "reminders/StoredRows.h"
#include "store/Connection.h"
#include "store/DailyBackups.h"
#include "store/DataFolder.h"
#include "store/Sql.h"
#include "store/StoreSchema.h"
#include "store/StoredEvents.h"
#include "store/Transaction.h"
#include "sync/AccountBook.h"
#include "sync/SyncRun.h"
#include "sync/Waiting.h"

#include <QCommandLineParser>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QLocale>
#include <QRegularExpression>
#include <QTextStream>
#include <algorithm>
#include <array>

namespace almanis {

namespace {
const QString kProgram = QStringLiteral("almanis-cli");

QCommandLineOption storeOption() {
    return QCommandLineOption(QStringLiteral("store"),
                              CommandLineTool::tr("Work on the store in FILE instead of yours."),
                              CommandLineTool::tr("FILE"));
}

QCommandLineOption todayOption() {
    return QCommandLineOption(
        QStringLiteral("today"),
        CommandLineTool::tr("Count the days left from DATE (YYYY-MM-DD) instead of today."),
        CommandLineTool::tr("DATE"));
}

QCommandLineOption jsonOption() {
    return QCommandLineOption(QStringLiteral("json"),
                              CommandLineTool::tr("Print a JSON array of objects with the keys "
                                                  "id, description, month, day, days_left, "
                                                  "next, year, years, remind_days, note, uid."));
}

QCommandLineOption formatOption(const QString& description) {
    return QCommandLineOption(QStringLiteral("format"), description, QStringLiteral("FORMAT"));
}

// The format named on the command line, in any letter case; none for a name
// that is no format.
std::optional<EventFileFormat> formatNamed(const QString& name) {
    const QString lower = name.toLower();
    if (lower == QLatin1String("text")) {
        return EventFileFormat::Text;
    }
    if (lower == QLatin1String("ics")) {
        return EventFileFormat::ICalendar;
    }
    if (lower == QLatin1String("vcf")) {
        return EventFileFormat::VCard;
    }
    return std::nullopt;
}

// The help a parser writes, under our own usage line rather than the path the
// program was started by.
QString helpText(const QCommandLineParser& parser, const QString& usage) {
    QString text = parser.helpText();
    const qsizetype firstLineEnd = text.indexOf(QLatin1Char('\n'));
    return CommandLineTool::tr("Usage: %1").arg(usage) + text.mid(firstLineEnd);
}

// A month name in English, as in the text file, or in the user's language,
// in any letter case; 0 for none.
int monthNumber(const QString& name) {
    if (const int month = monthNumberFromName(name)) {
        return month;
    }
    const QLocale locale;
    for (int month = 1; month <= 12; ++month) {
        for (const QString& localName : {locale.standaloneMonthName(month, QLocale::LongFormat),
                                         locale.monthName(month, QLocale::LongFormat)}) {
            if (name.compare(localName, Qt::CaseInsensitive) == 0) {
                return month;
            }
        }
    }
    return 0;
}

// "December 10" or "december 10": the month's name, then the day.
std::optional<std::pair<int, int>> monthAndDay(const QString& text) {
    const QStringList parts = text.simplified().split(QLatin1Char(' '), Qt::SkipEmptyParts);
    if (parts.size() != 2) {
        return std::nullopt;
    }
    bool ok = false;
    const int day = parts[1].toInt(&ok, 10);
    const int month = monthNumber(parts[0]);
    if (!ok || month == 0) {
        return std::nullopt;
    }
    return std::make_pair(month, day);
}

// The options that give an event's year, own remind days and note; `edit`
// adds the ones that take them away.
void addDetailOptions(QCommandLineParser& parser, bool edit) {
    parser.addOption(QCommandLineOption(
        QStringLiteral("year"), CommandLineTool::tr("The year it first happened, 1 to this year."),
        QStringLiteral("YEAR")));
    parser.addOption(QCommandLineOption(
        QStringLiteral("remind-days"),
        CommandLineTool::tr("Its own days to be reminded on, instead of the options': any of 0 "
                            "(the day itself), 3, 7, 14, 30, as in 0,7,30; \"\" for never."),
        QStringLiteral("LIST")));
    parser.addOption(QCommandLineOption(QStringLiteral("note"),
                                        CommandLineTool::tr("A note (\"\" for none)."),
                                        CommandLineTool::tr("TEXT")));
    if (edit) {
        parser.addOption(
            QCommandLineOption(QStringLiteral("no-year"), CommandLineTool::tr("Forget the year.")));
        parser.addOption(QCommandLineOption(
            QStringLiteral("default-remind"),
            CommandLineTool::tr("Remind on the days the options set, as for other events.")));
    }
}

// A description as a terminal shows it: a control character that an earlier
// version let in is shown as a replacement character, never sent raw, so it
// cannot retitle the terminal or clear its screen.
QString shownOnTerminal(QString description) {
    for (QChar& c : description) {
        if (isControlCharacter(c)) {
            c = QChar(QChar::ReplacementCharacter);
        }
    }
    return description;
}
}  // namespace

CommandLineTool::CommandLineTool(const Clock& clock, QString programFolder, QTextStream& out,
                                 QTextStream& err, AccountServices accounts)
    : clock_(clock),
      programFolder_(std::move(programFolder)),
      accounts_(accounts),
      out_(out),
      err_(err) {}

int CommandLineTool::usageError(const QString& message) {
    err_ << kProgram << ": " << message << '\n'
         << tr("Try '%1 --help' for more information.").arg(kProgram) << '\n';
    return UsageError;
}

int CommandLineTool::failure(const QString& message) {
    err_ << kProgram << ": " << message << '\n';
    return Failure;
}

int CommandLineTool::run(const QStringList& arguments) {
    QCommandLineParser parser;
    parser.setApplicationDescription(
        tr("Lists, checks, adds, removes, imports and exports the yearly events that Almanis "
           "reminds you of.\n\n"
           "Commands:\n"
           "  list     every event, in calendar order, with its days left\n"
           "  due      the events due within the next days, soonest first\n"
           "  add      stores a new event\n"
           "  edit     changes an event\n"
           "  remove   deletes an event\n"
           "  import   stores the events of a text, iCalendar or vCard file\n"
           "  export   writes the events to a text or iCalendar file\n"
           "  account  adds, lists and removes the calendar and address books on a server that "
           "the events are synced with\n"
           "  sync     syncs the events once with every account's calendar and address book\n\n"
           "'%1 COMMAND --help' tells more of each.")
            .arg(kProgram));
    parser.setOptionsAfterPositionalArgumentsMode(QCommandLineParser::ParseAsPositionalArguments);
    const QCommandLineOption help = parser.addHelpOption();
    const QCommandLineOption version = parser.addVersionOption();
    parser.addOption(storeOption());
    parser.addOption(todayOption());
    parser.addPositionalArgument(tr("command"), tr("What to do (see above)."),
                                 tr("COMMAND [ARGUMENTS]"));
    if (!parser.parse(arguments)) {
        return usageError(parser.errorText());
    }
    if (parser.isSet(version)) {
        out_ << kProgram << ' ' << ALMANIS_VERSION << '\n';
        return Success;
    }
    const QStringList positional = parser.positionalArguments();
    if (parser.isSet(help) || positional.isEmpty()) {
        if (!parser.isSet(help)) {
            return usageError(tr("no command given"));
        }
        out_ << helpText(parser, kProgram + tr(" [--store FILE] [--today DATE] COMMAND ..."));
        return Success;
    }
    storePath_ = parser.value(QStringLiteral("store"));
    if (parser.isSet(QStringLiteral("today"))) {
        int status = Success;
        if (!takeToday(parser.value(QStringLiteral("today")), status)) {
            return status;
        }
    }
    const QString command = positional.first();
    const QStringList rest = positional.mid(1);
    try {
        if (command == QLatin1String("list")) {
            return list(rest);
        }
        if (command == QLatin1String("due")) {
            return due(rest);
        }
        if (command == QLatin1String("add")) {
            return add(rest);
        }
        if (command == QLatin1String("edit")) {
            return edit(rest);
        }
        if (command == QLatin1String("remove")) {
            return remove(rest);
        }
        if (command == QLatin1String("import")) {
            return importFile(rest);
        }
        if (command == QLatin1String("export")) {
            return exportFile(rest);
        }
        if (command == QLatin1String("sync")) {
            return sync(rest);
        }
        if (command == QLatin1String("account")) {
            return AccountCommands(clock_, accounts_, out_, err_).run(rest);
        }
    } catch (const AppError& e) {
        return failure(e.description());
    }
    return usageError(tr("\"%1\" is not a command").arg(command));
}

bool CommandLineTool::parseCommand(QCommandLineParser& parser, const QStringList& arguments,
                                   const QString& usage, int& status) {
    const QCommandLineOption help = parser.addHelpOption();
    parser.addOption(storeOption());
    parser.addOption(todayOption());
    if (!parser.parse(QStringList{kProgram} + arguments)) {
        status = usageError(parser.errorText());
        return false;
    }
    if (parser.isSet(help)) {
        out_ << helpText(parser, kProgram + QLatin1Char(' ') + usage);
        status = Success;
        return false;
    }
    if (parser.isSet(QStringLiteral("store"))) {
        storePath_ = parser.value(QStringLiteral("store"));
    }
    return !parser.isSet(QStringLiteral("today")) ||
           takeToday(parser.value(QStringLiteral("today")), status);
}

bool CommandLineTool::takeToday(const QString& text, int& status) {
    today_ = QDate::fromString(text, Qt::ISODate);
    if (!today_.isValid()) {
        status = usageError(tr("the date \"%1\" is not a day written as YYYY-MM-DD").arg(text));
        return false;
    }
    // The days are counted as the window counts them, in its calendar's years.
    if (today_.year() < kFirstTodayYear || today_.year() > kLastTodayYear) {
        status = usageError(tr("the date \"%1\" is not in the years %2 to %3, in which the days "
                               "left can be counted")
                                .arg(text)
                                .arg(kFirstTodayYear)
                                .arg(kLastTodayYear));
        today_ = QDate();
        return false;
    }
    return true;
}

void CommandLineTool::openStore(Connection& db) const {
    // The store is brought up to this version's layout as the window does it.
    if (!storePath_.isEmpty()) {
        openWorkingStore(db, storePath_);
        return;
    }
    // The window's own store, prepared as the window prepares it.
    createFolder(makerFolder());
    createFolder(dataFolder());
    copySeedIfMissing(programFolder_, dataFolder());
    openWorkingStore(db, dataFolder() + QLatin1String(kWorkingStore));
}

QDate CommandLineTool::today() const {
    return today_.isValid() ? today_ : clock_.today();
}

EventRows CommandLineTool::readRows(const Connection& db) const {
    // The window's quick read, where every row is stored as it should be.
    if (std::optional<SoundRead> sound = readSoundRows(db, today())) {
        return std::move(sound->rows);
    }
    const StoredEvents stored = readStoredEvents(db);
    if (stored.unreadable > 0) {
        err_ << kProgram << ": "
             << tr("%1 of the store's events could not be read and are left out: %2")
                    .arg(QString::number(stored.unreadable), stored.firstProblem)
             << '\n';
    }
    EventRows rows;
    rows.reserve(static_cast<int>(stored.events.size()));
    for (const EventRecord& event : stored.events) {
        rows.append(event);
    }
    return rows;
}

std::vector<CommandLineTool::Listed> CommandLineTool::listed(
    const EventRows& rows, std::optional<int> mostDaysLeft) const {
    const DayCount count(today());
    std::vector<Listed> events;
    for (int row = 0; row < rows.count(); ++row) {
        // Months and days out of the calendar are carried as the list carries them.
        const std::optional<int> days = count.daysLeft(rows.month(row), rows.day(row));
        if (days && (!mostDaysLeft || *days <= *mostDaysLeft)) {
            events.push_back({row, *days});
        }
    }
    return events;
}

void CommandLineTool::print(const Connection& db, const EventRows& rows,
                            const std::vector<Listed>& events, bool json) {
    if (json) {
        QJsonArray array;
        for (const Listed& listed : events) {
            const int row = listed.row;
            // The date of the next occurrence: 29 February's is 1 March in a
            // common year, as the days left count it.
            const QDate next = today().addDays(listed.daysLeft);
            const std::optional<int> year = rows.year(row);
            const std::optional<RemindWindows> days = rows.remindDays(row);
            QJsonArray dayList;
            if (days) {
                for (const int day : days->days()) {
                    dayList.append(day);
                }
            }
            const std::optional<EventRecord> details = readEventDetails(db, rows.id(row));
            array.append(QJsonObject{
                {QStringLiteral("id"), rows.id(row)},
                {QStringLiteral("description"), rows.description(row)},
                {QStringLiteral("month"), rows.month(row)},
                {QStringLiteral("day"), rows.day(row)},
                {QStringLiteral("days_left"), listed.daysLeft},
                {QStringLiteral("next"), next.toString(Qt::ISODate)},
                {QStringLiteral("year"), year ? QJsonValue(*year) : QJsonValue()},
                {QStringLiteral("years"),
                 year ? QJsonValue(yearsCompleted(*year, next)) : QJsonValue()},
                {QStringLiteral("remind_days"), days ? QJsonValue(dayList) : QJsonValue()},
                {QStringLiteral("note"), details ? details->note : QString()},
                {QStringLiteral("uid"),
                 details && !details->uid.isEmpty() ? QJsonValue(details->uid) : QJsonValue()}});
        }
        out_ << QJsonDocument(array).toJson(QJsonDocument::Indented);
        return;
    }
    qsizetype idWidth = 1;
    for (const Listed& listed : events) {
        idWidth = std::max(idWidth, QString::number(rows.id(listed.row)).size());
    }
    const QLocale locale;
    const int year = today().year();
    // The month's name of each row, looked up once per month.
    std::array<QString, 13> monthNames;
    const auto monthName = [&](int month) {
        if (month >= 1 && month <= 12 && !monthNames[month].isNull()) {
            return monthNames[month];
        }
        const QDate date = carriedDate(year, month, 1).value_or(QDate());
        const QString name = locale.standaloneMonthName(date.month(), QLocale::LongFormat);
        if (month >= 1 && month <= 12) {
            monthNames[month] = name;
        }
        return name;
    };
    for (const Listed& listed : events) {
        const int row = listed.row;
        const QString when =
            monthName(rows.month(row)) + QLatin1Char(' ') + QString::number(rows.day(row));
        const QString left = listed.daysLeft == 0 ? tr("Today") : QString::number(listed.daysLeft);
        out_ << QString::number(rows.id(row)).rightJustified(idWidth) << "  "
             << when.leftJustified(14) << left.rightJustified(5) << "  "
             << shownOnTerminal(rows.description(row)) << '\n';
    }
}

int CommandLineTool::list(const QStringList& arguments) {
    QCommandLineParser parser;
    parser.setApplicationDescription(
        tr("Lists every event in calendar order (month, then day) with its days left."));
    parser.addOption(jsonOption());
    int status = Success;
    if (!parseCommand(parser, arguments, QStringLiteral("list [--json]"), status)) {
        return status;
    }
    if (!parser.positionalArguments().isEmpty()) {
        return usageError(tr("list takes no arguments"));
    }
    Connection db;
    openStore(db);
    const EventRows rows = readRows(db);
    print(db, rows, listed(rows, std::nullopt), parser.isSet(QStringLiteral("json")));
    return Success;
}

int CommandLineTool::due(const QStringList& arguments) {
    QCommandLineParser parser;
    parser.setApplicationDescription(
        tr("Lists the events due within the next days (by default 30), soonest first."));
    parser.addOption(jsonOption());
    parser.addOption(QCommandLineOption(QStringLiteral("days"),
                                        tr("The events with at most N days left."),
                                        QStringLiteral("N"), QStringLiteral("30")));
    int status = Success;
    if (!parseCommand(parser, arguments, QStringLiteral("due [--days N] [--json]"), status)) {
        return status;
    }
    if (!parser.positionalArguments().isEmpty()) {
        return usageError(tr("due takes no arguments"));
    }
    bool ok = false;
    const int days = parser.value(QStringLiteral("days")).toInt(&ok, 10);
    if (!ok || days < 0) {
        return usageError(tr("the number of days \"%1\" is not a whole number of 0 or more")
                              .arg(parser.value(QStringLiteral("days"))));
    }
    Connection db;
    openStore(db);
    const EventRows rows = readRows(db);
    std::vector<Listed> events = listed(rows, days);
    // Events on the same day keep the list's order.
    std::stable_sort(events.begin(), events.end(),
                     [](const Listed& a, const Listed& b) { return a.daysLeft < b.daysLeft; });
    print(db, rows, events, parser.isSet(QStringLiteral("json")));
    return Success;
}

int CommandLineTool::add(const QStringList& arguments) {
    QCommandLineParser parser;
    parser.setApplicationDescription(
        tr("Stores a new yearly event and prints its id. The date is the month's name, in "
           "English or your language, and the day, as in \"December 10\"."));
    parser.addPositionalArgument(tr("description"), tr("What the event is."));
    parser.addPositionalArgument(tr("date"), tr("Its month and day, as one argument or two."),
                                 tr("MONTH DAY"));
    addDetailOptions(parser, false);
    int status = Success;
    if (!parseCommand(parser, arguments,
                      tr("add DESCRIPTION MONTH DAY [--year YEAR] [--remind-days LIST] "
                         "[--note TEXT]"),
                      status)) {
        return status;
    }
    const QStringList positional = parser.positionalArguments();
    if (positional.size() != 2 && positional.size() != 3) {
        return usageError(
            tr("add takes a description and a date, as in "
               "add \"Ada's birthday\" December 10"));
    }
    // The date is told first, as the editor tells it.
    EventRecord event;
    QString refusal = takeDate(positional.mid(1).join(QLatin1Char(' ')), event);
    if (refusal.isEmpty()) {
        refusal = takeDescription(positional[0], event);
    }
    if (!refusal.isEmpty()) {
        return usageError(refusal);
    }
    refusal = takeDetails(parser, event);
    if (!refusal.isEmpty()) {
        return usageError(refusal);
    }
    Connection db;
    openStore(db);
    out_ << insertEvent(db, event) << '\n';
    return Success;
}

int CommandLineTool::edit(const QStringList& arguments) {
    QCommandLineParser parser;
    parser.setApplicationDescription(
        tr("Changes the event with the id ID (see list): only what the options give."));
    parser.addPositionalArgument(tr("id"), tr("The event's id."), tr("ID"));
    parser.addOption(
        QCommandLineOption(QStringLiteral("description"), tr("A new description."), tr("TEXT")));
    parser.addOption(QCommandLineOption(QStringLiteral("date"), tr("A new month and day."),
                                        tr("\"MONTH DAY\"")));
    addDetailOptions(parser, true);
    int status = Success;
    if (!parseCommand(parser, arguments,
                      tr("edit ID [--description TEXT] [--date \"MONTH DAY\"] "
                         "[--year YEAR | --no-year] [--remind-days LIST | --default-remind] "
                         "[--note TEXT]"),
                      status)) {
        return status;
    }
    const QStringList positional = parser.positionalArguments();
    bool ok = false;
    const qint64 id = positional.value(0).toLongLong(&ok, 10);
    if (positional.size() != 1 || !ok || id <= 0) {
        return usageError(tr("edit takes the id of one event, a whole number (see list)"));
    }
    const auto given = [&](const char* name) { return parser.isSet(QLatin1String(name)); };
    if (given("year") && given("no-year")) {
        return usageError(tr("--year and --no-year cannot go together"));
    }
    if (given("remind-days") && given("default-remind")) {
        return usageError(tr("--remind-days and --default-remind cannot go together"));
    }
    Connection db;
    openStore(db);
    // The transaction holds the store from the read to the change.
    Transaction change(db);
    std::optional<EventRecord> event = readEvent(db, id);
    if (!event) {
        return failure(tr("there is no event with the id %1").arg(id));
    }
    QString refusal;
    if (given("date")) {
        refusal = takeDate(parser.value(QStringLiteral("date")), *event);
    }
    if (refusal.isEmpty() && given("description")) {
        refusal = takeDescription(parser.value(QStringLiteral("description")), *event);
    }
    if (!refusal.isEmpty()) {
        return usageError(refusal);
    }
    if (given("no-year")) {
        event->year.reset();
    }
    if (given("default-remind")) {
        event->remindDays.reset();
    }
    refusal = takeDetails(parser, *event);
    if (!refusal.isEmpty()) {
        return usageError(refusal);
    }
    updateEvent(db, *event);
    change.commit();
    return Success;
}

QString CommandLineTool::takeDescription(const QString& text, EventRecord& event) {
    // As the editor keeps it: without blanks around it.
    const QString description = text.trimmed();
    if (description.isEmpty()) {
        return tr("the description is empty");
    }
    if (firstControlCharacter(description) >= 0) {
        return tr("the description holds a line break or another control character");
    }
    if (description.size() > kDescriptionLimit) {
        return tr("the description is %1 characters long; it can have at most %2")
            .arg(description.size())
            .arg(kDescriptionLimit);
    }
    event.description = description;
    return {};
}

QString CommandLineTool::takeDate(const QString& text, EventRecord& event) {
    const auto date = monthAndDay(text);
    if (!date || !isValidEventDate(date->first, date->second)) {
        return tr("\"%1\" is not a date an event can have; write the month's name "
                  "and the day, as in \"December 10\"")
            .arg(text);
    }
    event.month = date->first;
    event.day = date->second;
    return {};
}

QString CommandLineTool::takeDetails(const QCommandLineParser& parser, EventRecord& event) const {
    if (parser.isSet(QStringLiteral("year"))) {
        bool ok = false;
        const QString text = parser.value(QStringLiteral("year"));
        const int year = text.trimmed().toInt(&ok, 10);
        if (!ok || year < 1 || year > today().year()) {
            return tr("the year \"%1\" is not a year from 1 to %2").arg(text).arg(today().year());
        }
        event.year = year;
    }
    if (event.year && !isValidEventYear(*event.year, event.month, event.day, today())) {
        return tr("there was no 29 February in %1").arg(*event.year);
    }
    if (parser.isSet(QStringLiteral("remind-days"))) {
        const QString text = parser.value(QStringLiteral("remind-days"));
        const std::optional<RemindWindows> days = RemindWindows::fromText(text);
        if (!days) {
            return tr("\"%1\" is not a list of remind days; give any of 0, 3, 7, 14, 30, as in "
                      "0,7,30")
                .arg(text);
        }
        event.remindDays = days;
    }
    if (parser.isSet(QStringLiteral("note"))) {
        const QString note = parser.value(QStringLiteral("note"));
        if (firstNoteControlCharacter(note) >= 0) {
            return tr("the note holds a control character other than a line break or a tab");
        }
        if (note.size() > kNoteLimit) {
            return tr("the note is %1 characters long; it can have at most %2")
                .arg(note.size())
                .arg(kNoteLimit);
        }
        event.note = note;
    }
    return {};
}

int CommandLineTool::remove(const QStringList& arguments) {
    QCommandLineParser parser;
    parser.setApplicationDescription(tr("Deletes the event with the id ID (see list)."));
    parser.addPositionalArgument(tr("id"), tr("The event's id."), tr("ID"));
    int status = Success;
    if (!parseCommand(parser, arguments, tr("remove ID"), status)) {
        return status;
    }
    const QStringList positional = parser.positionalArguments();
    bool ok = false;
    const qint64 id = positional.value(0).toLongLong(&ok, 10);
    if (positional.size() != 1 || !ok || id <= 0) {
        return usageError(tr("remove takes the id of one event, a whole number (see list)"));
    }
    Connection db;
    openStore(db);
    if (deleteEvent(db, id) == 0) {
        return failure(tr("there is no event with the id %1").arg(id));
    }
    return Success;
}

int CommandLineTool::importFile(const QStringList& arguments) {
    QCommandLineParser parser;
    parser.setApplicationDescription(
        tr("Stores the events of FILE. A text file stores one event a line, and nothing when "
           "a line cannot be read; a calendar file stores its entries that repeat every year, a "
           "contact file its birthdays and anniversaries, with their years. An event already "
           "stored (the same UID, or the same description and date) is counted, not stored "
           "again. All of them are stored or, on a failure, none."));
    parser.addOption(formatOption(
        tr("The file's format: text, ics or vcf (by default the one its content shows, else its "
           "ending: .txt, .ics, .vcf).")));
    parser.addPositionalArgument(tr("file"), tr("The file to read."), tr("FILE"));
    int status = Success;
    if (!parseCommand(parser, arguments, tr("import [--format FORMAT] FILE"), status)) {
        return status;
    }
    const QStringList positional = parser.positionalArguments();
    if (positional.size() != 1) {
        return usageError(tr("import takes one file"));
    }
    const QString option = parser.value(QStringLiteral("format"));
    const std::optional<EventFileFormat> format = formatNamed(option);
    if (!option.isEmpty() && !format) {
        return usageError(tr("\"%1\" is not a format; use text, ics or vcf").arg(option));
    }
    Connection db;
    openStore(db);
    // The whole file is read and checked before anything is stored; what it
    // holds besides the events is told after the count.
    const EventFileRead read = readFileToImport(positional[0], clock_.today(), format);
    backUpBeforeImport(db);
    for (const QString& line : importReport(read, storeEvents(read.events, db))) {
        out_ << line << '\n';
    }
    return Success;
}

void CommandLineTool::backUpBeforeImport(const Connection& db) {
    // As the window does: the copy of the day takes the store as it was
    // before the import, and a copy that cannot be made stops nothing. A
    // store that cannot be changed takes no import to be undone.
    if (db.readOnly()) {
        return;
    }
    try {
        DailyBackups(db.path()).write(db, clock_.now());
    } catch (const AppError& e) {
        err_ << kProgram << ": "
             << tr("%1. The import goes on without this backup.").arg(e.description()) << '\n';
    }
}

int CommandLineTool::exportFile(const QStringList& arguments) {
    QCommandLineParser parser;
    parser.setApplicationDescription(
        tr("Writes every event to FILE, as text (one \"Description,Month Day\" a line) or as an "
           "iCalendar file of yearly all-day entries with their years, notes, reminder days "
           "and UIDs. The file is replaced only once it is complete."));
    parser.addOption(
        formatOption(tr("The file's format: text or ics (by default its ending: .txt, .ics).")));
    parser.addPositionalArgument(tr("file"), tr("The file to write."), tr("FILE"));
    int status = Success;
    if (!parseCommand(parser, arguments, tr("export [--format FORMAT] FILE"), status)) {
        return status;
    }
    const QStringList positional = parser.positionalArguments();
    if (positional.size() != 1) {
        return usageError(tr("export takes one file"));
    }
    const QString path = positional[0];
    const QString option = parser.value(QStringLiteral("format"));
    const std::optional<EventFileFormat> format =
        option.isEmpty() ? eventFileFormatByName(path) : formatNamed(option);
    if (format == EventFileFormat::VCard) {
        return usageError(tr("contact files can be imported, not exported; use text or ics"));
    }
    if (!format) {
        return usageError(tr("\"%1\" is not a format; use text or ics").arg(option));
    }
    Connection db;
    openStore(db);
    const QList<EventRecord> events = storedEventsToExport(db);
    exportEventFile(path, events, *format);
    const int count = static_cast<int>(events.size());
    out_ << exportedText(count, path) << '\n';
    return Success;
}

int CommandLineTool::sync(const QStringList& arguments) {
    QCommandLineParser parser;
    parser.setApplicationDescription(
        tr("Syncs the events once with the calendar and the address books of every account "
           "and tells what changed: \"2 added, 1 changed, 0 removed here; 1 uploaded\"."));
    int status = Success;
    if (!parseCommand(parser, arguments, QStringLiteral("sync"), status)) {
        return status;
    }
    if (!parser.positionalArguments().isEmpty()) {
        return usageError(tr("sync takes no arguments"));
    }
    Connection db;
    openStore(db);
    AccountBook book;
    SyncRun run(db, book, accounts_.secrets, accounts_.network, clock_);
    run.start();
    waitUntilFinished(run);
    if (!run.hadAccounts() && run.errors().isEmpty()) {
        return failure(tr("there is no account to sync with; add one with '%1 account add URL "
                          "--user NAME'")
                           .arg(kProgram));
    }
    for (const QString& line : run.report().lines()) {
        out_ << line << '\n';
    }
    // What went through stays; the accounts that failed are told of.
    for (const QString& error : run.errors()) {
        err_ << kProgram << ": " << error << '\n';
    }
    return run.errors().isEmpty() ? Success : Failure;
}

}  // namespace almanis
