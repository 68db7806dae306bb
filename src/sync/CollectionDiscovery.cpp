#include "sync/CollectionDiscovery.h"

#include "sync/DavClient.h"
#include "sync/DavNames.h"
#include "sync/ServerAddress.h"

#include <QTimer>

namespace almanis {

namespace {
// What a first look at an address asks: enough to tell a collection, a
// principal with its homes, or the way to the principal.
QStringList probedProperties() {
    return {QString(dav::kResourceType),         QString(dav::kDisplayName),
            QString(dav::kCurrentUserPrincipal), QString(dav::kCalendarHomeSet),
            QString(dav::kAddressBookHomeSet),   QString(dav::kSupportedCalendarComponentSet)};
}

QStringList collectionProperties() {
    return {QString(dav::kResourceType), QString(dav::kDisplayName),
            QString(dav::kSupportedCalendarComponentSet)};
}

// A calendar that names the components it takes must name events; one that
// names none takes all.
bool takesEvents(const DavResponse& response) {
    const auto components =
        response.properties.constFind(QString(dav::kSupportedCalendarComponentSet));
    return components == response.properties.cend() || components->names.isEmpty() ||
           components->names.contains(QLatin1String("VEVENT"), Qt::CaseInsensitive);
}

QString nameOf(const DavResponse& response) {
    const QString name = response.text(dav::kDisplayName).trimmed();
    if (!name.isEmpty()) {
        return name;
    }
    const QStringList segments = response.url.path().split(QLatin1Char('/'), Qt::SkipEmptyParts);
    return segments.isEmpty() ? QString() : segments.last();
}

// The response about `url` itself, else the first.
const DavResponse* responseFor(const MultiStatus& answer, const QUrl& url) {
    for (const DavResponse& response : answer.responses) {
        if (sameCollection(response.url, url)) {
            return &response;
        }
    }
    return answer.responses.empty() ? nullptr : &answer.responses.front();
}

void addOnce(QList<QUrl>& urls, const QList<QUrl>& more) {
    for (const QUrl& url : more) {
        const bool known = std::any_of(urls.cbegin(), urls.cend(),
                                       [&](const QUrl& had) { return sameCollection(had, url); });
        if (!known) {
            urls << url;
        }
    }
}
}  // namespace

CollectionDiscovery::CollectionDiscovery(DavClient& client, QObject* parent)
    : QObject(parent), client_(client) {}

void CollectionDiscovery::start(const QUrl& url) {
    given_ = url.adjusted(QUrl::RemoveUserInfo | QUrl::RemoveFragment);
    // Told as the user wrote it, before any well-known address is tried.
    if (const QString why = insecureReason(given_); !why.isEmpty()) {
        QTimer::singleShot(0, this, [this, why] { fail(DavResult::Failure::Insecure, why); });
        return;
    }
    QUrl root = given_;
    root.setPath(QStringLiteral("/"));
    root.setQuery(QString());
    const QUrl calDav = root.resolved(QUrl(QStringLiteral("/.well-known/caldav")));
    const QUrl cardDav = root.resolved(QUrl(QStringLiteral("/.well-known/carddav")));
    // A server's bare address leads on through its well-known addresses; an
    // address with a path is looked at first, as it may be a collection or
    // the principal itself.
    if (given_.path().isEmpty() || given_.path() == QLatin1String("/")) {
        candidates_ = {calDav, cardDav, given_};
    } else {
        candidates_ = {given_, calDav, cardDav};
    }
    askNextCandidate();
}

void CollectionDiscovery::askNextCandidate() {
    if (candidates_.empty() || (!calendarHomes_.isEmpty() && !addressBookHomes_.isEmpty())) {
        homesToAsk_.assign(calendarHomes_.cbegin(), calendarHomes_.cend());
        for (const QUrl& home : addressBookHomes_) {
            if (std::none_of(homesToAsk_.cbegin(), homesToAsk_.cend(),
                             [&](const QUrl& had) { return sameCollection(had, home); })) {
                homesToAsk_.push_back(home);
            }
        }
        if (homesToAsk_.empty()) {
            failFoundNothing(
                tr("no calendars or address books were found at %1").arg(given_.toDisplayString()));
            return;
        }
        askNextHome();
        return;
    }
    const QUrl candidate = candidates_.front();
    candidates_.pop_front();
    const bool given = candidate == given_;
    DavRequest* request = client_.propfind(candidate, 0, probedProperties());
    connect(request, &DavRequest::finished, this,
            [this, request, given] { candidateAnswered(request, given); });
}

void CollectionDiscovery::candidateAnswered(DavRequest* request, bool given) {
    request->deleteLater();
    const DavResult& result = request->result();
    if (failedEverywhere(result)) {
        return;
    }
    if (!result.ok()) {
        // A well-known address that a server does not serve is no failure of
        // its own; one that cannot be reached at all is the reason to tell.
        if (given || result.failure == DavResult::Failure::NoAnswer) {
            remember(result);
        }
        askNextCandidate();
        return;
    }
    const DavResponse* response = responseFor(result.multiStatus, result.url);
    if (!response) {
        askNextCandidate();
        return;
    }
    if (given && (response->isA(dav::kCalendar) || response->isA(dav::kAddressBook))) {
        const bool calendar = response->isA(dav::kCalendar);
        if (calendar && !takesEvents(*response)) {
            fail(DavResult::Failure::Refused,
                 tr("%1 is a calendar of tasks or notes, which takes no events")
                     .arg(given_.toDisplayString()));
            return;
        }
        gaveCollection_ = true;
        // The address the answer came from, after any redirect.
        collections_.push_back({collectionAddress(result.url),
                                calendar ? CollectionKind::Calendar : CollectionKind::AddressBook,
                                nameOf(*response)});
        succeed();
        return;
    }
    takeHomes(*response);
    const QUrl principal = response->href(dav::kCurrentUserPrincipal);
    if (principal.isValid() && !principalsAsked_.contains(principal) &&
        !sameCollection(principal, result.url)) {
        principalsAsked_.insert(principal);
        DavRequest* asked = client_.propfind(principal, 0, probedProperties());
        connect(asked, &DavRequest::finished, this, [this, asked] { principalAnswered(asked); });
        return;
    }
    askNextCandidate();
}

void CollectionDiscovery::principalAnswered(DavRequest* request) {
    request->deleteLater();
    const DavResult& result = request->result();
    if (failedEverywhere(result)) {
        return;
    }
    if (!result.ok()) {
        remember(result);
    } else if (const DavResponse* response = responseFor(result.multiStatus, result.url)) {
        takeHomes(*response);
    }
    askNextCandidate();
}

void CollectionDiscovery::takeHomes(const DavResponse& response) {
    const auto hrefs = [&](QLatin1StringView name) {
        const auto found = response.properties.constFind(QString(name));
        return found == response.properties.cend() ? QList<QUrl>() : found->hrefs;
    };
    addOnce(calendarHomes_, hrefs(dav::kCalendarHomeSet));
    addOnce(addressBookHomes_, hrefs(dav::kAddressBookHomeSet));
}

void CollectionDiscovery::askNextHome() {
    if (homesToAsk_.empty()) {
        if (collections_.empty()) {
            failFoundNothing(tr("the server has no calendar or address book for this user"));
            return;
        }
        succeed();
        return;
    }
    const QUrl home = homesToAsk_.front();
    homesToAsk_.pop_front();
    DavRequest* request = client_.propfind(home, 1, collectionProperties());
    connect(request, &DavRequest::finished, this,
            [this, request, home] { homeAnswered(request, home); });
}

void CollectionDiscovery::homeAnswered(DavRequest* request, const QUrl& home) {
    request->deleteLater();
    const DavResult& result = request->result();
    if (failedEverywhere(result)) {
        return;
    }
    if (!result.ok()) {
        remember(result);
        askNextHome();
        return;
    }
    for (const DavResponse& response : result.multiStatus.responses) {
        if (sameCollection(response.url, home) || sameCollection(response.url, result.url)) {
            continue;
        }
        const bool calendar = response.isA(dav::kCalendar) && takesEvents(response);
        if (!calendar && !response.isA(dav::kAddressBook)) {
            continue;
        }
        const bool known = std::any_of(
            collections_.cbegin(), collections_.cend(),
            [&](const Collection& had) { return sameCollection(had.url, response.url); });
        if (!known) {
            collections_.push_back(
                {collectionAddress(response.url),
                 calendar ? CollectionKind::Calendar : CollectionKind::AddressBook,
                 nameOf(response)});
        }
    }
    askNextHome();
}

bool CollectionDiscovery::failedEverywhere(const DavResult& result) {
    // A refused password or an insecure address is refused everywhere.
    if (result.failure == DavResult::Failure::Authentication ||
        result.failure == DavResult::Failure::Insecure) {
        fail(result.failure, result.error);
        return true;
    }
    return false;
}

void CollectionDiscovery::failFoundNothing(const QString& otherwise) {
    if (rememberedFailure_ != DavResult::Failure::None) {
        fail(rememberedFailure_, rememberedError_);
    } else {
        fail(DavResult::Failure::NotFound, otherwise);
    }
}

void CollectionDiscovery::remember(const DavResult& result) {
    if (rememberedFailure_ == DavResult::Failure::None) {
        rememberedFailure_ = result.failure;
        rememberedError_ = result.error;
    }
}

void CollectionDiscovery::fail(DavResult::Failure failure, const QString& error) {
    collections_.clear();
    failure_ = failure;
    error_ = error;
    finished_ = true;
    emit finished();
}

void CollectionDiscovery::succeed() {
    finished_ = true;
    emit finished();
}

}  // namespace almanis
