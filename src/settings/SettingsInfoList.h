#pragma once

#include "settings/SettingsInfo.h"

#include <cstddef>
#include <list>

namespace kestrune {

// A keyed text table: entries in insertion order, looked up by exact, case-sensitive key. A new table holds one
// entry, the name entry, whose key is the string "SETTINGS_NAME" of the string table and whose text is empty.
// Entries with equal keys are all kept; a lookup finds the one nearest the head.
//
// Lookup may run on several threads at once as long as nothing modifies the table meanwhile.
class CSettingsInfoList {
public:
    using const_iterator = std::list<CSettingsInfo>::const_iterator;

    CSettingsInfoList();

    // Sets the text of the name entry (null gives the empty text); false when the table has no name entry.
    bool SetName(const char* name);
    // Copies the first entry, from the head, whose key is byte for byte equal to key (null counts as the empty
    // key) into out and returns true; returns false and leaves out untouched when no entry matches.
    bool Lookup(const char* key, CSettingsInfo& out) const;
    // Replaces the whole content by copies of other's entries, name entry included only if other has one.
    CSettingsInfoList& Copy(const CSettingsInfoList& other);

    void AddHead(const CSettingsInfo& entry);
    void AddTail(const CSettingsInfo& entry);
    // Appends copies of every entry of other, head to tail (other may be this table).
    void AddTail(const CSettingsInfoList& other);
    void RemoveAll();

    std::size_t GetCount() const { return m_entries.size(); }
    bool IsEmpty() const { return m_entries.empty(); }
    // Head to tail.
    const_iterator begin() const { return m_entries.begin(); }
    const_iterator end() const { return m_entries.end(); }

private:
    std::list<CSettingsInfo> m_entries;
};

}  // namespace kestrune
