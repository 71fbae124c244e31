#pragma once

#include <string>

namespace kestrune {

// One entry of a keyed text table: a text key ("STATUS_READY") and its display text ("Готов").
class CSettingsInfo {
public:
    CSettingsInfo() = default;
    // Either pointer may be null: it stands for the empty string.
    CSettingsInfo(const char* key, const char* text);

    // A null pointer stores the empty string.
    void SetKey(const char* key);
    void SetText(const char* text);

    std::string GetKey() const { return m_strKey; }
    std::string GetText() const { return m_strText; }

private:
    friend class CSettingsInfoList;  // compares keys without copying them

    std::string m_strKey;
    std::string m_strText;
};

}  // namespace kestrune
