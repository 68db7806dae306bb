#pragma once

#include "TestEnvironment.h"
#include "Widgets.h"

#include "desktop/TrayIcon.h"
#include "mainwindow/MainWindow.h"
#include "reminders/EventListModel.h"
#include "store/Connection.h"
#include "store/StoreSchema.h"
#include "store/StoredEvents.h"

#include <memory>

namespace almanis::test {

// The whole program in a test environment: the main window over the working
// store, loaded and activated as at start-up.
class ProgramFixture {
  public:
    explicit ProgramFixture(QDate today = QDate(2026, 6, 15)) : env(today) {}

    // Starts from the blank seed instead of the holidays of the events seed.
    void useBlankStore() { env.createStore(); }

    // Stores an event the way another copy of the program would, through a
    // connection of its own (the working store is made from the blank seed
    // when there is none yet).
    void addEvent(const QString& description, int month, int day) {
        addEvent(EventRecord{0, description, month, day});
    }
    // The same with the event's details; returns its id.
    qint64 addEvent(const EventRecord& event) {
        Connection db;
        open(db);
        upgradeStore(db, UpgradeCopy::NewStore);
        return insertEvent(db, event);
    }
    void execute(const QString& statement) {
        Connection db;
        open(db);
        db.execute(statement);
    }

    // Creates the main window, with a balloon wait of a millisecond a second.
    MainWindow& create() {
        window = std::make_unique<MainWindow>(env.services);
        window->trayIcon().setBalloonSecond(std::chrono::milliseconds(1));
        return *window;
    }
    // Creates the main window and loads it; `start` then activates it too.
    MainWindow& load() {
        create();
        window->load();
        return *window;
    }
    MainWindow& start() {
        load();
        window->handleActivation();
        return *window;
    }

    // The list's texts of one row, column by column.
    QStringList rowTexts(int row) const {
        QStringList cells;
        for (int column = 0; column < EventListModel::ColumnCount; ++column) {
            cells << window->events().text(row, EventListModel::Column(column));
        }
        return cells;
    }

    // Selects a row of the list as a click would.
    void select(int row) const {
        QTreeView* view = find<QTreeView>(*window, "ListView1");
        view->selectionModel()->select(
            view->model()->index(row, 0),
            QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows);
    }

    void click(const char* objectName) const { button(*window, objectName)->click(); }

    // `count` seconds pass on the polling timer, which wakes the program when due.
    void ticks(int count) { env.pollTimer.pass(count); }

    TestEnvironment env;
    std::unique_ptr<MainWindow> window;

  private:
    // A connection of its own to the working store, made from the blank seed
    // when there is none yet.
    void open(Connection& db) {
        if (!QFile::exists(env.storePath())) {
            env.createStore();
        }
        db.open(env.storePath());
    }
};

}  // namespace almanis::test
