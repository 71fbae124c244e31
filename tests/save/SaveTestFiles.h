#pragma once

#include "support/Mp3Maker.h"
#include "support/TempDir.h"
#include "tag/Mp3File.h"
#include "tag/TagFields.h"

#include <algorithm>
#include <filesystem>
#include <map>
#include <set>
#include <string>
#include <string_view>

// Files for the save tests: MP3 files whose twelve fields hold texts that name the file, and what a
// saved file holds afterwards, read without the save code.
namespace kestrune::test {

// The text a made file holds in a field: "<name> <field>", or a well-formed value for the fields
// that have a form (year, track number, genre, URL).
inline std::string originalText(const std::string& name, std::string_view field)
{
    if (field == "year")
        return "1999";
    if (field == "track number")
        return "7/12";
    if (field == "genre")
        return "Jazz";
    if (field == "URL")
        return "http://example.com/" + name;
    return name + " " + std::string(field);
}

// A v2.3 file with all twelve frames, each holding originalText(name, field).
inline std::string taggedMp3(const std::string& name, size_t padding = 256)
{
    Mp3Spec mp3;
    mp3.padding = padding;
    for (const TagField& field : kTagFields) {
        const std::string text = originalText(name, field.name);
        if (field.kind == TagFrameKind::Comment)
            mp3.frames.push_back(commentFrame(text));
        else if (field.kind == TagFrameKind::Url)
            mp3.frames.push_back(urlFrame(text));
        else
            mp3.frames.push_back(textFrame(std::string(field.frameId23), text));
    }
    return makeMp3(mp3);
}

// The fields of a file by English name, as the tag record reads them.
inline std::map<std::string, std::string> fieldsOf(const std::filesystem::path& file)
{
    CMp3File record(file.string());
    record.Load();
    std::map<std::string, std::string> out;
    for (const TagField& field : kTagFields)
        out[std::string(field.name)] = (record.*field.get)();
    return out;
}

// The ids of the frames of the ID3v2.3/v2.4 tag at the start of the file (no unsynchronisation),
// read straight from the bytes.
inline std::set<std::string> frameIdsOf(const std::filesystem::path& file)
{
    const std::string bytes = readFile(file);
    std::set<std::string> ids;
    if (bytes.size() < 10 || bytes.compare(0, 3, "ID3") != 0)
        return ids;
    const int version = bytes[3];
    auto syncsafe = [&](size_t at) {
        unsigned long v = 0;
        for (size_t i = at; i < at + 4; ++i)
            v = (v << 7) | (static_cast<unsigned char>(bytes[i]) & 0x7f);
        return v;
    };
    auto plain = [&](size_t at) {
        unsigned long v = 0;
        for (size_t i = at; i < at + 4; ++i)
            v = (v << 8) | static_cast<unsigned char>(bytes[i]);
        return v;
    };
    const size_t end = std::min(bytes.size(), 10 + static_cast<size_t>(syncsafe(6)));
    for (size_t at = 10; at + 10 <= end && bytes[at] != '\0';) {
        ids.insert(bytes.substr(at, 4));
        at += 10 + (version == 4 ? syncsafe(at + 4) : plain(at + 4));
    }
    return ids;
}

// The v2.3 frames of the twelve fields.
inline std::set<std::string> twelveFrameIds()
{
    std::set<std::string> ids;
    for (const TagField& field : kTagFields)
        ids.insert(std::string(field.frameId23));
    return ids;
}

inline bool containsAll(const std::set<std::string>& have, const std::set<std::string>& want)
{
    for (const std::string& id : want)
        if (!have.count(id))
            return false;
    return true;
}

}  // namespace kestrune::test
