#include "sync/DavClient.h"

#include "sync/DavNames.h"

#include <QXmlStreamWriter>

namespace almanis {

namespace {
const QByteArray kXmlType = QByteArrayLiteral("application/xml; charset=utf-8");

// Writes an element named in Clark notation, empty.
void writeEmpty(QXmlStreamWriter& xml, const QString& clarkName) {
    const qsizetype close = clarkName.indexOf(QLatin1Char('}'));
    if (clarkName.startsWith(QLatin1Char('{')) && close > 0) {
        xml.writeEmptyElement(clarkName.mid(1, close - 1), clarkName.mid(close + 1));
    } else {
        xml.writeEmptyElement(clarkName);
    }
}

// A document whose root is `root` in `rootNamespace`, with the usual prefixes;
// `content` writes what goes inside.
template <typename Content>
QByteArray document(QLatin1StringView rootNamespace, const QString& root, Content content) {
    QByteArray body;
    QXmlStreamWriter xml(&body);
    xml.writeStartDocument();
    xml.writeNamespace(QString(dav::kDav), QStringLiteral("D"));
    xml.writeNamespace(QString(dav::kCalDav), QStringLiteral("C"));
    xml.writeNamespace(QString(dav::kCardDav), QStringLiteral("A"));
    xml.writeStartElement(QString(rootNamespace), root);
    content(xml);
    xml.writeEndElement();
    xml.writeEndDocument();
    return body;
}

void writeProperties(QXmlStreamWriter& xml, const QStringList& properties) {
    xml.writeStartElement(QString(dav::kDav), QStringLiteral("prop"));
    for (const QString& property : properties) {
        writeEmpty(xml, property);
    }
    xml.writeEndElement();
}

// The href of a member as a request names it: its path on the collection's
// server, else the whole address.
QString hrefOf(const QUrl& resource, const QUrl& collection) {
    if (resource.scheme() == collection.scheme() && resource.host() == collection.host() &&
        resource.port() == collection.port()) {
        return resource.path(QUrl::FullyEncoded);
    }
    return resource.toString(QUrl::FullyEncoded);
}
}  // namespace

DavClient::DavClient(HttpTransport& transport, QObject* parent)
    : QObject(parent), transport_(transport) {}

void DavClient::setCredentials(const QString& user, const QString& password) {
    authorization_ = "Basic " + (user + QLatin1Char(':') + password).toUtf8().toBase64();
}

DavRequest* DavClient::send(DavOutgoing outgoing) {
    auto* request = new DavRequest(transport_, std::move(outgoing), authorization_, timeout_, this);
    connect(request, &DavRequest::sent, this, [this] { ++requestsSent_; });
    request->start();
    return request;
}

DavRequest* DavClient::propfind(const QUrl& url, int depth, const QStringList& properties) {
    const QByteArray body =
        document(dav::kDav, QStringLiteral("propfind"),
                 [&](QXmlStreamWriter& xml) { writeProperties(xml, properties); });
    return send({"PROPFIND",
                 url,
                 {{"Depth", QByteArray::number(depth)}, {"Content-Type", kXmlType}},
                 body,
                 true});
}

DavRequest* DavClient::syncCollection(const QUrl& collection, const QString& syncToken,
                                      const QStringList& properties) {
    const QByteArray body =
        document(dav::kDav, QStringLiteral("sync-collection"), [&](QXmlStreamWriter& xml) {
            xml.writeTextElement(QString(dav::kDav), QStringLiteral("sync-token"), syncToken);
            xml.writeTextElement(QString(dav::kDav), QStringLiteral("sync-level"),
                                 QStringLiteral("1"));
            writeProperties(xml, properties);
        });
    // RFC 6578 wants Depth 0 on the report itself; the level is in the body.
    return send({"REPORT", collection, {{"Depth", "0"}, {"Content-Type", kXmlType}}, body, true});
}

DavRequest* DavClient::multiget(const QUrl& collection, CollectionKind kind,
                                const QList<QUrl>& resources) {
    const bool calendar = kind == CollectionKind::Calendar;
    const QByteArray body = document(
        calendar ? dav::kCalDav : dav::kCardDav,
        calendar ? QStringLiteral("calendar-multiget") : QStringLiteral("addressbook-multiget"),
        [&](QXmlStreamWriter& xml) {
            writeProperties(xml, {QString(dav::kGetEtag),
                                  QString(calendar ? dav::kCalendarData : dav::kAddressData)});
            for (const QUrl& resource : resources) {
                xml.writeTextElement(QString(dav::kDav), QStringLiteral("href"),
                                     hrefOf(resource, collection));
            }
        });
    return send({"REPORT", collection, {{"Depth", "1"}, {"Content-Type", kXmlType}}, body, true});
}

DavRequest* DavClient::get(const QUrl& url) {
    return send({"GET", url, {}, {}, false});
}

DavRequest* DavClient::create(const QUrl& url, const QByteArray& body,
                              const QByteArray& contentType) {
    return send({"PUT", url, {{"Content-Type", contentType}, {"If-None-Match", "*"}}, body, false});
}

DavRequest* DavClient::replace(const QUrl& url, const QByteArray& body,
                               const QByteArray& contentType, const QByteArray& etag) {
    return send({"PUT", url, {{"Content-Type", contentType}, {"If-Match", etag}}, body, false});
}

DavRequest* DavClient::remove(const QUrl& url, const QByteArray& etag) {
    DavOutgoing outgoing{"DELETE", url, {}, {}, false};
    if (!etag.isEmpty()) {
        outgoing.headers.append({"If-Match", etag});
    }
    return send(std::move(outgoing));
}

}  // namespace almanis
