// Imports one event text file into one store, as the import command does, and
// prints how many events it stored; the kill test runs it as a separate
// process and kills it part-way.
//
//   import_child STORE FILE
#include "core/AppError.h"
#include "exchange/EventText.h"
#include "store/Connection.h"

#include <QString>
#include <cstdio>

int main(int argc, char** argv) {
    if (argc != 3) {
        std::fprintf(stderr, "usage: import_child STORE FILE\n");
        return 2;
    }
    try {
        almanis::Connection db;
        db.open(QString::fromLocal8Bit(argv[1]));
        std::printf("%d\n", almanis::importEvents(QString::fromLocal8Bit(argv[2]), db).imported);
    } catch (const almanis::AppError& e) {
        std::fprintf(stderr, "%s\n", qPrintable(e.description()));
        return 1;
    }
    return 0;
}
