// The questions a page's engine asks the user: a certificate it doubts, a login, a
// download. Each is asked after the engine's callback has returned where the engine
// can wait for the answer, so the box holds no other page; where it cannot, the
// engine is marked as held meanwhile.
#include <QAuthenticator>
#include <QFileInfo>
#include <QPointer>
#include <QTimer>
#include <QWebEngineCertificateError>
#include <QWebEngineDownloadRequest>
#include <QWebEnginePage>
#include <QWebEngineProfile>
#include <QWebEngineView>

#include "dialogs/pagedialogs.h"
#include "platform/qtwebcontrol.h"
#include "platform/webdialogs.h"

namespace mira::platform {
namespace {

// Captions of the boxes and windows shown for pages; error boxes carry "Error".
const QString certificateCaption = QStringLiteral("Certificate Error");
const QString securityCaption = QStringLiteral("Security Alert");

} // namespace

void QtWebControl::askForPage(QWebEnginePage *p, QWebEngineProfile *profile)
{
    connect(p, &QWebEnginePage::certificateError, this,
            [this](const QWebEngineCertificateError &error) {
                QWebEngineCertificateError e = error;
                // Asked once the engine's callback has returned, so the box holds
                // no page but this one.
                QPointer<QtWebControl> self = this;
                if (!e.isOverridable()) {
                    DeliverAlertLater(this,
                                      {e.description(),
                                       certificateCaption,
                                       MB_OK | MB_ICONERROR,
                                       false,
                                       {},
                                       IDOK},
                                      [self](WebMessage &m) {
                                          if (self)
                                              self->scriptMessage(m);
                                      });
                    return; // rejected
                }
                e.defer();
                QTimer::singleShot(0, this, [self, e]() mutable {
                    const QString text = QStringLiteral(
                                             "%1\n\n%2\n\nDo you want to open this page anyway?")
                                             .arg(e.url().toDisplayString(), e.description());
                    if (self
                        && AskEngineQuestion(self->view, self->effectiveSilent(), mrNo,
                                             securityCaption, text, MsgType::Warning, mbYes | mbNo)
                               == mrYes)
                        e.acceptCertificate();
                    else
                        e.rejectCertificate();
                });
            });
    connect(p, &QWebEnginePage::authenticationRequired, this,
            [this](const QUrl &url, QAuthenticator *auth) {
                const EngineHold hold;
                QString user;
                QString password;
                // Only a null authenticator cancels: the engine has already given this
                // one its realm, and empty credentials are sent and refused up to 32 times.
                if (!AskCredentials(view, effectiveSilent(), url.host(), &user, &password)) {
                    *auth = QAuthenticator();
                    return;
                }
                auth->setUser(user);
                auth->setPassword(password);
            });

    // A download the page offers; saving a page is the Save As command's own.
    connect(profile, &QWebEngineProfile::downloadRequested, p,
            [this, p](QWebEngineDownloadRequest *request) {
                if (request->isSavePageDownload() || request->page() != p
                    || request->state() != QWebEngineDownloadRequest::DownloadRequested)
                    return;
                const EngineHold hold;
                const QString path = AskDownloadPath(view, effectiveSilent(),
                                                     request->downloadFileName(),
                                                     request->url().host(),
                                                     request->downloadDirectory());
                if (path.isEmpty()) {
                    request->cancel();
                    return;
                }
                const QFileInfo target(path);
                request->setDownloadDirectory(target.absolutePath());
                request->setDownloadFileName(target.fileName());
                request->accept();
            });
}

} // namespace mira::platform
