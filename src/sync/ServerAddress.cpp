#include "sync/ServerAddress.h"

#include <QCoreApplication>
#include <QHostAddress>

namespace almanis {

bool isLoopback(const QUrl& url) {
    const QString host = url.host();
    if (host.compare(QLatin1String("localhost"), Qt::CaseInsensitive) == 0) {
        return true;
    }
    const QHostAddress address(host);
    return !address.isNull() && address.isLoopback();
}

QString insecureReason(const QUrl& url) {
    const QString scheme = url.scheme().toLower();
    if (!url.isValid() || url.host().isEmpty() ||
        (scheme != QLatin1String("https") && scheme != QLatin1String("http"))) {
        return QCoreApplication::translate("almanis::ServerAddress",
                                           "\"%1\" is not the address of a server; write it as "
                                           "https://server/path")
            .arg(url.toDisplayString());
    }
    if (scheme == QLatin1String("http") && !isLoopback(url)) {
        return QCoreApplication::translate(
                   "almanis::ServerAddress",
                   "%1 is not a secure address: Almanis sends user names and passwords only over "
                   "https://, and over http:// only to this computer itself")
            .arg(url.toDisplayString());
    }
    return QString();
}

QUrl serverAddress(const QString& text) {
    const QString trimmed = text.trimmed();
    if (trimmed.isEmpty()) {
        return QUrl();
    }
    if (!trimmed.contains(QLatin1String("://"))) {
        return QUrl(QStringLiteral("https://") + trimmed, QUrl::StrictMode);
    }
    return QUrl(trimmed, QUrl::StrictMode);
}

QUrl collectionAddress(const QUrl& url) {
    QUrl whole = url.adjusted(QUrl::NormalizePathSegments | QUrl::RemoveFragment);
    if (!whole.path().endsWith(QLatin1Char('/'))) {
        whole.setPath(whole.path() + QLatin1Char('/'));
    }
    return whole;
}

bool sameCollection(const QUrl& a, const QUrl& b) {
    // QUrl holds host names in lower case.
    return collectionAddress(a) == collectionAddress(b);
}

QString passwordKey(const QUrl& url, const QString& user) {
    QUrl key;
    key.setScheme(url.scheme().toLower());
    key.setUserName(user);
    key.setHost(url.host().toLower());
    key.setPort(url.port());
    return key.toString(QUrl::FullyEncoded);
}

}  // namespace almanis
