#include "support/httpserver.h"

#include <QSslConfiguration>
#include <QSslServer>
#include <QTcpServer>
#include <QTcpSocket>

namespace mira::test {

HttpServer::HttpServer() : server(new QTcpServer(this)) {}

HttpServer::~HttpServer()
{
    stop();
}

bool HttpServer::start(quint16 port)
{
    listenOn(server);
    return server->listen(QHostAddress::LocalHost, port);
}

bool HttpServer::startTls(const QSslConfiguration &config)
{
    auto *secure = new QSslServer(this);
    secure->setSslConfiguration(config);
    delete server;
    server = secure;
    tls = true;
    accepting = false;
    listenOn(server);
    return server->listen(QHostAddress::LocalHost, 0);
}

void HttpServer::listenOn(QTcpServer *listener)
{
    if (accepting)
        return;
    accepting = true;
    // A TLS server queues a connection once its handshake is done, after newConnection.
    connect(listener, &QTcpServer::pendingConnectionAvailable, this, [this] {
        while (QTcpSocket *socket = server->nextPendingConnection()) {
            socket->setParent(this);
            connect(socket, &QTcpSocket::readyRead, this, [this, socket] { onReadyRead(socket); });
            connect(socket, &QTcpSocket::disconnected, this, [this, socket] {
                buffers.remove(socket);
                socket->deleteLater();
            });
        }
    });
}

void HttpServer::stop()
{
    server->close();
    for (QTcpSocket *socket : findChildren<QTcpSocket *>())
        socket->abort();
    buffers.clear();
}

quint16 HttpServer::port() const
{
    return server->serverPort();
}

QUrl HttpServer::url(const QString &path) const
{
    return QUrl(QStringLiteral("%1://127.0.0.1:%2%3")
                    .arg(tls ? QStringLiteral("https") : QStringLiteral("http"))
                    .arg(port())
                    .arg(path));
}

void HttpServer::serve(const QString &path, const QByteArray &body, const QByteArray &contentType,
                       const QList<QByteArray> &extraHeaders)
{
    pages.insert(path, {body, contentType, extraHeaders});
}

void HttpServer::hold(const QString &path)
{
    held.insert(path);
}

void HttpServer::requireLogin(const QString &path, const QByteArray &user,
                              const QByteArray &password)
{
    logins.insert(path, "Basic " + (user + ':' + password).toBase64());
}

int HttpServer::count(const QString &path) const
{
    int n = 0;
    for (const Request &r : requests)
        n += r.path == path;
    return n;
}

void HttpServer::onReadyRead(QTcpSocket *socket)
{
    QByteArray &buffer = buffers[socket];
    buffer += socket->readAll();
    // Every answer closes the connection, so there is one request per connection;
    // request bodies are not needed.
    {
        const int end = buffer.indexOf("\r\n\r\n");
        if (end < 0)
            return;
        const QList<QByteArray> lines = buffer.left(end).split('\n');
        buffer.remove(0, end + 4);
        const QList<QByteArray> first = lines.value(0).trimmed().split(' ');
        if (first.size() < 2) {
            socket->abort();
            return;
        }
        Request request;
        request.method = first[0];
        request.path = QString::fromLatin1(first[1]);
        for (int i = 1; i < lines.size(); ++i) {
            const int colon = lines[i].indexOf(':');
            if (colon > 0)
                request.headers.insert(lines[i].left(colon).trimmed().toLower(),
                                       lines[i].mid(colon + 1).trimmed());
        }
        buffers.remove(socket);
        requests.append(request);
        Q_EMIT requested(request.path);
        respond(socket, request);
    }
}

void HttpServer::respond(QTcpSocket *socket, const Request &request)
{
    const QString path = request.path.section('?', 0, 0);
    if (held.contains(path))
        return;
    QByteArray response;
    const auto it = pages.constFind(path);
    const auto login = logins.constFind(path);
    if (login != logins.constEnd() && request.headers.value("authorization") != *login) {
        const QByteArray body = "<html><head><title>Login refused</title></head></html>";
        response = "HTTP/1.1 401 Unauthorized\r\nWWW-Authenticate: Basic realm=\"Mira test\"\r\n"
                   "Content-Type: text/html\r\nContent-Length: "
                   + QByteArray::number(body.size()) + "\r\nConnection: close\r\n\r\n" + body;
    } else if (it == pages.constEnd()) {
        const QByteArray body = "<html><body>Not found</body></html>";
        response = "HTTP/1.1 404 Not Found\r\nContent-Type: text/html\r\nContent-Length: "
                   + QByteArray::number(body.size()) + "\r\nConnection: close\r\n\r\n" + body;
    } else {
        response = "HTTP/1.1 200 OK\r\nContent-Type: " + it->contentType
                   + "\r\nContent-Length: " + QByteArray::number(it->body.size()) + "\r\n";
        for (const QByteArray &header : it->extraHeaders)
            response += header + "\r\n";
        response += "Connection: close\r\n\r\n" + it->body;
    }
    socket->write(response);
    socket->disconnectFromHost();
}

} // namespace mira::test
