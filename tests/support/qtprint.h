#pragma once

#include <ostream>

#include <QString>

// GoogleTest prints a QString of a failed check as its text.
inline void PrintTo(const QString& s, std::ostream* os)
{
    *os << '"' << s.toStdString() << '"';
}
