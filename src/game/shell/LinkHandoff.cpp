#include "LinkHandoff.h"

#include <QApplication>
#include <QDeadlineTimer>
#include <QDir>
#include <QLocalServer>
#include <QLocalSocket>
#include <QStandardPaths>
#include <QTimer>

#include "GameView.h"
#include "MainFrame.h"
#include "net/InviteLink.h"

namespace trundlex {

namespace {

// The running game's answers.
const QByteArray Taken = QByteArrayLiteral("ok\n");
const QByteArray Refused = QByteArrayLiteral("no\n");
// A peer that connects and says nothing is let go after this long.
constexpr int QuietPeerMs = 5000;

}  // namespace

LinkHandoff::LinkHandoff(QString name, QObject* parent)
    : QObject(parent), name_(std::move(name)), server_(new QLocalServer(this)) {
    server_->setSocketOptions(QLocalServer::UserAccessOption);
    connect(server_, &QLocalServer::newConnection, this, &LinkHandoff::acceptPending);
}

LinkHandoff::~LinkHandoff() = default;

QString LinkHandoff::serverName() {
    const QString runtime = QStandardPaths::writableLocation(QStandardPaths::RuntimeLocation);
    if (!runtime.isEmpty()) {
        return QDir(runtime).filePath(QStringLiteral("trundlex-links"));
    }
    QString user = qEnvironmentVariable("USER");
    if (user.isEmpty()) {
        user = qEnvironmentVariable("USERNAME");
    }
    return QStringLiteral("trundlex-links-") + user;
}

bool LinkHandoff::listen() {
    if (server_->isListening()) {
        return true;
    }
    // Asked first, since listening would take the name over even from a game that runs
    // (Qt puts its socket in the old one's place). A game that answers keeps it; a socket file
    // left behind by one that crashed answers nobody and is replaced.
    QLocalSocket probe;
    probe.connectToServer(name_);
    if (probe.waitForConnected(500)) {
        probe.abort();
        return false;
    }
    QLocalServer::removeServer(name_);
    return server_->listen(name_);
}

bool LinkHandoff::listening() const {
    return server_->isListening();
}

void LinkHandoff::acceptPending() {
    while (QLocalSocket* peer = server_->nextPendingConnection()) {
        peer->setParent(this);
        QTimer::singleShot(QuietPeerMs, peer, [peer] { peer->abort(); });
        connect(peer, &QLocalSocket::disconnected, peer, &QObject::deleteLater);
        connect(peer, &QLocalSocket::readyRead, this, [this, peer] {
            if (!peer->canReadLine()) {
                if (peer->bytesAvailable() > MaxLinkBytes) {
                    peer->abort();
                }
                return;
            }
            const QString link = QString::fromUtf8(peer->readLine(MaxLinkBytes + 1)).trimmed();
            const bool taken = InviteLink::looksLikeLink(link.toStdString());
            peer->write(taken ? Taken : Refused);
            peer->disconnectFromServer();
            if (taken) {
                emit linkArrived(link);
            }
        });
    }
}

bool LinkHandoff::handOver(const QString& name, const QString& link, int timeoutMs) {
    const QByteArray line = link.trimmed().toUtf8() + '\n';
    if (line.size() > MaxLinkBytes || line.count('\n') != 1) {
        return false;
    }
    QDeadlineTimer deadline(timeoutMs);
    QLocalSocket socket;
    socket.connectToServer(name);
    if (!socket.waitForConnected(static_cast<int>(deadline.remainingTime()))) {
        return false;
    }
    socket.write(line);
    QByteArray answer;
    while (!answer.contains('\n') && !deadline.hasExpired()) {
        if (socket.bytesToWrite() > 0) {
            socket.waitForBytesWritten(static_cast<int>(deadline.remainingTime()));
        } else if (!socket.waitForReadyRead(static_cast<int>(deadline.remainingTime()))) {
            break;
        }
        answer += socket.read(16);
    }
    answer += socket.read(16);
    return answer.startsWith(Taken);
}

void LinkHandoff::follow(MainFrame& frame, const QString& link) {
    frame.setWindowState(frame.windowState() & ~Qt::WindowMinimized);
    frame.show();
    frame.raise();
    frame.activateWindow();
    // A dialog of the game that is open (the wizard, a lobby) is finished first: the link is
    // followed when it closes. A later link replaces one that still waits.
    auto* waiting = frame.findChild<QTimer*>(QStringLiteral("waitingLink"));
    if (waiting == nullptr) {
        waiting = new QTimer(&frame);
        waiting->setObjectName(QStringLiteral("waitingLink"));
        QObject::connect(waiting, &QTimer::timeout, &frame, [&frame, waiting] {
            if (QWidget* open = QApplication::activeModalWidget()) {
                open->raise();
                waiting->setInterval(100);
                return;
            }
            // Done with: a link that comes while "Your name" is open waits on a timer of its own.
            waiting->stop();
            waiting->setObjectName(QString());
            waiting->deleteLater();
            frame.view()->joinByLink(waiting->property("link").toString());
        });
    }
    waiting->setProperty("link", link);
    waiting->start(0);
}

}  // namespace trundlex
