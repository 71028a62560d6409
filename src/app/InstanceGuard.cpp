#include "InstanceGuard.h"

#include <QApplication>
#include <QDir>
#include <QLocalServer>
#include <QLocalSocket>
#include <QStandardPaths>
#include <QWidget>
#include <unistd.h>

namespace tessaro::app {

namespace {

constexpr char kActivate[] = "activate\n";
constexpr char kActivated[] = "activated\n";

void restoreAndRaise(QWidget* window) {
    if (window->isMinimized())
        window->setWindowState((window->windowState() & ~Qt::WindowMinimized) | Qt::WindowActive);
    window->show();
    window->raise();
    window->activateWindow();
}

} // namespace

InstanceGuard::InstanceGuard(QObject* parent) : QObject(parent) {
    connect(this, &InstanceGuard::activationRequested, this, &InstanceGuard::raiseTopWindow);
}

InstanceGuard::~InstanceGuard() {
    if (m_server)
        m_server->close();
}

QString InstanceGuard::serverName() {
    // The runtime folder is private to the user, so the socket identifies this user's copy.
    QString folder = QStandardPaths::writableLocation(QStandardPaths::RuntimeLocation);
    if (folder.isEmpty())
        folder = QDir::tempPath();
    return QDir(folder).filePath(QString("Tessaro-%1.instance").arg(::getuid()));
}

bool InstanceGuard::FindOtherInstance(int timeoutMs) {
    QLocalSocket socket;
    socket.connectToServer(serverName());
    if (!socket.waitForConnected(timeoutMs))
        return false;
    socket.write(kActivate);
    if (!socket.waitForBytesWritten(timeoutMs))
        return false;
    // A listening socket whose owner does not answer is not a running copy.
    while (!socket.canReadLine()) {
        if (!socket.waitForReadyRead(timeoutMs))
            return false;
    }
    return socket.readLine() == kActivated;
}

bool InstanceGuard::listen() {
    m_server = new QLocalServer(this);
    m_server->setSocketOptions(QLocalServer::UserAccessOption);
    connect(m_server, &QLocalServer::newConnection, this, [this] {
        while (m_server->hasPendingConnections())
            answerConnection();
    });
    if (m_server->listen(serverName()))
        return true;
    // Only a socket nobody answers on gets here (FindOtherInstance failed): a crashed copy's.
    QLocalServer::removeServer(serverName());
    return m_server->listen(serverName());
}

void InstanceGuard::answerConnection() {
    QLocalSocket* socket = m_server->nextPendingConnection();
    connect(socket, &QLocalSocket::disconnected, socket, &QObject::deleteLater);
    connect(socket, &QLocalSocket::readyRead, this, [this, socket] {
        while (socket->canReadLine()) {
            if (socket->readLine() == kActivate) {
                socket->write(kActivated);
                socket->flush();
                emit activationRequested();
            }
        }
    });
}

void InstanceGuard::raiseTopWindow() {
    QWidget* modal = QApplication::activeModalWidget();
    if (m_mainWindow && (m_mainWindow->isMinimized() || !modal))
        restoreAndRaise(m_mainWindow);
    if (modal)
        restoreAndRaise(modal);
}

} // namespace tessaro::app
