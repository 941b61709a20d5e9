#include "support/testcertificate.h"

#include <QFile>
#include <QProcess>
#include <QSslCertificate>
#include <QSslKey>

namespace mira::test {

QSslConfiguration MakeSelfSignedTls(const QString &folder, QString *error)
{
    const QString keyPath = folder + QStringLiteral("/key.pem");
    const QString certPath = folder + QStringLiteral("/cert.pem");
    QProcess openssl;
    openssl.start(QStringLiteral("openssl"),
                  {QStringLiteral("req"), QStringLiteral("-x509"), QStringLiteral("-newkey"),
                   QStringLiteral("rsa:2048"), QStringLiteral("-nodes"), QStringLiteral("-keyout"),
                   keyPath, QStringLiteral("-out"), certPath, QStringLiteral("-days"),
                   QStringLiteral("2"), QStringLiteral("-subj"), QStringLiteral("/CN=127.0.0.1"),
                   QStringLiteral("-addext"), QStringLiteral("subjectAltName=IP:127.0.0.1")});
    if (!openssl.waitForFinished(60000) || openssl.exitStatus() != QProcess::NormalExit
        || openssl.exitCode() != 0) {
        *error = QStringLiteral("openssl failed: %1 %2")
                     .arg(openssl.errorString(),
                          QString::fromLocal8Bit(openssl.readAllStandardError()));
        return {};
    }
    QFile keyFile(keyPath);
    QFile certFile(certPath);
    if (!keyFile.open(QIODevice::ReadOnly) || !certFile.open(QIODevice::ReadOnly)) {
        *error = QStringLiteral("cannot read the new key or certificate");
        return {};
    }
    const QSslKey key(&keyFile, QSsl::Rsa, QSsl::Pem);
    const QSslCertificate certificate(&certFile, QSsl::Pem);
    if (key.isNull() || certificate.isNull()) {
        *error = QStringLiteral("the key or certificate does not parse");
        return {};
    }
    QSslConfiguration config = QSslConfiguration::defaultConfiguration();
    config.setPrivateKey(key);
    config.setLocalCertificate(certificate);
    config.setPeerVerifyMode(QSslSocket::VerifyNone);
    return config;
}

} // namespace mira::test
