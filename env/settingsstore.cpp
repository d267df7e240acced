#include "env/settingsstore.h"

#include <memory>
#include <optional>

#include <QSettings>
#include <QString>
#include <QStringList>
#include <QVariant>

#include "core/numtext.h"

namespace {

// The store at key\section, or nothing when the path names no organisation.
struct TOpenStore {
    std::unique_ptr<QSettings> Settings;
    QString Name; // the value's name inside the store, below its group
};

std::optional<TOpenStore> Open(const std::string& key, const std::string& section, const std::string& name)
{
    std::string path = key;
    if (!section.empty())
        path += "\\" + section;
    QStringList parts = QString::fromStdString(path).split(u'\\', Qt::SkipEmptyParts);
    if (!parts.isEmpty() && parts.front().compare(u"Software", Qt::CaseInsensitive) == 0)
        parts.removeFirst();
    if (parts.isEmpty())
        return std::nullopt;
    const QString organisation = parts.takeFirst();
    const QString application = parts.isEmpty() ? QString() : parts.takeFirst();
    TOpenStore store;
    store.Settings = std::make_unique<QSettings>(QSettings::NativeFormat, QSettings::UserScope, organisation, application);
    parts.append(QString::fromStdString(name));
    store.Name = parts.join(u'/');
    return store;
}

std::optional<std::string> ReadText(const std::string& key, const std::string& section, const std::string& name)
{
    const auto store = Open(key, section, name);
    if (!store)
        return std::nullopt;
    const QVariant v = store->Settings->value(store->Name);
    if (!v.isValid() || !v.canConvert<QString>())
        return std::nullopt;
    return v.toString().toStdString();
}

void Write(const std::string& key, const std::string& section, const std::string& name, const QVariant& value)
{
    if (const auto store = Open(key, section, name))
        store->Settings->setValue(store->Name, value);
}

} // namespace

int TSettingsStore::ReadInteger(const std::string& section, const std::string& name, int def) const
{
    const auto text = ReadText(Key_, section, name);
    return text ? ParseInteger(TrimBlanks(*text)).value_or(def) : def;
}

bool TSettingsStore::ReadBool(const std::string& section, const std::string& name, bool def) const
{
    const auto text = ReadText(Key_, section, name);
    if (!text)
        return def;
    const std::string_view t = TrimBlanks(*text);
    if (SameText(t, "true"))
        return true;
    if (SameText(t, "false"))
        return false;
    if (const auto n = ParseInteger(t))
        return *n != 0;
    return def;
}

double TSettingsStore::ReadFloat(const std::string& section, const std::string& name, double def) const
{
    const auto text = ReadText(Key_, section, name);
    return text ? ParseReal(TrimBlanks(*text)).value_or(def) : def;
}

std::string TSettingsStore::ReadString(const std::string& section, const std::string& name, const std::string& def) const
{
    return ReadText(Key_, section, name).value_or(def);
}

bool TSettingsStore::ValueExists(const std::string& section, const std::string& name) const
{
    const auto store = Open(Key_, section, name);
    return store && store->Settings->contains(store->Name);
}

void TSettingsStore::WriteInteger(const std::string& section, const std::string& name, int value) const
{
    Write(Key_, section, name, QVariant(value));
}

void TSettingsStore::WriteBool(const std::string& section, const std::string& name, bool value) const
{
    Write(Key_, section, name, QVariant(value));
}

void TSettingsStore::WriteFloat(const std::string& section, const std::string& name, double value) const
{
    Write(Key_, section, name, QString::fromStdString(ShortestReal(value)));
}

void TSettingsStore::WriteString(const std::string& section, const std::string& name, const std::string& value) const
{
    Write(Key_, section, name, QString::fromStdString(value));
}
