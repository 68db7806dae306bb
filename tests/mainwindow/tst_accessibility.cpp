#include "StartedProgram.h"

#include "alarm/AlarmWindow.h"
#include "core/Translations.h"
#include "editing/AccountsDialog.h"
#include "editing/AddAccountDialog.h"
#include "editing/EventEditor.h"
#include "sync/SyncStatus.h"
#include "widgets/Design.h"

#include <QAbstractButton>
#include <QAccessible>
#include <QApplication>
#include <QComboBox>
#include <QGroupBox>
#include <QKeySequence>
#include <QLabel>
#include <QLayout>
#include <QLineEdit>
#include <QPushButton>
#include <QScopeGuard>
#include <QTranslator>
#include <QTreeView>
#include <cmath>
#include <functional>

using namespace almanis;

namespace {

// The windows of the program over one loaded main window; the message
// boxes are Qt's own and follow the scheme untouched.
struct Windows : test::StartedProgram {
    Windows() {
        editorStore.open(env.storePath());
        editor = std::make_unique<EventEditor>(env.services, editorStore, std::nullopt);
        editor->load();
        alarm = std::make_unique<AlarmWindow>(env.services, Alarm{});
        alarm->load();
        accounts = std::make_unique<AccountsDialog>(env.services, syncStatus);
        addAccount = std::make_unique<AddAccountDialog>(env.services, false);
    }
    QWidget& byName(const QString& name) const {
        if (name == QLatin1String("main window")) {
            return *window;
        }
        if (name == QLatin1String("editor")) {
            return *editor;
        }
        if (name == QLatin1String("accounts")) {
            return *accounts;
        }
        if (name == QLatin1String("add account")) {
            return *addAccount;
        }
        return *alarm;
    }

    Connection editorStore;
    std::unique_ptr<EventEditor> editor;
    std::unique_ptr<AlarmWindow> alarm;
    RecordedSyncStatus syncStatus;
    std::unique_ptr<AccountsDialog> accounts;
    std::unique_ptr<AddAccountDialog> addAccount;
};

constexpr const char* kWindows[] = {"main window", "editor", "alarm", "accounts", "add account"};

// The contrast ratio of two colours as the web's accessibility rules count it:
// 1 for the same colour, 21 for black on white.
double contrast(const QColor& a, const QColor& b) {
    const auto luminance = [](const QColor& c) {
        const auto channel = [](double v) {
            return v <= 0.03928 ? v / 12.92 : std::pow((v + 0.055) / 1.055, 2.4);
        };
        return 0.2126 * channel(c.redF()) + 0.7152 * channel(c.greenF()) +
               0.0722 * channel(c.blueF());
    };
    const double la = luminance(a);
    const double lb = luminance(b);
    return (std::max(la, lb) + 0.05) / (std::min(la, lb) + 0.05);
}

QPalette darkScheme() {
    QPalette p;
    p.setColor(QPalette::Window, QColor(0x31, 0x31, 0x31));
    p.setColor(QPalette::WindowText, QColor(0xe6, 0xe6, 0xe6));
    p.setColor(QPalette::Base, QColor(0x24, 0x24, 0x24));
    p.setColor(QPalette::Text, QColor(0xe6, 0xe6, 0xe6));
    p.setColor(QPalette::Button, QColor(0x3c, 0x3c, 0x3c));
    p.setColor(QPalette::ButtonText, QColor(0xe6, 0xe6, 0xe6));
    return p;
}

// What a screen reader meets: the accessible tree of `object`, one line per
// node with its role and name, children indented.
QStringList accessibleTree(QAccessibleInterface* node, int depth = 0) {
    QStringList lines;
    if (!node || depth > 6) {
        return lines;
    }
    lines << QString(depth * 2, QLatin1Char(' ')) + QString::number(node->role()) +
                 QLatin1Char(' ') + node->text(QAccessible::Name);
    for (int i = 0; i < node->childCount(); ++i) {
        lines << accessibleTree(node->child(i), depth + 1);
    }
    return lines;
}

}  // namespace

class AccessibilityTest : public test::TestCase {
    Q_OBJECT
  private slots:
    void mnemonicsAreUniqueAndEveryControlHasOne_data() {
        QTest::addColumn<QString>("window");
        QTest::addColumn<QString>("language");
        for (const char* name : kWindows) {
            for (const char* language : {"en_US", "de_DE"}) {
                QTest::addRow("%s, %s", name, language)
                    << QString::fromLatin1(name) << QString::fromLatin1(language);
            }
        }
    }
    void mnemonicsAreUniqueAndEveryControlHasOne() {
        QFETCH(QString, window);
        QFETCH(QString, language);
        Translations::install(*qApp, QStringLiteral(ALMANIS_BUILT_PROGRAM_DIR), QLocale(language));
        const auto removeTranslations = qScopeGuard(
            [] { qDeleteAll(qApp->findChildren<QTranslator*>(Qt::FindDirectChildrenOnly)); });
        Windows w;
        QMap<QString, QString> taken;
        QStringList clashes;
        const auto take = [&](const QString& text, const QString& owner) {
            const QString key = QKeySequence::mnemonic(text).toString();
            if (key.isEmpty()) {
                return false;
            }
            if (taken.contains(key)) {
                clashes << owner + " and " + taken.value(key) + " share " + key;
            }
            taken.insert(key, owner);
            return true;
        };
        QWidget& shown = w.byName(window);
        for (QAbstractButton* control : shown.findChildren<QAbstractButton*>()) {
            const bool has = take(control->text(), control->objectName());
            // The two "?" buttons cannot both underline their one character;
            // a button of an icon alone (the search field's clear button,
            // whose work Escape does) has no text to underline.
            if (control->text() != QLatin1String("?") && !control->text().isEmpty()) {
                QVERIFY2(has, qPrintable(control->objectName() + " has no mnemonic"));
            }
        }
        for (QLabel* label : shown.findChildren<QLabel*>()) {
            if (take(label->text(), label->objectName())) {
                QVERIFY2(label->buddy(), qPrintable(label->objectName() + " moves the focus"));
            }
        }
        for (QGroupBox* frame : shown.findChildren<QGroupBox*>()) {
            take(frame->title(), frame->objectName());
        }
        QVERIFY2(clashes.isEmpty(), qPrintable(clashes.join(QLatin1String("; "))));
    }

    void mnemonicsMoveTheFocusToTheirField_data() {
        QTest::addColumn<QString>("key");
        QTest::addColumn<QString>("field");
        const auto row = [](const char* name, const QString& key, const QString& field) {
            QTest::newRow(name) << key << field;
        };
        row("Description", "Alt+E", "Text1");
        row("Month", "Alt+M", "Combo1");
        row("Day", "Alt+D", "Combo2");
        row("Year", "Alt+Y", "Text2");
        row("Note", "Alt+N", "Text3");
    }
    void mnemonicsMoveTheFocusToTheirField() {
        QFETCH(QString, key);
        QFETCH(QString, field);
        Windows w;
        w.editor->show();
        QVERIFY(QTest::qWaitForWindowActive(w.editor.get()));
        test::button(*w.editor, "PushButton1")->setFocus();
        QTest::keySequence(w.editor.get(), QKeySequence(key));
        QCOMPARE(QApplication::focusWidget(), test::find(*w.editor, field.toLatin1().constData()));
    }

    void tabOrderFollowsTheVisualOrder_data() {
        QTest::addColumn<QString>("window");
        for (const char* name : kWindows) {
            QTest::newRow(name) << QString::fromLatin1(name);
        }
    }
    void tabOrderFollowsTheVisualOrder() {
        QFETCH(QString, window);
        Windows w;
        QWidget& shown = w.byName(window);
        if (shown.layout()) {
            shown.layout()->activate();
        }
        // Where each control stands on the window, row by row: a control below
        // comes later, one on the same row further right comes later.
        QList<QWidget*> chain;
        for (QWidget* next = shown.nextInFocusChain(); next != &shown;
             next = next->nextInFocusChain()) {
            if ((next->focusPolicy() & Qt::TabFocus) && next->isVisibleTo(&shown) &&
                next->isEnabled() && next->window() == &shown) {
                chain << next;
            }
        }
        QVERIFY(chain.size() >= 3);
        for (int i = 1; i < chain.size(); ++i) {
            const QRect before(chain[i - 1]->mapTo(&shown, QPoint()), chain[i - 1]->size());
            const QRect after(chain[i]->mapTo(&shown, QPoint()), chain[i]->size());
            const bool sameRow = after.top() < before.bottom() && before.top() < after.bottom();
            const bool later = sameRow ? after.left() > before.left() : after.top() > before.top();
            QVERIFY2(later,
                     qPrintable(chain[i - 1]->objectName() + " before " + chain[i]->objectName()));
        }
    }

    void screenReadersHearNames_data() {
        QTest::addColumn<QString>("window");
        QTest::addColumn<QString>("control");
        QTest::addColumn<QString>("name");
        const auto row = [](const char* name, const QString& window, const QString& control,
                            const QString& accessibleName) {
            QTest::newRow(name) << window << control << accessibleName;
        };
        row("the list", "main window", "ListView1", "Events");
        row("the search field", "main window", "Text1", "Search");
        row("the file format note", "main window", "PushButton10", "About the text file format");
        row("the test alarm note", "main window", "PushButton7", "About the test alarm");
        row("a caption without its mnemonic", "main window", "PushButton9",
            "Export Events To File");
        row("the months, not the selected one", "editor", "Combo1", "Month");
        row("the days, not the selected one", "editor", "Combo2", "Day");
        row("the alarm's list", "alarm", "ListView1", "Due events");
        row("the accounts", "accounts", "accountList", "Calendar and address books");
        row("what was found", "add account", "foundCollections", "Tick what to add");
    }
    void screenReadersHearNames() {
        QFETCH(QString, window);
        QFETCH(QString, control);
        QFETCH(QString, name);
        Windows w;
        QWidget* widget = test::find(w.byName(window), control.toLatin1().constData());
        QAccessibleInterface* node = QAccessible::queryAccessibleInterface(widget);
        QVERIFY(node);
        QCOMPARE(node->text(QAccessible::Name), name);
    }

    void theMonthBoxStillTellsItsValueAndOpens() {
        Windows w;
        auto* months = test::find<QComboBox>(*w.editor, "Combo1");
        months->setCurrentIndex(4);
        QAccessibleInterface* node = QAccessible::queryAccessibleInterface(months);
        QCOMPARE(node->role(), QAccessible::ComboBox);
        QCOMPARE(node->text(QAccessible::Value), QStringLiteral("May"));
        QCOMPARE(node->childCount(), 1);
        QCOMPARE(node->child(0)->object(), months->view());
        QVERIFY(node->actionInterface()->actionNames().contains(
            QAccessibleActionInterface::showMenuAction()));
        // The label is still its label.
        bool labelled = false;
        for (const auto& relation : node->relations(QAccessible::Label)) {
            labelled |= relation.first->object() == test::find(*w.editor, "Label1_1");
        }
        QVERIFY(labelled);
    }

    void theListsInnerColumnsAreNeverRead() {
        Windows w;
        EventRecord anniversary{0, QStringLiteral("Anniversary"), 5, 17};
        anniversary.year = 1990;
        w.addEvent(anniversary);
        w.window->reminderEngine().refreshList();
        // The view lays its rows out when it is shown.
        w.window->show();
        QVERIFY(QTest::qWaitForWindowExposed(w.window.get()));
        auto* list = test::find<QTreeView>(*w.window, "ListView1");
        QAccessibleInterface* node = QAccessible::queryAccessibleInterface(list);
        QVERIFY(node->tableInterface());
        QCOMPARE(node->tableInterface()->columnCount(), 5);
        const QStringList tree = accessibleTree(node);
        for (const QString& inner : {QStringLiteral(" id"), QStringLiteral(" MonthNo")}) {
            for (const QString& line : tree) {
                QVERIFY2(!line.endsWith(inner), qPrintable(tree.join(QLatin1Char('\n'))));
            }
        }
        // The years the next occurrence completes are read, under their header.
        for (const QString& shown :
             {QStringLiteral(" Anniversary"), QStringLiteral(" Years"), QStringLiteral(" 37")}) {
            const bool read = std::any_of(tree.cbegin(), tree.cend(), [&](const QString& line) {
                return line.endsWith(shown);
            });
            QVERIFY2(read, qPrintable(tree.join(QLatin1Char('\n'))));
        }
    }

    // Every text reads on what it stands on: a frame or box with a background
    // of its own, else the window's face. And that background is the
    // scheme's, also when the scheme changes while the window is open: the
    // scheme's own text reads on it, so no panel stays light in a dark scheme.
    void everyTextReadsOnTheSchemesBackground_data() {
        QTest::addColumn<QString>("window");
        QTest::addColumn<QPalette::ColorRole>("face");
        QTest::addColumn<bool>("dark");
        QTest::addColumn<bool>("afterOpening");
        // The alarm window writes no text on its face.
        const std::pair<const char*, QPalette::ColorRole> windows[] = {
            {"main window", QPalette::Window}, {"editor", QPalette::Button}};
        for (const auto& [name, face] : windows) {
            const QString window = QString::fromLatin1(name);
            QTest::addRow("%s, light scheme", name) << window << face << false << false;
            QTest::addRow("%s, dark scheme", name) << window << face << true << false;
            QTest::addRow("%s, dark scheme once open", name) << window << face << true << true;
        }
    }
    void everyTextReadsOnTheSchemesBackground() {
        QFETCH(QString, window);
        QFETCH(QPalette::ColorRole, face);
        QFETCH(bool, dark);
        QFETCH(bool, afterOpening);
        const QPalette before = QApplication::palette();
        const auto restore = qScopeGuard([&before] { QApplication::setPalette(before); });
        if (dark && !afterOpening) {
            QApplication::setPalette(darkScheme());
        }
        Windows w;
        QWidget& shown = w.byName(window);
        if (dark && afterOpening) {
            // The scheme's change reaches the widgets through the event loop.
            QApplication::setPalette(darkScheme());
            QCoreApplication::processEvents();
        }
        const QColor schemeText = QApplication::palette().color(QPalette::WindowText);
        int written = 0;
        for (QWidget* widget : shown.findChildren<QWidget*>()) {
            if (!qobject_cast<QLabel*>(widget) && !qobject_cast<QGroupBox*>(widget) &&
                !(qobject_cast<QAbstractButton*>(widget) && !qobject_cast<QPushButton*>(widget))) {
                continue;
            }
            ++written;
            const QWidget* under = widget;
            while (under != &shown && !under->autoFillBackground()) {
                under = under->parentWidget();
            }
            const QColor background = under->autoFillBackground()
                                          ? under->palette().color(under->backgroundRole())
                                          : shown.palette().color(face);
            const QPalette p = widget->palette();
            const std::pair<QColor, const char*> texts[] = {
                {p.color(widget->foregroundRole()), "its text"},
                {p.color(QPalette::WindowText), "its text"},
                {schemeText, "the scheme's text"}};
            for (const auto& [text, what] : texts) {
                const double ratio = contrast(background, text);
                QVERIFY2(ratio >= 4.5,
                         qPrintable(QStringLiteral("%1: %2 %3 on %4, %5:1")
                                        .arg(widget->objectName(), QLatin1String(what), text.name(),
                                             background.name())
                                        .arg(ratio, 0, 'f', 1)));
            }
        }
        QVERIFY(written > 0);
    }
};

ALMANIS_TEST_MAIN(AccessibilityTest)
#include "tst_accessibility.moc"
