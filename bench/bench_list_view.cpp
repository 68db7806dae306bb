// The main window's list shown through VisibleColumnsModel, which leaves the
// inner columns out for screen readers, against a view on the bare model with
// those columns merely hidden: a refill of many rows, painted. The goal is one
// frame (16 ms) for up to 10,000 events.
#include "BenchUtil.h"

#include "reminders/EventListModel.h"
#include "widgets/Design.h"

#include <QApplication>
#include <QTreeView>
#include <memory>

using namespace almanis;

namespace {

QList<EventListModel::Row> rows(int count) {
    QList<EventListModel::Row> list;
    list.reserve(count);
    for (int i = 0; i < count; ++i) {
        list.append({EventRecord{i + 1, QStringLiteral("Event number %1's day").arg(i), i % 12 + 1,
                                 i % 28 + 1}});
    }
    return list;
}

double refillMs(EventListModel& list, const QList<EventListModel::Row>& fill) {
    return bench::medianMs(9, [&] {
        list.setRows(fill);
        QApplication::processEvents();
    });
}

}  // namespace

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    const QList<int> widths{1, 2700, 1800, 1300, 1500, 0};
    for (int count : {1000, 10000, 100000}) {
        const QList<EventListModel::Row> fill = rows(count);

        EventListModel throughColumns;
        throughColumns.setToday(QDate(2026, 6, 15));
        std::unique_ptr<QTreeView> shown(makeReportView(nullptr, throughColumns));
        setColumnWidths(*shown, widths);
        shown->resize(520, 160);
        shown->show();

        EventListModel bare;
        bare.setToday(QDate(2026, 6, 15));
        QTreeView plain;
        plain.setModel(&bare);
        plain.setUniformRowHeights(true);
        plain.setColumnHidden(EventListModel::IdColumn, true);
        plain.setColumnHidden(EventListModel::MonthNumberColumn, true);
        plain.resize(520, 160);
        plain.show();
        QApplication::processEvents();

        const QByteArray what =
            QByteArray("refill of ") + QByteArray::number(count) + " rows, shown";
        const double ours = refillMs(throughColumns, fill);
        const double reference = refillMs(bare, fill);
        // The proxy maps every row on a refill; what counts is that a refill
        // of a long list still fits in one frame.
        const bool kept = count > 10000 || ours < 16.0;
        std::printf(
            "%-36s %8.3f ms  bare model %8.3f ms (%4.2fx)  goal < 16 ms up to 10000 "
            "rows: %s\n",
            what.constData(), ours, reference, ours / reference,
            count > 10000 ? "(for scale)"
            : kept        ? "ok"
                          : "MISSED");
    }
    return 0;
}
