#pragma once

#include "tag/TagTestSupport.h"

#include <algorithm>
#include <filesystem>
#include <map>
#include <string>
#include <string_view>

// Files for the save tests: MP3 files whose twelve fields hold texts that name the file, and what a
// saved file holds afterwards, read without the save code.
namespace kestrune::test {

// "<name> <field>", or a well-formed value for the fields that have a form.
inline std::string OriginalText(const std::string& name, std::string_view field)
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

// A v2.3 file with all twelve frames, each holding OriginalText(name, field).
inline std::string TaggedMp3(const std::string& name)
{
    Mp3Spec mp3;
    mp3.padding = 256;
    for (const TagField& field : kTagFields) {
        const std::string text = OriginalText(name, field.name);
        mp3.frames.push_back(field.kind == TagFrameKind::Comment ? CommentFrame(text)
                             : field.kind == TagFrameKind::Url   ? UrlFrame(text)
                                                                 : TextFrame(std::string(field.frameId23), text));
    }
    return MakeMp3(mp3);
}

// The fields of a file by English name, as the tag record reads them.
inline std::map<std::string, std::string> FieldsOf(const std::filesystem::path& file) { return LoadFields(file); }

// The v2.3 frames of the twelve fields that the ID3v2 tag at the start of the file lacks, read
// straight from the bytes (no unsynchronisation); "" when it holds them all.
inline std::string MissingFrames(const std::filesystem::path& file)
{
    const std::string bytes = ReadFile(file);
    std::string ids;
    if (bytes.size() >= 10 && bytes.compare(0, 3, "ID3") == 0) {
        auto size = [&](size_t at, int bits) {
            unsigned long v = 0;
            for (size_t i = at; i < at + 4; ++i)
                v = (v << bits) | (static_cast<unsigned char>(bytes[i]) & ((1u << bits) - 1));
            return v;
        };
        const size_t end = std::min(bytes.size(), 10 + size_t(size(6, 7)));
        for (size_t at = 10; at + 10 <= end && bytes[at] != '\0'; at += 10 + size(at + 4, bytes[3] == 4 ? 7 : 8))
            ids += bytes.substr(at, 4) + " ";
    }
    std::string missing;
    for (const TagField& field : kTagFields)
        if (ids.find(std::string(field.frameId23) + " ") == std::string::npos)
            missing += std::string(field.frameId23) + " ";
    return missing;
}

}  // namespace kestrune::test
