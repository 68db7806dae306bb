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

namespace almanis::sql {

const char* savepoint() {
    return "savepoint almanis";
}

const char* releaseSavepoint() {
    return "release almanis";
}

const char* rollbackToSavepoint() {
    return "rollback to almanis";
}

const char* storeVersion() {
    return "PRAGMA user_version";
}

const char* hasEventTable() {
    return "select 1 from sqlite_master where type='table' and name='tblEvent'";
}

namespace {
// A random UUID (version 4) made by SQLite itself, so that the trigger gives
// one to an event whatever program stores it.
#define ALMANIS_NEW_UUID                                                                    \
    "lower(hex(randomblob(4))||'-'||hex(randomblob(2))||'-4'||substr(hex(randomblob(2)),2)" \
    "||'-'||substr('89ab',1+(abs(random())%4),1)||substr(hex(randomblob(2)),2)||'-'"        \
    "||hex(randomblob(6)))"
}  // namespace

const char* insertMissingEventDetails() {
    return "insert or ignore into tblEventDetail (EventId,Uid) values (?1," ALMANIS_NEW_UUID ")";
}

QList<const char*> storeVersion1() {
    return {
        "create table tblEventDetail ("
        " EventId integer primary key,"
        " Uid text not null unique,"
        " EventYear integer,"
        " RemindDays text,"
        " Note text not null default '')",
        "insert into tblEventDetail (EventId,Uid) select id," ALMANIS_NEW_UUID " from tblEvent",
        "create trigger tblEventDetailOnInsert after insert on tblEvent begin"
        " insert or ignore into tblEventDetail (EventId,Uid) values (new.id," ALMANIS_NEW_UUID
        ");"
        " end",
        "create trigger tblEventDetailOnDelete after delete on tblEvent begin"
        " delete from tblEventDetail where EventId=old.id;"
        " end",
        "PRAGMA user_version=1",
    };
}

#undef ALMANIS_NEW_UUID

// The condition of the events the list reads details for; the index and the
// query must say it alike for SQLite to use the index.
#define ALMANIS_LISTED_DETAILS "EventYear is not null or RemindDays is not null"

QList<const char*> storeVersion2() {
    return {
        "create index tblEventDetailListed on tblEventDetail (EventId)"
        " where " ALMANIS_LISTED_DETAILS,
        "PRAGMA user_version=2",
    };
}

QList<const char*> storeVersion3() {
    return {
        // Each resource of the synced calendar as last seen: an event of the
        // store, or an entry that is not one (EventId null), left alone.
        // SyncedHash is syncHash() of the event as it was last synced, so a
        // change made here by any program shows.
        "create table tblSyncResource ("
        " Href text primary key,"
        " ETag text not null default '',"
        " EventId integer unique,"
        " SyncedHash text not null default '')",
        // The synced events deleted here, to be deleted on the server.
        "create table tblSyncTombstone (Href text primary key, ETag text not null default '')",
        "create table tblSyncCollection (Url text primary key, SyncToken text not null default '')",
        // The events a contact of an address book gives: read from there,
        // never uploaded.
        "create table tblEventContact ("
        " EventId integer primary key,"
        " Book text not null,"
        " Href text not null,"
        " ETag text not null default '',"
        " Kind text not null,"
        " unique (Book,Href,Kind))",
        "create trigger tblSyncOnDelete after delete on tblEvent begin"
        " insert or replace into tblSyncTombstone (Href,ETag)"
        " select Href,ETag from tblSyncResource where EventId=old.id;"
        " delete from tblSyncResource where EventId=old.id;"
        " delete from tblEventContact where EventId=old.id;"
        " end",
        "PRAGMA user_version=3",
    };
}

const char* updateEventDetails() {
    return "update tblEventDetail set EventYear=?2,RemindDays=?3,Note=?4,Uid=coalesce(?5,Uid)"
           " where EventId=?1";
}

const char* selectEventsWithDetails() {
    return "select e.*,d.EventYear,d.RemindDays,d.Note,d.Uid from tblEvent e"
           " left join tblEventDetail d on d.EventId=e.id"
           " order by e.EventMonth,e.EventDay,e.id";
}

const char* selectEventById() {
    return "select * from tblEvent where id=?1";
}

const char* selectEventWithDetails() {
    return "select e.*,d.EventYear,d.RemindDays,d.Note,d.Uid from tblEvent e"
           " left join tblEventDetail d on d.EventId=e.id where e.id=?1";
}

const char* selectListedDetails() {
    return "select EventId,EventYear,RemindDays from tblEventDetail"
           " where " ALMANIS_LISTED_DETAILS " order by EventId";
}

#undef ALMANIS_LISTED_DETAILS

const char* selectNotes() {
    return "select EventId,Note from tblEventDetail where Note is not null and Note<>''";
}

const char* eventIdByUid() {
    return "select EventId from tblEventDetail where Uid=?1";
}

const char* selectEventKeys() {
    return "select Description,EventMonth,EventDay from tblEvent";
}

const char* selectEventUids() {
    return "select Uid from tblEventDetail";
}

const char* selectEventDetails() {
    return "select EventYear,RemindDays,Note,Uid from tblEventDetail where EventId=?1";
}

const char* selectSyncResources() {
    return "select Href,ETag,EventId,SyncedHash from tblSyncResource";
}

const char* putSyncResource() {
    return "insert or replace into tblSyncResource (Href,ETag,EventId,SyncedHash)"
           " values (?1,?2,?3,?4)";
}

const char* deleteSyncResource() {
    return "delete from tblSyncResource where Href=?1";
}

const char* selectSyncTombstones() {
    return "select Href,ETag from tblSyncTombstone";
}

const char* deleteSyncTombstone() {
    return "delete from tblSyncTombstone where Href=?1";
}

const char* selectSyncToken() {
    return "select SyncToken from tblSyncCollection where Url=?1";
}

const char* putSyncToken() {
    return "insert or replace into tblSyncCollection (Url,SyncToken) values (?1,?2)";
}

QList<const char*> forgetSyncState() {
    return {"delete from tblSyncResource", "delete from tblSyncTombstone",
            "delete from tblSyncCollection where Url not in (select Book from tblEventContact)"};
}

const char* selectContactEventIds() {
    return "select EventId from tblEventContact";
}

const char* selectBookContacts() {
    return "select Href,ETag,EventId,Kind from tblEventContact where Book=?1";
}

const char* putContactEvent() {
    return "insert or replace into tblEventContact (EventId,Book,Href,ETag,Kind)"
           " values (?1,?2,?3,?4,?5)";
}

const char* selectContactBooks() {
    return "select distinct Book from tblEventContact";
}

const char* selectEventBook() {
    return "select Book from tblEventContact where EventId=?1";
}

}  // namespace almanis::sql
