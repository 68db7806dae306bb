#pragma once

#include "core/Ui.h"

#include <QDialog>
#include <QList>
#include <QStringList>
#include <deque>
#include <functional>

namespace almanis::test {

// A Ui that shows nothing: it records every box, dialog and window and gives
// the answers the test queued. A modal window is handed to the next queued
// script, which plays the user (fills fields, clicks buttons); with no script
// queued the window is simply closed, as by its close box.
class ScriptedUi final : public Ui {
  public:
    struct Box {
        QString kind;  // "error", "inform" or "question"
        QString text;
        QString title;
    };
    struct Modal {
        QString title;
        QWidget* owner;
    };

    void errorReport(const QString& text) override;
    void inform(const QString& text, const QString& title) override;
    bool askYesNo(const QString& text, const QString& title) override;
    QStringList openFileNames(const FileDialogOptions& options) override;
    SaveChoice saveFileName(const FileDialogOptions& options) override;
    void openUrl(const QString& url) override;
    void showModal(QDialog& window, QWidget* owner) override;
    // Raises and activates the window, as far as the offscreen platform goes,
    // and records the request.
    void bringForward(QWidget& window, const QString& activationToken) override;

    // The texts of the error reports shown so far.
    QStringList errors() const;
    void clear();

    QList<Box> boxes;
    QList<Modal> modals;
    // The windows brought forward, as "objectName token".
    QStringList broughtForward;
    QStringList urls;
    QList<FileDialogOptions> fileDialogs;

    std::deque<bool> answers;  // for askYesNo; No when empty
    std::deque<QStringList> openAnswers;
    std::deque<QString> saveAnswers;
    std::deque<int> saveFilters;  // the filter chosen with each save answer; the first when empty
    std::deque<std::function<void(QDialog&)>> modalScripts;
    // Thrown by showModal instead of showing, when set.
    bool failShowing = false;
};

}  // namespace almanis::test
