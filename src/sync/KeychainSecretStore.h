#pragma once

#include "sync/SecretStore.h"

namespace almanis {

// The desktop's secret store (the Secret Service of GNOME's keyring or KDE's
// wallet) through QtKeychain, under the service "Almanis". Never falls back to
// a file.
class KeychainSecretStore final : public SecretStore {
  public:
    SecretRequest* read(const QString& key) override;
    SecretRequest* write(const QString& key, const QString& password) override;
    SecretRequest* remove(const QString& key) override;
};

}  // namespace almanis
