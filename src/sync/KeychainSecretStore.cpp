#include "sync/KeychainSecretStore.h"

#include <qt6keychain/keychain.h>
#include <QCoreApplication>

namespace almanis {

namespace {
const QString kService = QStringLiteral("Almanis");

// A request carried out by one QtKeychain job.
class KeychainRequest final : public SecretRequest {
  public:
    // Takes the job, which deletes itself once finished.
    explicit KeychainRequest(QKeychain::Job* job, bool removal) {
        job->setInsecureFallback(false);
        connect(job, &QKeychain::Job::finished, this, [this, removal](QKeychain::Job* done) {
            if (done->error() == QKeychain::NoError ||
                (removal && done->error() == QKeychain::EntryNotFound)) {
                const auto* read = qobject_cast<QKeychain::ReadPasswordJob*>(done);
                succeed(read ? read->textData() : QString());
                return;
            }
            fail(reasonOf(*done));
        });
        // Started from the event loop: a job may finish within start(), and
        // the caller must have connected to finished() by then.
        QMetaObject::invokeMethod(job, &QKeychain::Job::start, Qt::QueuedConnection);
    }

  private:
    static QString reasonOf(const QKeychain::Job& job) {
        switch (job.error()) {
            case QKeychain::EntryNotFound:
                return QCoreApplication::translate(
                           "almanis::KeychainSecretStore",
                           "the desktop's secret store holds no password for %1")
                    .arg(job.key());
            case QKeychain::AccessDeniedByUser:
            case QKeychain::AccessDenied:
                return QCoreApplication::translate("almanis::KeychainSecretStore",
                                                   "the desktop's secret store refused access (%1)")
                    .arg(job.errorString());
            case QKeychain::NoBackendAvailable:
            case QKeychain::NotImplemented:
                return QCoreApplication::translate(
                           "almanis::KeychainSecretStore",
                           "there is no secret store on this desktop (%1); give a password "
                           "command instead")
                    .arg(job.errorString());
            default:
                return QCoreApplication::translate("almanis::KeychainSecretStore",
                                                   "the desktop's secret store failed: %1")
                    .arg(job.errorString());
        }
    }
};
}  // namespace

SecretRequest* KeychainSecretStore::read(const QString& key) {
    auto* job = new QKeychain::ReadPasswordJob(kService);
    job->setKey(key);
    return new KeychainRequest(job, false);
}

SecretRequest* KeychainSecretStore::write(const QString& key, const QString& password) {
    auto* job = new QKeychain::WritePasswordJob(kService);
    job->setKey(key);
    job->setTextData(password);
    return new KeychainRequest(job, false);
}

SecretRequest* KeychainSecretStore::remove(const QString& key) {
    auto* job = new QKeychain::DeletePasswordJob(kService);
    job->setKey(key);
    return new KeychainRequest(job, true);
}

}  // namespace almanis
