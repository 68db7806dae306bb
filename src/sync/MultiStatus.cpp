#include "sync/MultiStatus.h"

#include "sync/DavNames.h"

#include <QCoreApplication>
#include <QRegularExpression>
#include <QXmlStreamReader>

namespace almanis {

namespace {
QString clarkName(const QXmlStreamReader& xml) {
    return QLatin1Char('{') + xml.namespaceUri().toString() + QLatin1Char('}') +
           xml.name().toString();
}

QUrl resolved(const QUrl& base, const QString& href) {
    return base.resolved(QUrl::fromEncoded(href.trimmed().toUtf8()));
}

// Reads the property whose start the reader stands on, up to its end.
DavProperty readProperty(QXmlStreamReader& xml, const QUrl& base) {
    DavProperty property;
    int depth = 0;
    while (!xml.atEnd()) {
        const QXmlStreamReader::TokenType token = xml.readNext();
        if (token == QXmlStreamReader::StartElement) {
            const QString name = clarkName(xml);
            if (depth == 0) {
                property.elements << name;
                const QStringView componentName = xml.attributes().value(QLatin1String("name"));
                if (!componentName.isNull()) {
                    property.names << componentName.toString();
                }
            }
            if (name == QLatin1String("{DAV:}href")) {
                const QString href = xml.readElementText(QXmlStreamReader::IncludeChildElements);
                property.hrefs << resolved(base, href);
                property.text += href;
                continue;  // the reader stands on the href's end
            }
            ++depth;
        } else if (token == QXmlStreamReader::Characters) {
            property.text += xml.text();
        } else if (token == QXmlStreamReader::EndElement) {
            if (depth == 0) {
                break;
            }
            --depth;
        }
    }
    return property;
}

// Reads a propstat into the response: its properties where the status is
// 2xx, else their names as missing.
void readPropstat(QXmlStreamReader& xml, const QUrl& base, DavResponse& response) {
    QHash<QString, DavProperty> properties;
    int status = 0;
    while (xml.readNextStartElement()) {
        const QString name = clarkName(xml);
        if (name == QLatin1String("{DAV:}prop")) {
            while (xml.readNextStartElement()) {
                const QString property = clarkName(xml);
                properties.insert(property, readProperty(xml, base));
            }
        } else if (name == QLatin1String("{DAV:}status")) {
            status = parseStatusLine(xml.readElementText(QXmlStreamReader::IncludeChildElements));
        } else {
            xml.skipCurrentElement();
        }
    }
    if (status >= 200 && status < 300) {
        response.properties.insert(properties);
    } else {
        response.missing += properties.keys();
    }
}

// Reads a response; one for each of its hrefs (a response may name several
// resources that share one status).
void readResponse(QXmlStreamReader& xml, const QUrl& base, std::vector<DavResponse>& responses) {
    DavResponse response;
    QList<QUrl> urls;
    while (xml.readNextStartElement()) {
        const QString name = clarkName(xml);
        if (name == QLatin1String("{DAV:}href")) {
            urls << resolved(base, xml.readElementText(QXmlStreamReader::IncludeChildElements));
        } else if (name == QLatin1String("{DAV:}status")) {
            response.status =
                parseStatusLine(xml.readElementText(QXmlStreamReader::IncludeChildElements));
        } else if (name == QLatin1String("{DAV:}propstat")) {
            readPropstat(xml, base, response);
        } else {
            xml.skipCurrentElement();
        }
    }
    for (const QUrl& url : urls) {
        response.url = url;
        responses.push_back(response);
    }
}
}  // namespace

QString DavResponse::text(QLatin1StringView name) const {
    const auto found = properties.constFind(QString(name));
    return found == properties.cend() ? QString() : found->text;
}

QUrl DavResponse::href(QLatin1StringView name) const {
    const auto found = properties.constFind(QString(name));
    return found == properties.cend() || found->hrefs.isEmpty() ? QUrl() : found->hrefs.first();
}

QByteArray DavResponse::etag() const {
    return text(dav::kGetEtag).trimmed().toUtf8();
}

bool DavResponse::isA(QLatin1StringView kind) const {
    const auto found = properties.constFind(QString(dav::kResourceType));
    return found != properties.cend() && found->elements.contains(QString(kind));
}

int parseStatusLine(const QString& line) {
    static const QRegularExpression status(QStringLiteral("^\\s*HTTP/\\d(?:\\.\\d)?\\s+(\\d{3})"));
    const QRegularExpressionMatch match = status.match(line);
    return match.hasMatch() ? match.captured(1).toInt() : 0;
}

std::optional<MultiStatus> parseMultiStatus(const QByteArray& body, const QUrl& base,
                                            QString& error) {
    QXmlStreamReader xml(body);
    MultiStatus result;
    const auto readError = [&] {
        error = QCoreApplication::translate("almanis::MultiStatus", "%1 (line %2)")
                    .arg(xml.errorString())
                    .arg(xml.lineNumber());
        return std::nullopt;
    };
    // A document without a root fails to read.
    if (!xml.readNextStartElement()) {
        return readError();
    }
    if (clarkName(xml) != QLatin1String("{DAV:}multistatus")) {
        error = QCoreApplication::translate("almanis::MultiStatus",
                                            "it holds a <%1> where a <multistatus> belongs")
                    .arg(xml.name());
        return std::nullopt;
    }
    while (xml.readNextStartElement()) {
        const QString name = clarkName(xml);
        if (name == QLatin1String("{DAV:}response")) {
            readResponse(xml, base, result.responses);
        } else if (name == dav::kSyncToken) {
            result.syncToken =
                xml.readElementText(QXmlStreamReader::IncludeChildElements).trimmed();
        } else {
            xml.skipCurrentElement();
        }
    }
    // Whatever follows the root must still be well-formed.
    while (!xml.atEnd()) {
        xml.readNext();
    }
    if (xml.hasError()) {
        return readError();
    }
    return result;
}

QStringList parseErrorConditions(const QByteArray& body) {
    QXmlStreamReader xml(body);
    QStringList conditions;
    if (!xml.readNextStartElement() || clarkName(xml) != QLatin1String("{DAV:}error")) {
        return conditions;
    }
    while (xml.readNextStartElement()) {
        conditions << clarkName(xml);
        xml.skipCurrentElement();
    }
    return xml.hasError() ? QStringList() : conditions;
}

}  // namespace almanis
