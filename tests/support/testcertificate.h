#pragma once
// A self-signed certificate for 127.0.0.1, made at test time with the openssl tool,
// so TLS tests never depend on a key kept in the tree.
#include <QSslConfiguration>
#include <QString>

namespace mira::test {

// Writes the key and certificate into folder; on failure returns a null configuration
// and says why in *error.
QSslConfiguration MakeSelfSignedTls(const QString &folder, QString *error);

} // namespace mira::test
