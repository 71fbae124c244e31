#include "settings/SettingsInfo.h"

namespace kestrune {

CSettingsInfo::CSettingsInfo(const char* key, const char* text)
{
    SetKey(key);
    SetText(text);
}

void CSettingsInfo::SetKey(const char* key)
{
    m_strKey = key ? key : "";
}

void CSettingsInfo::SetText(const char* text)
{
    m_strText = text ? text : "";
}

}  // namespace kestrune
