#pragma once

#include <QString>
#include <QStringList>

class QDialog;
class QWidget;

namespace almanis {

// The settings of the open and save dialogs of the import and export.
struct FileDialogOptions {
    QString title;
    QStringList filters;  // e.g. "Text Files (*.txt)"; the first one is chosen at first
    bool multiSelect = false;
    // The save dialog adds it to a name given without a suffix ("txt"); while
    // a filter of one pattern such as "*.ics" is chosen, that filter's suffix.
    QString defaultSuffix;
};

// What the save dialog gave.
struct SaveChoice {
    QString fileName;  // empty when the user cancelled
    int filter = 0;    // the chosen filter's position in FileDialogOptions::filters
};

// Everything that needs a person goes through here: message boxes, file dialogs,
// modal windows and the web browser. The program uses the Qt implementation;
// tests use a scripted one that records what was shown and answers as told.
class Ui {
  public:
    virtual ~Ui() = default;

    // The "Application Error" box: exclamation icon, OK button only.
    virtual void errorReport(const QString& text) = 0;

    // An informational box with an OK button only and no icon.
    virtual void inform(const QString& text, const QString& title) = 0;

    // The one question: Yes and No buttons, no icon. True for Yes.
    virtual bool askYesNo(const QString& text, const QString& title) = 0;

    // The open dialog; the chosen files, none when the user cancelled.
    virtual QStringList openFileNames(const FileDialogOptions& options) = 0;

    // The save dialog: the file and the filter chosen.
    virtual SaveChoice saveFileName(const FileDialogOptions& options) = 0;

    // Opens a web address in the user's browser.
    virtual void openUrl(const QString& url) = 0;

    // Shows a window modally, owned by `owner` (nullptr: no owner), and returns
    // when it has closed. An owner's window blocks only the owner; one without
    // blocks the whole program, unless it set a modality of its own before.
    virtual void showModal(QDialog& window, QWidget* owner) = 0;
    // Brings a shown window to the front and gives it the focus, with the
    // desktop's permission for it where one came with the request (an
    // activation token from a launcher or a notification; empty: none).
    virtual void bringForward(QWidget& window, const QString& activationToken) = 0;
};

}  // namespace almanis
