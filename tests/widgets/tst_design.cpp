#include "TestEnvironment.h"

#include "core/AppError.h"
#include "widgets/Design.h"

#include <QApplication>
#include <QCheckBox>
#include <QHeaderView>
#include <QStandardItemModel>
#include <QTreeView>

using namespace almanis;

class DesignTest : public QObject {
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
        std::unique_ptr<QTreeView> view(makeReportView(nullptr, model));
        setColumnWidths(*view, {1, 2700, 0});
        // A column of a twip or none is hidden, not drawn with no width.
        QVERIFY(view->isColumnHidden(0));
        QVERIFY(!view->isColumnHidden(1));
        QVERIFY(view->isColumnHidden(2));
        QCOMPARE(view->header()->sectionSize(1), 180);
        QCOMPARE(view->selectionBehavior(), QAbstractItemView::SelectRows);
        QCOMPARE(view->editTriggers(), QAbstractItemView::NoEditTriggers);
    }
};

ALMANIS_TEST_MAIN(DesignTest)
#include "tst_design.moc"
