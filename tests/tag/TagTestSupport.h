#pragma once

#include "support/Mp3Maker.h"
#include "support/TempDir.h"
#include "tag/Mp3File.h"
#include "tag/TagFields.h"

#include <gtest/gtest.h>

#include <map>
#include <string>

#include <sys/stat.h>

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

// The frame a tag of this version (3 or 4) holds the field's text in.
inline Id3Frame FieldFrame(const TagField& field, const std::string& text, int version = 3, Enc enc = Enc::Latin1)
{
    return field.kind == TagFrameKind::Comment ? CommentFrame(text, "", enc)
           : field.kind == TagFrameKind::Url   ? UrlFrame(text, "", enc)
                                               : TextFrame(std::string(field.FrameId(version)), text, enc);
}

// Sets the named fields of a loaded record.
inline void SetFields(CMp3File& record, const std::map<std::string, std::string>& texts)
{
    for (const TagField& field : kTagFields)
        if (auto it = texts.find(std::string(field.name)); it != texts.end())
            (record.*field.set)(it->second);
}

// Loads, sets the named fields and saves; returns the save error, empty when saved.
inline std::string SaveTexts(const std::filesystem::path& file, const std::map<std::string, std::string>& texts)
{
    CMp3File record(file.string());
    record.Load();
    SetFields(record, texts);
    const bool saved = record.Save();
    EXPECT_NE(saved, !record.GetSaveError().empty()) << "a save tells whether it failed and why";
    return record.GetSaveError();
}

inline ino_t InodeOf(const std::filesystem::path& file)
{
    struct stat st {};
    ::stat(file.c_str(), &st);
    return st.st_ino;
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
