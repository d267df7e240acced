#pragma once

#include <string>

// The per-user settings store: keys, sections within a key, named values within a
// section. A key text such as "Software\Zandrovel\Kelvora" names the place; every
// read gives the caller's default when the value is absent or does not convert.
//
// The store is QSettings in the native format. Key and section together form one
// path "Software\<organisation>\<application>\<group>...": the part after
// "Software" is the organisation, the next the application, the rest a group. So
// the program key's section "CompForm" is organisation "Zandrovel", application
// "Kelvora", group "CompForm", and the user information ("Software\", section
// "Zandrovel") is the organisation's own settings. Each read or write opens the
// store and closes it again.
class TSettingsStore {
public:
    explicit TSettingsStore(std::string key) : Key_(std::move(key)) { }

    const std::string& Key() const { return Key_; }

    int ReadInteger(const std::string& section, const std::string& name, int def) const;
    bool ReadBool(const std::string& section, const std::string& name, bool def) const;
    double ReadFloat(const std::string& section, const std::string& name, double def) const;
    std::string ReadString(const std::string& section, const std::string& name, const std::string& def) const;
    bool ValueExists(const std::string& section, const std::string& name) const;

    void WriteInteger(const std::string& section, const std::string& name, int value) const;
    void WriteBool(const std::string& section, const std::string& name, bool value) const;
    // Reals are kept as text with "." whatever the user's locale.
    void WriteFloat(const std::string& section, const std::string& name, double value) const;
    void WriteString(const std::string& section, const std::string& name, const std::string& value) const;

private:
    std::string Key_;
};
