#pragma once

#include "Checks.h"
#include "ProgramFixture.h"
#include "StoreFixture.h"

namespace almanis::test {

// The program started on an empty store, or on the holidays of the events
// seed, with the boxes of the start already cleared away.
struct StartedProgram : ProgramFixture {
    explicit StartedProgram(QDate today = QDate(2026, 6, 15), bool blankStore = true)
        : ProgramFixture(today) {
        if (blankStore) {
            useBlankStore();
        }
        start();
        env.ui.clear();
    }

    // Every event in the working store, in the order they were stored.
    QList<StoredEvent> stored() const { return storedEvents(window->storeConnection()); }

    // Refills the list from the store, as after a change elsewhere, and
    // selects one of its rows.
    void refillAndSelect(int row) const {
        window->reminderEngine().refreshList();
        select(row);
    }

    QStringList informs() const { return boxTexts(env.ui, QStringLiteral("inform")); }
};

}  // namespace almanis::test
