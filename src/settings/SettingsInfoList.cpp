#include "settings/SettingsInfoList.h"

#include "res/ResourceIds.h"
#include "settings/StringResources.h"

#include <string_view>

namespace kestrune {

CSettingsInfoList::CSettingsInfoList()
{
    m_entries.emplace_back(LoadString(IDS_SETTINGS_NAME).c_str(), "");
}

bool CSettingsInfoList::SetName(const char* name)
{
    const std::string nameKey = LoadString(IDS_SETTINGS_NAME);
    for (CSettingsInfo& entry : m_entries) {
        if (entry.m_strKey == nameKey) {
            entry.SetText(name);
            return true;
        }
    }
    return false;
}

bool CSettingsInfoList::Lookup(const char* key, CSettingsInfo& out) const
{
    const std::string_view wanted = key ? key : "";
    for (const CSettingsInfo& entry : m_entries) {
        if (entry.m_strKey == wanted) {
            out = entry;
            return true;
        }
    }
    return false;
}

CSettingsInfoList& CSettingsInfoList::Copy(const CSettingsInfoList& other)
{
    if (&other != this)
        m_entries = other.m_entries;
    return *this;
}

void CSettingsInfoList::AddHead(const CSettingsInfo& entry)
{
    m_entries.push_front(entry);
}

void CSettingsInfoList::AddTail(const CSettingsInfo& entry)
{
    m_entries.push_back(entry);
}

void CSettingsInfoList::AddTail(const CSettingsInfoList& other)
{
    // Copy first: appending a table to itself must not walk into the entries it appends.
    std::list<CSettingsInfo> copies = other.m_entries;
    m_entries.splice(m_entries.end(), copies);
}

void CSettingsInfoList::RemoveAll()
{
    m_entries.clear();
}

}  // namespace kestrune
