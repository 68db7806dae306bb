#pragma once

#include <QLocale>
#include <QString>

class QCoreApplication;

namespace almanis {

// The program's texts in the user's language: the translation that lies in
// the "translations" folder beside the program (almanis_de.qm, ...), and Qt's
// own for the buttons of its boxes and dialogs. English needs none.
class Translations {
  public:
    // Installs into `app` (which owns them) the translations for `locale`;
    // true when the program's own was found.
    static bool install(QCoreApplication& app, const QString& programFolder,
                        const QLocale& locale = QLocale());

    // The folder beside the program that holds its translations.
    static QString folder(const QString& programFolder);
};

}  // namespace almanis
