#include "Checks.h"
#include "Files.h"
#include "ProgramFixture.h"
#include "StoreFixture.h"

#include "cli/CommandLineTool.h"
#include "core/Guard.h"
#include "core/Translations.h"
#include "reminders/Reminder.h"

#include <QApplication>
#include <QDirIterator>
#include <QRegularExpression>
#include <QTextStream>
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
    // The plural forms of a text with %n, each a translation of its own.
    QStringList forms;
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
                messages.append({context, {}, {}, {}, {}});
            } else if (name == QLatin1String("source")) {
                text = &messages.last().source;
            } else if (name == QLatin1String("translation")) {
                messages.last().type = xml.attributes().value(QLatin1String("type")).toString();
                text = &messages.last().translation;
            } else if (name == QLatin1String("numerusform")) {
                messages.last().forms.append(QString());
                text = &messages.last().forms.last();
            } else if (name == QLatin1String("byte") && text) {
                *text +=
                    QChar(xml.attributes().value(QLatin1String("value")).mid(1).toInt(nullptr, 16));
            } else if (name == QLatin1String("name")) {
                context = xml.readElementText();
            }
        } else if (xml.isEndElement() && (xml.name() == QLatin1String("source") ||
                                          xml.name() == QLatin1String("translation") ||
                                          xml.name() == QLatin1String("numerusform"))) {
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
    // Each of a numerus message's forms names the same placeholders.
    found.removeDuplicates();
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
            // German has two plural forms: one, and every other number.
            const QStringList translations =
                m.forms.isEmpty() ? QStringList{m.translation} : m.forms;
            QVERIFY2(m.forms.isEmpty() || m.forms.size() == 2, qPrintable(where));
            for (const QString& translation : translations) {
                QVERIFY2(!translation.trimmed().isEmpty(), qPrintable(where));
                QVERIFY2(translation != m.source, qPrintable(where));
                QCOMPARE(placeholders(translation), placeholders(m.source));
                QCOMPARE(translation.contains(QStringLiteral("%n")),
                         m.source.contains(QStringLiteral("%n")));
                QCOMPARE(translation.count(QStringLiteral("\r\n")),
                         m.source.count(QStringLiteral("\r\n")));
                // A caption with a mnemonic keeps one, so the keyboard still reaches it.
                QCOMPARE(QKeySequence::mnemonic(translation).isEmpty(),
                         QKeySequence::mnemonic(m.source).isEmpty());
            }
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

    // The alarm's lines say the years in German's plural forms.
    void theAlarmLinesCountYearsInGerman_data() {
        QTest::addColumn<int>("days");
        QTest::addColumn<int>("years");
        QTest::addColumn<QString>("line");
        QTest::newRow("one year") << 0 << 1 << "Ada ist heute (1 Jahr).";
        QTest::newRow("years") << 3 << 211 << "Ada ist in 3 Tagen (211 Jahre).";
        QTest::newRow("caught up") << -2 << 21 << "Ada war vor 2 Tagen (21 Jahre).";
        QTest::newRow("no year") << 1 << -1 << "Ada ist morgen.";
    }
    void theAlarmLinesCountYearsInGerman() {
        QFETCH(int, days);
        QFETCH(int, years);
        QFETCH(QString, line);
        QVERIFY(Translations::install(*qApp, kProgramFolder, QLocale(QStringLiteral("de_DE"))));
        const Reminder reminder{EventRecord{1, QStringLiteral("Ada"), 12, 10}, days,
                                years >= 0 ? std::optional<int>(years) : std::nullopt};
        QCOMPARE(reminder.line(), line);
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
        ALMANIS_VERIFY_CONTAINS(
            f.env.ui.boxes.last().text,
            QStringLiteral("\r\n\r\nNew Year,January 1\r\nHalf Year,July 31\r\n"));
        QVERIFY(f.env.ui.boxes.last().text.startsWith(QStringLiteral("Hiermit")));
    }

    // A failed import reads German in the window's error report, all but the
    // location line, which support reads in English.
    void theWindowsErrorReportSpeaksGerman() {
        QVERIFY(Translations::install(*qApp, kProgramFolder, QLocale(QStringLiteral("de_DE"))));
        test::ProgramFixture f;
        f.useBlankStore();
        f.start();
        f.env.ui.clear();
        const QString file = f.env.dataFolder() + QStringLiteral("/bad.txt");
        test::writeFile(file, "Good,May 1\r\nBad,Mai 2\r\nWorse\r\n");
        f.env.ui.openAnswers.push_back({file});
        f.click("PushButton8");
        QCOMPARE(f.env.ui.errors(),
                 QStringList{errorReportText(
                     QStringLiteral("Zeile 2 kann nicht importiert werden: \"Mai\" ist kein "
                                    "englischer Monatsname. Die Zeile lautet \"Bad,Mai 2\". 1 "
                                    "weitere Zeile kann ebenfalls nicht importiert werden. Es "
                                    "wurde nichts importiert."),
                     where::importEvents, 106)});
        ALMANIS_VERIFY_CONTAINS(f.env.ui.errors().value(0),
                                QStringLiteral("\r\nin Almanis2021/08/31.Form1.PushButton8_Click "
                                               "at line 106"));
        // A build that names a support address asks in German too.
        ALMANIS_VERIFY_CONTAINS(errorReportText(QStringLiteral("x"), where::importEvents, 106,
                                                QStringLiteral("help@almanis.test")),
                                QStringLiteral("at line 106\r\rBitte senden Sie"));
    }

    // almanis-cli in German: its failures, the reasons within them and its
    // help; what SQLite says stays in SQLite's words.
    void theCommandLineSpeaksGerman_data() {
        QTest::addColumn<QStringList>("arguments");  // FOLDER stands for a folder of the test's
        QTest::addColumn<QString>("printed");
        QTest::newRow("a text file with a bad line")
            << QStringList{"import", "FOLDER/bad.txt"}
            << "almanis-cli: Zeile 2 kann nicht importiert werden: nach dem Komma steht kein "
               "Datum. Die Zeile lautet \"Bad,\". Es wurde nichts importiert.\n";
        QTest::newRow("no such file") << QStringList{"import", "FOLDER/gone.txt"}
                                      << "almanis-cli: Datei nicht gefunden: FOLDER/gone.txt\n";
        QTest::newRow("no calendar")
            << QStringList{"import", "FOLDER/bad.txt", "--format", "ics"}
            << "almanis-cli: Die Datei FOLDER/bad.txt ist keine iCalendar-Datei: BEGIN:VCALENDAR "
               "fehlt\n";
        QTest::newRow("an export onto a folder")
            << QStringList{"export", "FOLDER"}
            << "almanis-cli: Nach FOLDER wurde nichts geschrieben: Es ist ein Ordner, und ein "
               "Export schreibt nur in eine gewöhnliche Datei";
        QTest::newRow("an export into a folder that is missing")
            << QStringList{"export", "FOLDER/missing/events.txt"}
            << "almanis-cli: Die Datei FOLDER/missing/events.txt kann nicht angelegt werden: ";
        QTest::newRow("a store that is no database")
            << QStringList{"list", "--store", "FOLDER/bad.txt"}
            << "almanis-cli: file is not a database (FOLDER/bad.txt)\n";
        QTest::newRow("help") << QStringList{"import", "--help"}
                              << "Aufruf: almanis-cli import [--format FORMAT] DATEI\n";
        QTest::newRow("the help's value names")
            << QStringList{"remove", "--help"} << "  --store <DATEI>  Mit dem Speicher in DATEI";
    }
    void theCommandLineSpeaksGerman() {
        QFETCH(QStringList, arguments);
        QFETCH(QString, printed);
        QVERIFY(Translations::install(*qApp, kProgramFolder, QLocale(QStringLiteral("de_DE"))));
        test::StoreFixture f;
        f.add(QStringLiteral("New Year"), 1, 1);
        const QString folder = f.env.dataFolder();
        test::writeFile(folder + QStringLiteral("/bad.txt"), "Good,May 1\r\nBad,\r\n");
        arguments.replaceInStrings(QStringLiteral("FOLDER"), folder);
        QString out;
        QString err;
        {
            QTextStream outStream(&out);
            QTextStream errStream(&err);
            CommandLineTool tool(f.env.clock, f.env.programFolder(), outStream, errStream,
                                 f.env.accountServices());
            tool.run(QStringList{QStringLiteral("almanis-cli"), QStringLiteral("--store"),
                                 f.env.storePath()} +
                     arguments);
        }
        ALMANIS_VERIFY_CONTAINS(out + err, printed.replace(QStringLiteral("FOLDER"), folder));
    }

    // Every error text built in the sources goes through translation: only a
    // text without words (a pattern such as "%1 (%2)") is built as it is.
    void noErrorTextEscapesTranslation() {
        const QRegularExpression untranslated(
            QStringLiteral("AppError\\(\\s*(?:QStringLiteral|QLatin1String|QString(?:::fromUtf8|::"
                           "fromLatin1)?)\\(\\s*\"([^\"]*)\""));
        QStringList found;
        QDirIterator files(QStringLiteral(ALMANIS_SOURCE_DIR "/src"), {QStringLiteral("*.cpp")},
                           QDir::Files, QDirIterator::Subdirectories);
        while (files.hasNext()) {
            const QString path = files.next();
            const QString text = QString::fromUtf8(test::readFile(path));
            for (const QRegularExpressionMatch& match : untranslated.globalMatch(text)) {
                if (match.captured(1).contains(QRegularExpression(QStringLiteral("[A-Za-z]")))) {
                    found << QStringLiteral("%1:%2: %3")
                                 .arg(path)
                                 .arg(text.left(match.capturedStart()).count(QLatin1Char('\n')) + 1)
                                 .arg(match.captured());
                }
            }
        }
        QVERIFY2(found.isEmpty(), qPrintable(found.join(QLatin1Char('\n'))));
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
