#include "widgets/QtUi.h"

#include "widgets/Design.h"

#include <QApplication>
#include <QDesktopServices>
#include <QDialog>
#include <QFileDialog>
#include <QMessageBox>
#include <QUrl>
#include <QWindow>

namespace almanis {

namespace {
QWidget* activeWindow() {
    return QApplication::activeModalWidget() ? QApplication::activeModalWidget()
                                             : QApplication::activeWindow();
}

int box(QMessageBox::Icon icon, const QString& title, const QString& text,
        QMessageBox::StandardButtons buttons) {
    QMessageBox message(icon, title, text, buttons, activeWindow());
    message.setWindowIcon(programIcon());
    return message.exec();
}
}  // namespace

void QtUi::errorReport(const QString& text) {
    box(QMessageBox::Warning, QCoreApplication::translate("almanis::QtUi", "Application Error"),
        text, QMessageBox::Ok);
}

void QtUi::inform(const QString& text, const QString& title) {
    box(QMessageBox::NoIcon, title, text, QMessageBox::Ok);
}

bool QtUi::askYesNo(const QString& text, const QString& title) {
    return box(QMessageBox::NoIcon, title, text, QMessageBox::Yes | QMessageBox::No) ==
           QMessageBox::Yes;
}

QStringList QtUi::openFileNames(const FileDialogOptions& options) {
    const QString filter = options.filters.join(QStringLiteral(";;"));
    if (options.multiSelect) {
        return QFileDialog::getOpenFileNames(activeWindow(), options.title, QString(), filter);
    }
    const QString name =
        QFileDialog::getOpenFileName(activeWindow(), options.title, QString(), filter);
    return name.isEmpty() ? QStringList() : QStringList{name};
}

QString QtUi::saveFileName(const FileDialogOptions& options) {
    return QFileDialog::getSaveFileName(activeWindow(), options.title, QString(),
                                        options.filters.join(QStringLiteral(";;")));
}

void QtUi::openUrl(const QString& url) {
    QDesktopServices::openUrl(QUrl(url));
}

void QtUi::showModal(QDialog& window, QWidget* owner) {
    // The owner keeps the window above it without taking it over: the caller
    // still owns and destroys the window.
    window.setWindowModality(owner ? Qt::WindowModal : Qt::ApplicationModal);
    if (owner) {
        window.winId();
        if (window.windowHandle() && owner->window()->windowHandle()) {
            window.windowHandle()->setTransientParent(owner->window()->windowHandle());
        }
    }
    window.exec();
}

}  // namespace almanis
