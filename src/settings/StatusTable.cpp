#include "settings/StatusTable.h"

#include "res/ResourceIds.h"
#include "settings/SettingsInfoList.h"
#include "settings/StringResources.h"

namespace kestrune {

void FillStatusTable(CSettingsInfoList& table)
{
    for (unsigned n = 0; n < kStatusCount; ++n) {
        const unsigned keyId = IDS_STATUS_FIRST_KEY + n;
        table.AddTail(CSettingsInfo(LoadString(keyId).c_str(), LoadString(TextIdOfKey(keyId)).c_str()));
    }
}

}  // namespace kestrune
