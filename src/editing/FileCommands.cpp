#include "editing/FileCommands.h"

#include "core/AppTitle.h"
#include "core/Guard.h"
#include "mainwindow/MainWindow.h"
#include "widgets/Services.h"
#include "core/Ui.h"
#include "widgets/Design.h"
#include "exchange/EventText.h"

#include <QCoreApplication>
#include <QPushButton>

namespace almanis {

namespace {
FileDialogOptions textFileDialog(bool multiSelect) {
    return FileDialogOptions{
        QStringLiteral("Save"),
        {QStringLiteral("Text Files (*.txt)"), QStringLiteral("All Files (*)")},
        multiSelect};
}
}  // namespace

ExchangeCommands::ExchangeCommands(Form1& form) : form_(form) {
    connect(form_.PushButton8, &QPushButton::clicked, this, [this] { PushButton8_Click(); });
    connect(form_.PushButton9, &QPushButton::clicked, this, [this] { PushButton9_Click(); });
    connect(form_.PushButton10, &QPushButton::clicked, this, [this] { PushButton10_Click(); });
}

void ExchangeCommands::PushButton8_Click() {
    Ui& ui = form_.services.ui;
    Guard g(ui, QStringLiteral("Form1"), QStringLiteral("PushButton8_Click"));
    QString fileName;
    // The dialog lets several files be chosen; the first one is imported.
    g.step(100, [&] {
        const QStringList chosen = ui.openFileNames(textFileDialog(true));
        fileName = chosen.isEmpty() ? QString() : chosen.first();
    });
    if (g.test(102, [&] { return fileName.isEmpty(); })) {
        return;
    }
    g.step(104, [&] { form_.pointer->setMousePointer(PointerRule::Hourglass); });
    g.step(106, [&] { ImportEvents(fileName, form_.EventDb); });
    g.step(108, [&] { form_.ListEvents(); });
    g.step(110, [&] { form_.pointer->setMousePointer(PointerRule::Default); });
    g.step(112, [&] { ui.inform(QStringLiteral("Done."), appTitle()); });
}

void ExchangeCommands::PushButton9_Click() {
    Ui& ui = form_.services.ui;
    Guard g(ui, QStringLiteral("Form1"), QStringLiteral("PushButton9_Click"));
    QString fileName;
    g.step(100, [&] { fileName = ui.saveFileName(textFileDialog(false)); });
    if (g.test(102, [&] { return fileName.isEmpty(); })) {
        return;
    }
    g.step(104, [&] { form_.pointer->setMousePointer(PointerRule::Hourglass); });
    // The window keeps painting and answering while a long list is written.
    g.step(106, [&] {
        ExportEvents(fileName, form_.ListView1, [] { QCoreApplication::processEvents(); });
    });
    g.step(108, [&] { form_.pointer->setMousePointer(PointerRule::Default); });
    g.step(110, [&] { ui.inform(QStringLiteral("Done."), appTitle()); });
}

void ExchangeCommands::PushButton10_Click() {
    Ui& ui = form_.services.ui;
    Guard g(ui, QStringLiteral("Form1"), QStringLiteral("PushButton10_Click"));
    g.step(100, [&] {
        ui.inform(
            QStringLiteral(
                "This will import/export to text files in the following format with commas "
                "(Please use English month names):\r\n\r\nNew Year,January 1\r\nHalf Year,July 31"),
            appTitle());
    });
}

}  // namespace almanis
