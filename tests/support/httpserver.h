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
    void stop();
    quint16 port() const;
    // http://127.0.0.1:<port><path>
    QUrl url(const QString &path) const;

    // Serves body at path (200); extraHeaders are whole "Name: value" lines.
    void serve(const QString &path, const QByteArray &body,
               const QByteArray &contentType = "text/html; charset=utf-8",
               const QList<QByteArray> &extraHeaders = {});
    // Requests for path are logged but never answered (until stop()).
    void hold(const QString &path);

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

    QTcpServer *server = nullptr;
    bool accepting = false;
    QHash<QString, Page> pages;
    QSet<QString> held;
    QList<Request> requests;
    QHash<QTcpSocket *, QByteArray> buffers;
};

} // namespace mira::test
