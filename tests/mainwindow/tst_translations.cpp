#include "ProgramFixture.h"

#include "core/Translations.h"

#include <QApplication>
#include <QRegularExpression>
#include <QTranslator>
#include <QXmlStreamReader>

using namespace almanis;

namespace {

const QString kProgramFolder = QStringLiteral(ALMANIS_BUILT_PROGRAM_DIR);

// Removes every translator the test installed.
void removeTranslations() {
    qDeleteAll(qApp->findChildren<QTranslator*>(Qt::FindDirectChildrenOnly));
}

struct Message {
    QString context;
    QString source;
    QString translation;
    QString type;
};

// The messages of a Linguist file, with the line breaks it keeps as <byte>.
QList<Message> readMessages(const QString& path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        qFatal("cannot read %s", qPrintable(path));
    }
    QXmlStreamReader xml(&file);
    QList<Message> messages;
    QString context;
    QString* text = nullptr;
    while (!xml.atEnd()) {
        xml.readNext();
        if (xml.isStartElement()) {
            const auto name = xml.name();
            if (name == QLatin1String("message")) {
                messages.append({context, {}, {}, {}});
            } else if (name == QLatin1String("source")) {
                text = &messages.last().source;
            } else if (name == QLatin1String("translation")) {
                messages.last().type = xml.attributes().value(QLatin1String("type")).toString();
                text = &messages.last().translation;
            } else if (name == QLatin1String("byte") && text) {
                *text +=
                    QChar(xml.attributes().value(QLatin1String("value")).mid(1).toInt(nullptr, 16));
            } else if (name == QLatin1String("name")) {
                context = xml.readElementText();
            }
        } else if (xml.isEndElement() && (xml.name() == QLatin1String("source") ||
                                          xml.name() == QLatin1String("translation"))) {
            text = nullptr;
        } else if (xml.isCharacters() && text) {
            *text += xml.text();
        }
    }
    if (xml.hasError()) {
        qFatal("%s: %s", qPrintable(path), qPrintable(xml.errorString()));
    }
    return messages;
}

QStringList placeholders(const QString& text) {
    QStringList found;
    for (const auto& match : QRegularExpression(QStringLiteral("%\\d")).globalMatch(text)) {
        found << match.captured();
    }
    found.sort();
    return found;
}

}  // namespace

class TranslationsTest : public test::TestCase {
    Q_OBJECT
  private slots:
    void cleanup() { removeTranslations(); }

    void everyTextHasAFinishedGermanTranslation() {
        const QList<Message> messages =
            readMessages(QStringLiteral(ALMANIS_SOURCE_DIR "/translations/almanis_de.ts"));
        QVERIFY(messages.size() > 50);
        for (const Message& m : messages) {
            const QString where = m.context + QStringLiteral(": ") + m.source;
            QVERIFY2(m.type.isEmpty(), qPrintable(where + QStringLiteral(" is ") + m.type));
            QVERIFY2(!m.translation.trimmed().isEmpty(), qPrintable(where));
            QVERIFY2(m.translation != m.source, qPrintable(where));
            QCOMPARE(placeholders(m.translation), placeholders(m.source));
            QCOMPARE(m.translation.count(QStringLiteral("\r\n")),
                     m.source.count(QStringLiteral("\r\n")));
            // A caption with a mnemonic keeps one, so the keyboard still reaches it.
            QCOMPARE(QKeySequence::mnemonic(m.translation).isEmpty(),
                     QKeySequence::mnemonic(m.source).isEmpty());
        }
    }

    void germanIsLoadedForGermanLocalesOnly_data() {
        QTest::addColumn<QString>("locale");
        QTest::addColumn<bool>("loaded");
        QTest::newRow("Germany") << "de_DE" << true;
        QTest::newRow("Austria") << "de_AT" << true;
        QTest::newRow("Switzerland") << "de_CH" << true;
        QTest::newRow("United States") << "en_US" << false;
        QTest::newRow("Britain") << "en_GB" << false;
        QTest::newRow("France, no translation yet") << "fr_FR" << false;
    }
    void germanIsLoadedForGermanLocalesOnly() {
        QFETCH(QString, locale);
        QFETCH(bool, loaded);
        QCOMPARE(Translations::install(*qApp, kProgramFolder, QLocale(locale)), loaded);
        const QString help = QCoreApplication::translate("almanis::MainWindow", "&Help");
        QCOMPARE(help, loaded ? QStringLiteral("&Hilfe") : QStringLiteral("&Help"));
    }

    void theWindowsSpeakGermanAndTheStoredTextsStayEnglish() {
        QVERIFY(Translations::install(*qApp, kProgramFolder, QLocale(QStringLiteral("de_DE"))));
        test::ProgramFixture f;
        MainWindow& form = f.start();
        QCOMPARE(test::caption(test::button(form, "PushButton6")),
                 QStringLiteral("Neue Erinnerung"));
        QCOMPARE(test::caption(test::checkBox(form, "Check3")),
                 QStringLiteral("Beim Anmelden starten"));
        QCOMPARE(form.events()
                     .headerData(EventListModel::DaysLeftColumn, Qt::Horizontal, Qt::DisplayRole)
                     .toString(),
                 QStringLiteral("Noch Tage"));
        // What is stored keeps its words: the settings key and value of the
        // log-on box, whatever the caption says.
        test::checkBox(form, "Check3")->setChecked(true);
        QCOMPARE(f.env.settings.values.value(QStringLiteral("Windows Startup")),
                 QStringLiteral("On"));
        // The file format's example keeps its English month names.
        test::button(form, "PushButton10")->click();
        QVERIFY(f.env.ui.boxes.last().text.endsWith(
            QStringLiteral("New Year,January 1\r\nHalf Year,July 31")));
        QVERIFY(f.env.ui.boxes.last().text.startsWith(QStringLiteral("Hiermit")));
    }

    void theEnglishTextsComeBackWhenTheTranslationGoes() {
        QVERIFY(Translations::install(*qApp, kProgramFolder, QLocale(QStringLiteral("de_DE"))));
        removeTranslations();
        test::ProgramFixture f;
        MainWindow& form = f.start();
        QCOMPARE(test::button(form, "PushButton6")->text(), QStringLiteral("&Add Reminder"));
    }
};

ALMANIS_TEST_MAIN(TranslationsTest)
#include "tst_translations.moc"
