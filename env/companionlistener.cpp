#include "env/companionlistener.h"

#include <QLocalServer>
#include <QLocalSocket>
#include <QWidget>
#include <QtEndian>

#include "env/companion.h"

namespace {

constexpr int kReadTimeoutMs = 5000;

} // namespace

TCompanionListener::TCompanionListener(QWidget& window, TOnText onText)
    : QObject(&window), window_(window), onText_(std::move(onText))
{
}

bool TCompanionListener::Listen(const std::string& serverName)
{
    const QString name = QString::fromStdString(serverName);
    server_ = new QLocalServer(this);
    server_->setSocketOptions(QLocalServer::UserAccessOption);
    if (!server_->listen(name)) {
        // A name left behind by an instance that ended without closing is free again.
        QLocalSocket probe;
        probe.connectToServer(name);
        if (probe.waitForConnected(500))
            return false;
        QLocalServer::removeServer(name);
        if (!server_->listen(name))
            return false;
    }
    connect(server_, &QLocalServer::newConnection, this, [this] {
        while (server_->hasPendingConnections())
            TakeConnection();
    });
    return true;
}

void TCompanionListener::TakeConnection()
{
    QLocalSocket* socket = server_->nextPendingConnection();
    connect(socket, &QLocalSocket::disconnected, socket, &QObject::deleteLater);
    QByteArray bytes = socket->readAll();
    while (!ParseHandOver(bytes) && socket->state() == QLocalSocket::ConnectedState &&
           socket->waitForReadyRead(kReadTimeoutMs))
        bytes += socket->readAll();
    const auto handOver = ParseHandOver(bytes);
    uint32_t result = 0;
    if (handOver && handOver->Param == kHandOverParam) {
        // The launcher waits for the answer; the text is handled once it has it, so
        // that a message box about the text never keeps the launcher waiting.
        result = 1;
        const std::string text = handOver->Text;
        QMetaObject::invokeMethod(
            this,
            [this, text] {
                if (onText_)
                    onText_(text);
                if (window_.isMinimized())
                    window_.showNormal();
                window_.raise();
                window_.activateWindow();
            },
            Qt::QueuedConnection);
    }
    char answer[4];
    qToLittleEndian(result, answer);
    socket->write(answer, 4);
    socket->flush();
    socket->disconnectFromServer();
}
