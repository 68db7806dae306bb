#include "core/Translations.h"

#include <QCoreApplication>
#include <QLibraryInfo>
#include <QTranslator>

namespace almanis {

QString Translations::folder(const QString& programFolder) {
    return programFolder + QStringLiteral("/translations");
}

bool Translations::install(QCoreApplication& app, const QString& programFolder,
                           const QLocale& locale) {
    // The program's texts are English in the source; an English user, or one
    // whose language has no translation, reads them as they are.
    auto* own = new QTranslator(&app);
    if (!own->load(locale, QStringLiteral("almanis"), QStringLiteral("_"), folder(programFolder))) {
        delete own;
        return false;
    }
    QCoreApplication::installTranslator(own);
    // Qt's own texts (Yes, No, OK, the file dialogs) in the same language.
    auto* qt = new QTranslator(&app);
    if (qt->load(locale, QStringLiteral("qtbase"), QStringLiteral("_"),
                 QLibraryInfo::path(QLibraryInfo::TranslationsPath))) {
        QCoreApplication::installTranslator(qt);
    } else {
        delete qt;
    }
    return true;
}

}  // namespace almanis
