#pragma once

#include <QByteArray>
#include <QHash>
#include <QList>
#include <QString>
#include <QStringList>
#include <QUrl>
#include <optional>
#include <vector>

namespace almanis {

// One property of a WebDAV answer, as it came.
struct DavProperty {
    // All the text inside it (a calendar's data, an ETag with its quotes, a
    // display name), exactly as sent.
    QString text;
    // The <DAV:href> elements inside it, resolved against the request's URL
    // (current-user-principal, calendar-home-set, ...).
    QList<QUrl> hrefs;
    // The elements directly inside it, in Clark notation: a resource type's
    // kinds ("{DAV:}collection", "{urn:ietf:params:xml:ns:caldav}calendar").
    QStringList elements;
    // The "name" attributes of the elements directly inside it: the
    // components a calendar takes ("VEVENT", "VTODO").
    QStringList names;
};

// One <DAV:response> of a multistatus answer: a resource and its properties.
struct DavResponse {
    QUrl url;  // its href, resolved against the request's URL
    // The response's own status where it has one instead of properties: 404
    // for a member that a sync-collection report says is gone. 0 otherwise.
    int status = 0;
    // The properties the server gave (status 2xx), by Clark name.
    QHash<QString, DavProperty> properties;
    // The properties asked for that the server does not have or refused.
    QStringList missing;

    bool has(QLatin1StringView name) const { return properties.contains(QString(name)); }
    // The property's text; empty when it is missing.
    QString text(QLatin1StringView name) const;
    // The first href of the property; invalid when there is none.
    QUrl href(QLatin1StringView name) const;
    // The ETag, with its quotes, as If-Match wants it back.
    QByteArray etag() const;
    // Whether the resource type holds this kind.
    bool isA(QLatin1StringView kind) const;
};

// A 207 Multi-Status answer (PROPFIND and REPORT).
struct MultiStatus {
    std::vector<DavResponse> responses;
    // The new token of a sync-collection report; empty otherwise.
    QString syncToken;
};

// Reads a multistatus body; hrefs are resolved against `base`. Nothing, with
// the reason in `error` (in words, with its line), when the body is no
// well-formed multistatus document.
std::optional<MultiStatus> parseMultiStatus(const QByteArray& body, const QUrl& base,
                                            QString& error);

// The preconditions or postconditions a DAV:error body names, in Clark
// notation ("{DAV:}valid-sync-token"); none when the body is no DAV:error.
QStringList parseErrorConditions(const QByteArray& body);

// The status of "HTTP/1.1 404 Not Found": 404; 0 when it is no status line.
int parseStatusLine(const QString& line);

}  // namespace almanis
