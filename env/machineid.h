#pragma once

#include <string>

#include <QList>

class QHostAddress;

// Who and where the program runs, as the settings document records it.

// The current user's login name; "Unknown" when the system cannot tell.
std::string ComputerUserName();
// The computer's network name; "Unknown" when the system cannot tell.
std::string ComputerName();
// The local host name (at most 64 bytes) resolved to its addresses; the last IPv4
// address in dotted decimal, empty when the name does not resolve.
std::string LocalIpAddr();

// The last IPv4 address of a list in dotted decimal, empty when there is none.
std::string LastIPv4Address(const QList<QHostAddress>& addresses);
