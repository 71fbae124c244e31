#pragma once

#include "support/Mp3Maker.h"
#include "support/TempDir.h"
#include "tag/Mp3File.h"
#include "tag/TagFields.h"

#include <map>
#include <string>

namespace kestrune::test {

// Every field of a loaded record by its English name.
inline std::map<std::string, std::string> FieldsOf(const CMp3File& record)
{
    std::map<std::string, std::string> out;
    for (const TagField& field : kTagFields)
        out[std::string(field.name)] = (record.*field.get)();
    return out;
}

inline std::map<std::string, std::string> LoadFields(const std::filesystem::path& file)
{
    CMp3File record(file.string());
    record.Load();
    return FieldsOf(record);
}

// The stored bytes (header and body) of the first frame with this id in the file's ID3v2 tag, found by
// a plain search; empty when absent.
inline std::string StoredFrame(const std::string& fileBytes, const std::string& id, int version)
{
    const size_t at = fileBytes.find(id, 10);
    if (at == std::string::npos || fileBytes.size() < at + 10)
        return {};
    unsigned long size = 0;
    for (size_t i = at + 4; i < at + 8; ++i)
        size = (size << (version == 4 ? 7 : 8)) | static_cast<unsigned char>(fileBytes[i]);
    return fileBytes.substr(at, 10 + size);
}

}  // namespace kestrune::test
