#include "editing/FileCommands.h"

#include "core/AppError.h"
#include "core/AppTitle.h"
#include "core/Clock.h"
#include "core/Guard.h"
#include "core/Ui.h"
#include "editing/CommandHost.h"
#include "exchange/EventFiles.h"
#include "exchange/EventText.h"
#include "exchange/ExportFile.h"
#include "reminders/EventListModel.h"
#include "widgets/PointerRule.h"
#include "widgets/Services.h"

#include <QDir>
#include <QFileInfo>

namespace almanis {

namespace {
// The dialogs keep the title "Save", the open dialog too.
FileDialogOptions importDialog() {
    return FileDialogOptions{
        FileCommands::tr("Save"),
        {FileCommands::tr("Event files (*.txt *.ics *.vcf)"),
         FileCommands::tr("Text Files (*.txt)"), FileCommands::tr("iCalendar Files (*.ics)"),
         FileCommands::tr("vCard Files (*.vcf)"), FileCommands::tr("All Files (*)")},
        true,
        QString()};
}

// The export's filters, by position: the text format first.
enum ExportFilter { TextFilter, ICalendarFilter, AllFilesFilter };

FileDialogOptions exportDialog() {
    return FileDialogOptions{
        FileCommands::tr("Save"),
        {FileCommands::tr("Text Files (*.txt)"), FileCommands::tr("iCalendar Files (*.ics)"),
         FileCommands::tr("All Files (*)")},
        false,
        QStringLiteral("txt")};
}
}  // namespace

ExportTarget exportTarget(const QString& fileName, int filter) {
    const QString suffix = QFileInfo(fileName).suffix().toLower();
    ExportTarget target{fileName, EventFileFormat::Text};
    // A suffix that names a format chooses it; any other, or none, leaves
    // the choice to the filter.
    if (suffix == QLatin1String("txt") ||
        eventFileFormatByName(fileName) != EventFileFormat::Text) {
        target.format = eventFileFormatByName(fileName);
    } else if (filter == ICalendarFilter) {
        target.format = EventFileFormat::ICalendar;
    }
    if (suffix.isEmpty() && !fileName.endsWith(QLatin1Char('.'))) {
        target.fileName += target.format == EventFileFormat::ICalendar ? QLatin1String(".ics")
                                                                       : QLatin1String(".txt");
    }
    return target;
}

QList<EventRecord> listedEventsToExport(const EventListModel& list) {
    const EventRows& rows = list.rows();
    QList<EventRecord> events;
    events.reserve(rows.count());
    for (int row = 0; row < rows.count(); ++row) {
        const int month = rows.month(row);
        if (!rows.monthRead(row) || month < 0 || month > 255) {
            throw AppError(
                FileCommands::tr(
                    "Overflow: the month %1 of list row %2 is not a number from 0 to 255")
                    .arg(quotedLine(list.text(row, EventListModel::MonthNumberColumn)),
                         QString::number(row + 1)));
        }
        if (!rows.dayRead(row)) {
            throw AppError(FileCommands::tr("The day of list row %1 could not be read from the "
                                            "store, so the events cannot be exported")
                               .arg(row + 1));
        }
        events.append(rows.record(row));
    }
    return events;
}

FileCommands::FileCommands(Services& services, CommandHost& host, QObject* parent)
    : QObject(parent), services_(services), host_(host) {}

void FileCommands::importEvents() {
    Ui& ui = services_.ui;
    Guard g(ui, where::importEvents);
    QString fileName;
    // The dialog lets several files be chosen; the first one is imported.
    g.step(100, [&] {
        const QStringList chosen = ui.openFileNames(importDialog());
        fileName = chosen.isEmpty() ? QString() : chosen.first();
    });
    if (g.test(102, [&] { return fileName.isEmpty(); })) {
        return;
    }
    g.step(104, [&] { host_.pointer().setShape(PointerRule::Hourglass); });
    // Today's backup takes the store as it was before the import. A failed
    // backup is told, and the import goes on without it. (Step 114 is
    // retired: this step had it once.)
    g.step(105, [&] { host_.backUpStore(); });
    // The whole file is read and checked before anything is stored, in the
    // format its content shows (a text, calendar or contacts file).
    const std::optional<EventFileRead> read =
        g.value(106, [&] { return readFileToImport(fileName, services_.clock.today()); });
    if (!read) {
        g.step(110, [&] { host_.pointer().setShape(PointerRule::Arrow); });
        return;
    }
    finishImport(g, *read);
}

void FileCommands::finishImport(Guard& g, const EventFileRead& read) {
    // Step 116 is retired: this step had it once.
    const std::optional<ImportCount> count =
        g.value(107, [&] { return storeEvents(read.events, host_.store()); });
    // Another program may have changed the store meanwhile; the list shows it
    // as it is now, with or without the import.
    g.step(108, [&] { host_.refreshList(); });
    g.step(110, [&] { host_.pointer().setShape(PointerRule::Arrow); });
    if (count) {
        g.step(112, [&] {
            services_.ui.inform(importReport(read, *count).join(QLatin1Char('\n')), appTitle());
        });
    }
}

void FileCommands::exportEvents() {
    Ui& ui = services_.ui;
    Guard g(ui, where::exportEvents);
    SaveChoice chosen;
    g.step(100, [&] { chosen = ui.saveFileName(exportDialog()); });
    if (g.test(102, [&] { return chosen.fileName.isEmpty(); })) {
        return;
    }
    const ExportTarget target = exportTarget(chosen.fileName, chosen.filter);
    const QString& fileName = target.fileName;
    g.step(104, [&] { host_.pointer().setShape(PointerRule::Hourglass); });
    // A text file holds what the list shows, not what the store holds by now;
    // a calendar holds the stored events with all they carry, as almanis-cli
    // writes it. 100,000 events are written in well under a second, so
    // nothing else runs meanwhile.
    const std::optional<int> written = g.value(106, [&] {
        const QList<EventRecord> events = target.format == EventFileFormat::Text
                                              ? listedEventsToExport(host_.eventList())
                                              : storedEventsToExport(host_.store());
        return exportEventFile(fileName, events, target.format);
    });
    g.step(108, [&] { host_.pointer().setShape(PointerRule::Arrow); });
    if (!written) {
        return;
    }
    g.step(110, [&] {
        const QString file = QDir::toNativeSeparators(fileName);
        ui.inform(exportedText(*written, file), appTitle());
    });
}

void FileCommands::showFileFormatNote() {
    Ui& ui = services_.ui;
    Guard g(ui, where::fileFormatNote);
    g.step(100, [&] {
        // The example stays English in every language: the file's month names are.
        ui.inform(tr("This will import/export to text files in the following format with commas "
                     "(Please use English month names):") +
                      QStringLiteral("\r\n\r\nNew Year,January 1\r\nHalf Year,July 31\r\n\r\n") +
                      tr("Import also reads calendar files (.ics: their entries that repeat every "
                         "year) and contact files (.vcf: birthdays and anniversaries); "
                         "export also writes calendar files (.ics) for any calendar program."),
                  appTitle());
    });
}

}  // namespace almanis
