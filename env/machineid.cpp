#include "env/machineid.h"

#include <QHostAddress>
#ifndef Q_OS_UNIX
#include <QHostInfo>
#endif
#include <QSysInfo>

#ifdef Q_OS_UNIX
#include <netdb.h>
#include <pwd.h>
#include <sys/socket.h>
#include <unistd.h>

#include <vector>
#endif

namespace {

constexpr qsizetype kMaxHostName = 64;

std::string OrUnknown(const std::string& text)
{
    return text.empty() ? "Unknown" : text;
}

} // namespace

std::string ComputerUserName()
{
#ifdef Q_OS_UNIX
    long size = ::sysconf(_SC_GETPW_R_SIZE_MAX);
    std::vector<char> buffer(size > 0 ? static_cast<size_t>(size) : 16384);
    passwd entry {};
    passwd* found = nullptr;
    if (::getpwuid_r(::geteuid(), &entry, buffer.data(), buffer.size(), &found) == 0 && found && found->pw_name)
        return OrUnknown(found->pw_name);
    return "Unknown";
#else
    return OrUnknown(qEnvironmentVariable("USERNAME").toStdString());
#endif
}

std::string ComputerName()
{
    return OrUnknown(QSysInfo::machineHostName().toStdString());
}

std::string LastIPv4Address(const QList<QHostAddress>& addresses)
{
    std::string last;
    for (const QHostAddress& a : addresses)
        if (a.protocol() == QAbstractSocket::IPv4Protocol)
            last = a.toString().toStdString();
    return last;
}

std::string LocalIpAddr()
{
#ifdef Q_OS_UNIX
    // The resolver directly: it needs no Qt application object, so headless programs ask too.
    char name[kMaxHostName + 1] = {};
    if (::gethostname(name, kMaxHostName) != 0 || name[0] == '\0')
        return {};
    addrinfo hints {};
    hints.ai_family = AF_INET;
    hints.ai_socktype = SOCK_STREAM; // one entry per address
    addrinfo* found = nullptr;
    if (::getaddrinfo(name, nullptr, &hints, &found) != 0)
        return {};
    QList<QHostAddress> addresses;
    for (const addrinfo* a = found; a; a = a->ai_next)
        addresses.append(QHostAddress(a->ai_addr));
    ::freeaddrinfo(found);
    return LastIPv4Address(addresses);
#else
    const QByteArray name = QHostInfo::localHostName().toUtf8().left(kMaxHostName);
    if (name.isEmpty())
        return {};
    const QHostInfo info = QHostInfo::fromName(QString::fromUtf8(name));
    if (info.error() != QHostInfo::NoError)
        return {};
    return LastIPv4Address(info.addresses());
#endif
}
