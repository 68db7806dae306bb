#include "editing/FileCommands.h"

#include "core/AppTitle.h"
#include "core/Guard.h"
#include "core/Ui.h"
#include "editing/CommandHost.h"
#include "exchange/EventText.h"
#include "widgets/PointerRule.h"
#include "widgets/Services.h"

#include <QCoreApplication>

namespace almanis {

namespace {
FileDialogOptions textFileDialog(bool multiSelect) {
    return FileDialogOptions{
        FileCommands::tr("Save"),
        {FileCommands::tr("Text Files (*.txt)"), FileCommands::tr("All Files (*)")},
        multiSelect};
}
}  // namespace

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
    g.step(106, [&] { almanis::importEvents(fileName, host_.store()); });
    g.step(108, [&] { host_.refreshList(); });
    g.step(110, [&] { host_.pointer().setShape(PointerRule::Arrow); });
    g.step(112, [&] { ui.inform(tr("Done."), appTitle()); });
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
    // The window keeps painting and answering while a long list is written.
    g.step(106, [&] {
        almanis::exportEvents(fileName, host_.eventList(),
                              [] { QCoreApplication::processEvents(); });
    });
    g.step(108, [&] { host_.pointer().setShape(PointerRule::Arrow); });
    g.step(110, [&] { ui.inform(tr("Done."), appTitle()); });
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
