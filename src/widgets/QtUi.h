#pragma once

#include "core/Ui.h"

namespace almanis {

// The program's Ui: Qt message boxes, file dialogs, modal windows and the
// desktop's web browser.
class QtUi final : public Ui {
  public:
    void errorReport(const QString& text) override;
    void inform(const QString& text, const QString& title) override;
    bool askYesNo(const QString& text, const QString& title) override;
    QStringList openFileNames(const FileDialogOptions& options) override;
    SaveChoice saveFileName(const FileDialogOptions& options) override;
    void openUrl(const QString& url) override;
    void showModal(QDialog& window, QWidget* owner) override;
    void bringForward(QWidget& window, const QString& activationToken) override;
};

}  // namespace almanis
