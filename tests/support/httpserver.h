#pragma once
// A small HTTP/1.1 server for end-to-end tests: serves fixed pages from 127.0.0.1 on
// a free port and logs every request, so a test can tell what the engine fetched.
#include <QByteArray>
#include <QHash>
#include <QList>
#include <QObject>
#include <QSet>
#include <QString>
#include <QUrl>

class QSslConfiguration;
class QTcpServer;
class QTcpSocket;

namespace mira::test {

class HttpServer : public QObject {
    Q_OBJECT
public:
    struct Request {
        QByteArray method;
        QString path;
        QHash<QByteArray, QByteArray> headers; // names in lower case
    };

    HttpServer();
    ~HttpServer() override;

    // Listens on port, or on a free one; a stopped server may start again on its port.
    bool start(quint16 port = 0);
    // Serves over TLS with the given certificate and key; url() then gives https.
    bool startTls(const QSslConfiguration &tls);
    void stop();
    quint16 port() const;
    // http://127.0.0.1:<port><path> (https once started with TLS)
    QUrl url(const QString &path) const;

    // Serves body at path (200); extraHeaders are whole "Name: value" lines.
    void serve(const QString &path, const QByteArray &body,
               const QByteArray &contentType = "text/html; charset=utf-8",
               const QList<QByteArray> &extraHeaders = {});
    // Requests for path are logged but never answered (until stop()).
    void hold(const QString &path);
    // Requests for path without these Basic credentials get 401 and a login challenge.
    void requireLogin(const QString &path, const QByteArray &user, const QByteArray &password);

    const QList<Request> &log() const { return requests; }
    int count(const QString &path) const;
    void clearLog() { requests.clear(); }

Q_SIGNALS:
    void requested(const QString &path);

private:
    struct Page {
        QByteArray body;
        QByteArray contentType;
        QList<QByteArray> extraHeaders;
    };
    void onReadyRead(QTcpSocket *socket);
    void respond(QTcpSocket *socket, const Request &request);

    void listenOn(QTcpServer *listener);

    QTcpServer *server = nullptr;
    bool tls = false;
    bool accepting = false; // the listener's connections are taken
    QHash<QString, Page> pages;
    QSet<QString> held;
    QHash<QString, QByteArray> logins; // path -> expected Authorization value
    QList<Request> requests;
    QHash<QTcpSocket *, QByteArray> buffers;
};

} // namespace mira::test
