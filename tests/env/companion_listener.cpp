// A stand-in for a running companion program in the tests: listens under its own
// program name, takes one hand-over, writes the bytes it received to the file named
// by its argument and answers that it has handled them.
#include <fstream>
#include <iostream>

#include <QCoreApplication>
#include <QLocalServer>
#include <QLocalSocket>

#include "env/companion.h"
#include "env/platform.h"

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    if (argc != 2)
        return 2;
    const QString name = QString::fromStdString(CompanionServerName(ProgramNameOf(RunningProgramFile())));
    QLocalServer::removeServer(name);
    QLocalServer server;
    if (!server.listen(name)) {
        std::cerr << "cannot listen: " << server.errorString().toStdString() << "\n";
        return 1;
    }
    std::cout << "ready" << std::endl;
    if (!server.waitForNewConnection(30000))
        return 3;
    QLocalSocket* socket = server.nextPendingConnection();
    QByteArray bytes = socket->readAll();
    while (!ParseHandOver(bytes) && socket->waitForReadyRead(10000))
        bytes += socket->readAll();
    std::ofstream(argv[1], std::ios::binary).write(bytes.constData(), bytes.size());
    socket->write(QByteArray(4, '\0'));
    socket->waitForBytesWritten(5000);
    socket->disconnectFromServer();
    return ParseHandOver(bytes) ? 0 : 4;
}
