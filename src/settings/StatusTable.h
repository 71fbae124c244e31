#pragma once

namespace kestrune {

class CSettingsInfoList;

// Appends the six status entries (key string 60000+n, text string 55000+n, n = 0..5) at the tail of table.
// A string missing from the string table gives an empty key or text; the entry is appended all the same.
void FillStatusTable(CSettingsInfoList& table);

}  // namespace kestrune
