#pragma once

#include <string>

#include <QString>

// The windows' text of a model's UTF-8 text.
inline QString Text(const std::string& s)
{
    return QString::fromStdString(s);
}
