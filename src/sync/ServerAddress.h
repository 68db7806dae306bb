#pragma once

#include <QString>
#include <QUrl>

namespace almanis {

// True for an address of this computer itself: localhost, 127.0.0.0/8 and ::1.
bool isLoopback(const QUrl& url);

// Why Almanis will not talk to `url`, in words; empty when it will. User names
// and passwords travel only over https://, and over plain http:// only to this
// computer itself, where nothing else is on the way.
QString insecureReason(const QUrl& url);

// The address as the user wrote it, made whole: a missing scheme is https://
// ("dav.example.com/cal" is https://dav.example.com/cal), and surrounding
// blanks go. An invalid address comes back invalid.
QUrl serverAddress(const QString& text);

// A collection's address as WebDAV names it, ending in "/", so that the
// addresses of its members resolve against it.
QUrl collectionAddress(const QUrl& url);

// Two addresses of one collection compare equal whether or not they end in "/".
bool sameCollection(const QUrl& a, const QUrl& b);

// The name under which a user's password for a server is kept in the secret
// store: "https://alice@dav.example.com" (scheme, user, host and port). All
// collections of one user on one server share it.
QString passwordKey(const QUrl& url, const QString& user);

}  // namespace almanis
