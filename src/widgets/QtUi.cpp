#include "widgets/QtUi.h"

#include "widgets/Design.h"

#include <QApplication>
#include <QDesktopServices>
#include <QDialog>
#include <QFileDialog>
#include <QLoggingCategory>
#include <QMessageBox>
#include <QRegularExpression>
#include <QUrl>
#include <algorithm>

namespace almanis {

namespace {
// Which window the program asks the desktop to activate, and with which
// token: QT_LOGGING_RULES="almanis.activation.debug=true" shows it.
Q_LOGGING_CATEGORY(activationLog, "almanis.activation", QtWarningMsg)

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

namespace {
// The suffix of a filter of one pattern, "ics" for "iCalendar Files (*.ics)";
// empty for any other filter.
QString suffixOfFilter(const QString& filter) {
    static const QRegularExpression onePattern(QStringLiteral("\\(\\*\\.(\\w+)\\)$"));
    return onePattern.match(filter).captured(1);
}
}  // namespace

SaveChoice QtUi::saveFileName(const FileDialogOptions& options) {
    QFileDialog dialog(activeWindow(), options.title);
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setFileMode(QFileDialog::AnyFile);
    dialog.setNameFilters(options.filters);
    // The suffix follows the chosen filter, so that the name the dialog asks
    // about overwriting is the name that is written.
    const auto followFilter = [&](const QString& filter) {
        const QString suffix = suffixOfFilter(filter);
        dialog.setDefaultSuffix(suffix.isEmpty() ? options.defaultSuffix : suffix);
    };
    followFilter(options.filters.value(0));
    QObject::connect(&dialog, &QFileDialog::filterSelected, &dialog, followFilter);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) {
        return {};
    }
    return {dialog.selectedFiles().first(),
            std::max(0, static_cast<int>(options.filters.indexOf(dialog.selectedNameFilter())))};
}

void QtUi::openUrl(const QString& url) {
    QDesktopServices::openUrl(QUrl(url));
}

void QtUi::showModal(QDialog& window, QWidget* owner) {
    // An owner blocks only itself; the window stands over a window as its
    // transient when it is that window's child, which its maker decides.
    // Without an owner the window blocks the whole program, unless it says
    // itself how far it blocks.
    if (owner) {
        window.setWindowModality(Qt::WindowModal);
    } else if (window.windowModality() == Qt::NonModal) {
        window.setWindowModality(Qt::ApplicationModal);
    }
    window.exec();
}

void QtUi::bringForward(QWidget& window, const QString& activationToken) {
    // Wayland lets a window take the focus only with a token from what the
    // user did (xdg-activation); Qt's Wayland shell hands the one in
    // XDG_ACTIVATION_TOKEN to the compositor at the next activation and then
    // drops it. X11 needs none: the window manager is asked directly.
    if (!activationToken.isEmpty() && QGuiApplication::platformName().startsWith(u"wayland")) {
        qputenv("XDG_ACTIVATION_TOKEN", activationToken.toUtf8());
    }
    qCDebug(activationLog) << "Activating" << window.objectName() << "with the token"
                           << activationToken;
    window.raise();
    window.activateWindow();
}

}  // namespace almanis
