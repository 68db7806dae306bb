#include "ScriptedUi.h"

#include "core/AppError.h"

#include <QDialog>
#include <QWidget>

namespace almanis::test {

void ScriptedUi::errorReport(const QString& text) {
    boxes.append({QStringLiteral("error"), text, QStringLiteral("Application Error")});
}

void ScriptedUi::inform(const QString& text, const QString& title) {
    boxes.append({QStringLiteral("inform"), text, title});
}

bool ScriptedUi::askYesNo(const QString& text, const QString& title) {
    boxes.append({QStringLiteral("question"), text, title});
    if (answers.empty()) {
        return false;
    }
    const bool answer = answers.front();
    answers.pop_front();
    return answer;
}

QStringList ScriptedUi::openFileNames(const FileDialogOptions& options) {
    fileDialogs.append(options);
    if (openAnswers.empty()) {
        return {};
    }
    QStringList answer = openAnswers.front();
    openAnswers.pop_front();
    return answer;
}

SaveChoice ScriptedUi::saveFileName(const FileDialogOptions& options) {
    fileDialogs.append(options);
    SaveChoice choice;
    if (!saveFilters.empty()) {
        choice.filter = saveFilters.front();
        saveFilters.pop_front();
    }
    if (!saveAnswers.empty()) {
        choice.fileName = saveAnswers.front();
        saveAnswers.pop_front();
    }
    return choice;
}

void ScriptedUi::openUrl(const QString& url) {
    urls.append(url);
}

void ScriptedUi::bringForward(QWidget& window, const QString& activationToken) {
    broughtForward.append(window.objectName() + QLatin1Char(' ') + activationToken);
    window.raise();
    window.activateWindow();
}

void ScriptedUi::showModal(QDialog& window, QWidget* owner) {
    if (failShowing) {
        throw AppError(QStringLiteral("The window cannot be shown"));
    }
    modals.append({window.windowTitle(), owner});
    if (modalScripts.empty()) {
        window.close();
        return;
    }
    auto script = std::move(modalScripts.front());
    modalScripts.pop_front();
    script(window);
}

QStringList ScriptedUi::errors() const {
    QStringList texts;
    for (const Box& box : boxes) {
        if (box.kind == QLatin1String("error")) {
            texts.append(box.text);
        }
    }
    return texts;
}

void ScriptedUi::clear() {
    boxes.clear();
    modals.clear();
    urls.clear();
    broughtForward.clear();
    fileDialogs.clear();
}

}  // namespace almanis::test
