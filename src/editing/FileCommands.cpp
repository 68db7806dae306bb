#include "editing/FileCommands.h"

#include "core/AppError.h"
#include "core/AppTitle.h"
#include "core/Guard.h"
#include "core/Ui.h"
#include "editing/CommandHost.h"
#include "exchange/EventImport.h"
#include "exchange/EventText.h"
#include "exchange/ExportFile.h"
#include "reminders/EventListModel.h"
#include "widgets/PointerRule.h"
#include "widgets/Services.h"

#include <QDir>

namespace almanis {

namespace {
FileDialogOptions textFileDialog(bool multiSelect) {
    return FileDialogOptions{
        FileCommands::tr("Save"),
        {FileCommands::tr("Text Files (*.txt)"), FileCommands::tr("All Files (*)")},
        multiSelect};
}
}  // namespace

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
        const QStringList chosen = ui.openFileNames(textFileDialog(true));
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
    // The whole file is read and checked before anything is stored.
    const std::optional<QList<EventRecord>> events =
        g.value(106, [&] { return readEventFile(fileName); });
    if (!events) {
        g.step(110, [&] { host_.pointer().setShape(PointerRule::Arrow); });
        return;
    }
    storeImported(g, *events);
}

void FileCommands::storeImported(Guard& g, const QList<EventRecord>& events) {
    // Step 116 is retired: this step had it once.
    const std::optional<ImportCount> stored =
        g.value(107, [&] { return storeEvents(events, host_.store()); });
    // Another program may have changed the store meanwhile; the list shows it
    // as it is now, with or without the import.
    g.step(108, [&] { host_.refreshList(); });
    g.step(110, [&] { host_.pointer().setShape(PointerRule::Arrow); });
    if (stored) {
        g.step(112, [&] { services_.ui.inform(importCountText(*stored), appTitle()); });
    }
}

void FileCommands::exportEvents() {
    Ui& ui = services_.ui;
    Guard g(ui, where::exportEvents);
    QString fileName;
    g.step(100, [&] { fileName = ui.saveFileName(textFileDialog(false)); });
    if (g.test(102, [&] { return fileName.isEmpty(); })) {
        return;
    }
    g.step(104, [&] { host_.pointer().setShape(PointerRule::Hourglass); });
    // What the list shows, not what the store holds by now. 100,000 events
    // are written in well under a second, so nothing else runs meanwhile.
    const std::optional<int> written = g.value(106, [&] {
        return almanis::exportEvents(fileName, listedEventsToExport(host_.eventList()));
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
                      QStringLiteral("\r\n\r\nNew Year,January 1\r\nHalf Year,July 31"),
                  appTitle());
    });
}

}  // namespace almanis
