#include "store/Sql.h"

namespace almanis::sql {

const char* selectEvents() {
    // Events on the same day come in the order they were stored, as SQLite's
    // sort has always given them; saying so lets a reader sort them the same.
    return "select * from tblEvent order by EventMonth,EventDay,id";
}

const char* selectEventsAsStored() {
    return "select * from tblEvent order by id";
}

const char* lastEventId() {
    return "select max(id) from tblEvent";
}

const char* dataVersion() {
    return "PRAGMA data_version";
}

const char* deleteEvent() {
    return "delete from tblEvent where id=?1";
}

const char* insertSampleEvent() {
    return "insert into tblEvent (Description,EventMonth,EventDay) values ('New Year', 1, 1)";
}

const char* insertEvent() {
    return "insert into tblEvent (Description,EventMonth,EventDay) values (?1,?2,?3)";
}

const char* updateEvent() {
    return "update tblEvent set Description=?1,EventMonth=?2,EventDay=?3 where id=?4";
}

const char* updateUnchangedEvent() {
    // Read as the list reads them: ' 7 ' and 7.0 are the month 7 as well.
    return "update tblEvent set Description=?1,EventMonth=?2,EventDay=?3 where id=?4"
           " and Description=?5"
           " and (?6 is null or cast(EventMonth as integer)=?6)"
           " and (?7 is null or cast(EventDay as integer)=?7)";
}

const char* quickCheck() {
    return "PRAGMA quick_check";
}

const char* beginImmediate() {
    return "begin immediate";
}

const char* commit() {
    return "commit";
}

const char* rollback() {
    return "rollback";
}

}  // namespace almanis::sql
