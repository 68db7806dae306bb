#pragma once

#include <QLatin1StringView>

// The names of WebDAV, CalDAV and CardDAV elements and properties, in Clark
// notation ({namespace}local name), as MultiStatus keys them.
namespace almanis::dav {

inline constexpr QLatin1StringView kDav{"DAV:"};
inline constexpr QLatin1StringView kCalDav{"urn:ietf:params:xml:ns:caldav"};
inline constexpr QLatin1StringView kCardDav{"urn:ietf:params:xml:ns:carddav"};

// RFC 4918, 5397, 6578
inline constexpr QLatin1StringView kCollection{"{DAV:}collection"};
inline constexpr QLatin1StringView kCurrentUserPrincipal{"{DAV:}current-user-principal"};
inline constexpr QLatin1StringView kDisplayName{"{DAV:}displayname"};
inline constexpr QLatin1StringView kGetContentType{"{DAV:}getcontenttype"};
inline constexpr QLatin1StringView kGetEtag{"{DAV:}getetag"};
inline constexpr QLatin1StringView kResourceType{"{DAV:}resourcetype"};
inline constexpr QLatin1StringView kSyncToken{"{DAV:}sync-token"};
inline constexpr QLatin1StringView kValidSyncToken{"{DAV:}valid-sync-token"};
// RFC 4791
inline constexpr QLatin1StringView kCalendar{"{urn:ietf:params:xml:ns:caldav}calendar"};
inline constexpr QLatin1StringView kCalendarData{"{urn:ietf:params:xml:ns:caldav}calendar-data"};
inline constexpr QLatin1StringView kCalendarHomeSet{
    "{urn:ietf:params:xml:ns:caldav}calendar-home-set"};
inline constexpr QLatin1StringView kSupportedCalendarComponentSet{
    "{urn:ietf:params:xml:ns:caldav}supported-calendar-component-set"};
// RFC 6352
inline constexpr QLatin1StringView kAddressBook{"{urn:ietf:params:xml:ns:carddav}addressbook"};
inline constexpr QLatin1StringView kAddressData{"{urn:ietf:params:xml:ns:carddav}address-data"};
inline constexpr QLatin1StringView kAddressBookHomeSet{
    "{urn:ietf:params:xml:ns:carddav}addressbook-home-set"};
// The collection's tag of Apple's calendar server, which many servers keep
// beside the sync token.
inline constexpr QLatin1StringView kGetCtag{"{http://calendarserver.org/ns/}getctag"};

}  // namespace almanis::dav
