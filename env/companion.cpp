#include "env/companion.h"

#include <QDir>
#include <QFileInfo>
#include <QLocalSocket>
#include <QProcess>
#include <QStandardPaths>
#include <QStringList>
#include <QtEndian>

#include "env/platform.h"

namespace {

constexpr int kConnectTimeoutMs = 1000;
// How long a running instance may take to handle the text before the launcher gives up.
constexpr int kHandOverTimeoutMs = 5000;

void AppendLittleEndian(QByteArray& bytes, uint32_t value)
{
    char raw[4];
    qToLittleEndian(value, raw);
    bytes.append(raw, 4);
}

uint32_t LittleEndianAt(const QByteArray& bytes, qsizetype at)
{
    return qFromLittleEndian<uint32_t>(bytes.constData() + at);
}

} // namespace

bool HandOverToRunning(const std::string& programName, const std::string& text)
{
    QLocalSocket socket;
    socket.connectToServer(QString::fromStdString(CompanionServerName(programName)));
    if (!socket.waitForConnected(kConnectTimeoutMs))
        return false;
    const QByteArray message = HandOverMessage(text);
    if (socket.write(message) != message.size())
        return false;
    while (socket.bytesToWrite() > 0)
        if (!socket.waitForBytesWritten(kHandOverTimeoutMs))
            return false;
    // The answer says the instance has handled the text; a closed connection ends the wait too.
    while (socket.bytesAvailable() < 4 && socket.state() == QLocalSocket::ConnectedState)
        if (!socket.waitForReadyRead(kHandOverTimeoutMs))
            break;
    socket.disconnectFromServer();
    return true;
}

std::string NotExecutableMessage(const std::string& path)
{
    return path + "\r\nProgram not executable...";
}

std::string NotFoundMessage(const std::string& path)
{
    return path + "\rnot found...";
}

std::string CompanionServerName(const std::string& programName)
{
    const QString runtime = QStandardPaths::writableLocation(QStandardPaths::RuntimeLocation);
    if (runtime.isEmpty())
        return programName;
    return QDir(runtime).filePath(QString::fromStdString(programName)).toStdString();
}

QByteArray HandOverMessage(const std::string& text)
{
    QByteArray bytes;
    AppendLittleEndian(bytes, kHandOverParam);
    AppendLittleEndian(bytes, static_cast<uint32_t>(text.size()));
    bytes.append(text.data(), static_cast<qsizetype>(text.size()));
    return bytes;
}

std::optional<THandOver> ParseHandOver(const QByteArray& bytes)
{
    if (bytes.size() < 8)
        return std::nullopt;
    const uint32_t length = LittleEndianAt(bytes, 4);
    if (static_cast<quint64>(bytes.size()) - 8 < length)
        return std::nullopt;
    THandOver h;
    h.Param = LittleEndianAt(bytes, 0);
    h.Text.assign(bytes.constData() + 8, length);
    return h;
}

TLaunchOutcome LaunchCompanion(const std::string& path, const std::string& text, const TMessageHook& showMessage)
{
    const QFileInfo file(QString::fromStdString(path));
    if (file.exists() && !(file.isFile() && file.isExecutable())) {
        if (showMessage)
            showMessage(NotExecutableMessage(path));
        return loNotExecutable;
    }
    if (!file.exists()) {
        if (showMessage)
            showMessage(NotFoundMessage(path));
        return loNotFound;
    }
    if (HandOverToRunning(ProgramNameOf(path), text))
        return loHandedOver;
    const QStringList arguments = QProcess::splitCommand(QString::fromStdString(text));
    return QProcess::startDetached(file.absoluteFilePath(), arguments) ? loStarted : loStartFailed;
}
