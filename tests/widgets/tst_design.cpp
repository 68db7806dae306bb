#include "TestEnvironment.h"

#include "core/AppError.h"
#include "widgets/Design.h"

#include <QApplication>
#include <QCheckBox>
#include <QHeaderView>
#include <QStandardItemModel>
#include <QTreeView>

using namespace almanis;

class DesignTest : public test::TestCase {
    Q_OBJECT
  private slots:
    void checkValues_data() {
        QTest::addColumn<int>("value");
        QTest::addColumn<bool>("valid");
        QTest::newRow("clear") << 0 << true;
        QTest::newRow("ticked") << 1 << true;
        QTest::newRow("Qt's checked is not a stored state") << 2 << false;
        QTest::newRow("minus one") << -1 << false;
        QTest::newRow("seven") << 7 << false;
    }
    void checkValues() {
        QFETCH(int, value);
        QFETCH(bool, valid);
        QCheckBox box;
        box.setChecked(true);
        if (valid) {
            setCheckValue(box, value);
            QCOMPARE(checkValue(box), value);
        } else {
            QVERIFY_THROWS_EXCEPTION(AppError, setCheckValue(box, value));
            QCOMPARE(checkValue(box), 1);  // unchanged
        }
    }

    void reportViewColumnWidths() {
        QStandardItemModel model(2, 3);
        model.setHorizontalHeaderLabels({"id", "Description", "MonthNo"});
        std::unique_ptr<QTreeView> view(makeReportView(nullptr, model));
        setColumnWidths(*view, {1, 2700, 0});
        // A column of a twip or none is left out of the view, not drawn with no
        // width nor merely hidden.
        QCOMPARE(view->model()->columnCount(), 1);
        QCOMPARE(view->model()->headerData(0, Qt::Horizontal).toString(),
                 QStringLiteral("Description"));
        QCOMPARE(view->header()->sectionSize(0), 180);
        QCOMPARE(view->selectionBehavior(), QAbstractItemView::SelectRows);
        QCOMPARE(view->editTriggers(), QAbstractItemView::NoEditTriggers);
        // A row of the view is the model's row.
        QCOMPARE(modelRow(*view, view->model()->index(1, 0)), 1);
        setColumnWidths(*view, {1, 2700, 1500});
        QCOMPARE(view->model()->columnCount(), 2);
        QCOMPARE(view->header()->sectionSize(1), 100);
    }

    void withoutMnemonic_data() {
        QTest::addColumn<QString>("caption");
        QTest::addColumn<QString>("read");
        QTest::newRow("none") << "?"
                              << "?";
        QTest::newRow("first letter") << "&Help"
                                      << "Help";
        QTest::newRow("inside") << "E&xport Events To File"
                                << "Export Events To File";
        QTest::newRow("digit") << "Remind me 3&0 days"
                               << "Remind me 30 days";
        QTest::newRow("doubled is one ampersand") << "Salt && &Pepper"
                                                  << "Salt & Pepper";
    }
    void withoutMnemonic() {
        QFETCH(QString, caption);
        QFETCH(QString, read);
        QCOMPARE(almanis::withoutMnemonic(caption), read);
    }

    void forcedBackgroundsCarryAReadableText_data() {
        QTest::addColumn<QColor>("background");
        QTest::addColumn<QColor>("text");
        QTest::newRow("design white, black text") << QColor(Qt::white) << QColor(Qt::black);
        QTest::newRow("a dark button face") << QColor(0x30, 0x30, 0x30) << QColor(0xe0, 0xe0, 0xe0);
    }
    void forcedBackgroundsCarryAReadableText() {
        QFETCH(QColor, background);
        QFETCH(QColor, text);
        // Whatever the scheme gave the widget before.
        QCheckBox box(QStringLiteral("Remind me"));
        QPalette scheme = box.palette();
        for (auto role : {QPalette::WindowText, QPalette::ButtonText, QPalette::Text}) {
            scheme.setColor(role, background);
        }
        box.setPalette(scheme);
        setColours(box, background, text);
        const QPalette p = box.palette();
        QCOMPARE(p.color(box.backgroundRole()), background);
        QVERIFY(box.autoFillBackground());
        for (auto group : {QPalette::Active, QPalette::Inactive}) {
            QCOMPARE(p.color(group, box.foregroundRole()), text);
            QCOMPARE(p.color(group, QPalette::WindowText), text);
        }
        // Disabled text is still told apart from the background.
        QVERIFY(p.color(QPalette::Disabled, box.foregroundRole()) != background);
    }

    // The tray's mark for a waiting alarm, a red dot in the picture's top
    // right corner, lies whole within the picture also on a scaled screen,
    // where the pictures have more pixels than their size.
    void theAttentionDotLiesWithinThePicture_data() {
        QTest::addColumn<qreal>("ratio");
        QTest::newRow("unscaled") << 1.0;
        QTest::newRow("scaled by 1.5") << 1.5;
        QTest::newRow("scaled by 2") << 2.0;
    }
    void theAttentionDotLiesWithinThePicture() {
        QFETCH(qreal, ratio);
        QPixmap blue(64, 64);
        blue.fill(Qt::blue);
        const QIcon marked = attentionIcon(QIcon(blue), ratio);
        for (const int size : {16, 22, 32}) {
            const QImage picture = marked.pixmap(QSize(size, size), ratio).toImage();
            QCOMPARE(picture.width(), qRound(size * ratio));
            // Where the dot's middle should be, in the picture's own pixels.
            const int dot = qRound(picture.width() * 0.45);
            const QColor middle = picture.pixelColor(picture.width() - dot / 2, dot / 2);
            QVERIFY2(middle.red() > 150 && middle.blue() < 80,
                     qPrintable(QStringLiteral("%1 px: %2").arg(size).arg(middle.name())));
        }
    }
};

ALMANIS_TEST_MAIN(DesignTest)
#include "tst_design.moc"
