#pragma once

#include "tag/Mp3File.h"

#include <array>
#include <string>
#include <string_view>

// The twelve fields the editor shows and writes: the one definition of the tag field set.

namespace kestrune {

// Where a field's text sits in its ID3v2 frame.
enum class TagFrameKind {
    Text,     // a text information frame (T...)
    Comment,  // the text of a COMM frame
    Url,      // the URL of a WXXX frame
};

// A field by its place in kTagFields. Code names a field by this, never by its English name.
enum class TagFieldId : unsigned char {
    Title, Album, Artist, Track, Year, Genre, Comment, Composer, OrigArtist, Copyright, Url, EncodedBy
};
inline constexpr size_t kTagFieldCount = 12;

constexpr size_t Index(TagFieldId id) { return static_cast<size_t>(id); }

// The field's place in an ID3v1 tag; None for fields ID3v1 cannot hold.
enum class Id3v1Slot { None, Title, Artist, Album, Year, Comment, Track, Genre };

struct TagField {
    TagFieldId id;
    std::string_view name;       // English name as the user knows it, for messages only
    std::string_view frameId23;  // ID3v2.3 frame (also used for v2.2 tags, which are written as v2.3)
    std::string_view frameId24;  // ID3v2.4 frame; differs only for the year
    TagFrameKind kind;
    Id3v1Slot id3v1;
    const std::string& (CMp3File::*get)() const;
    void (CMp3File::*set)(const std::string&);

    std::string_view FrameId(int id3v2Version) const { return id3v2Version >= 4 ? frameId24 : frameId23; }
};

// In the record's member order.
inline constexpr std::array<TagField, kTagFieldCount> kTagFields = {{
    {TagFieldId::Title, "title", "TIT2", "TIT2", TagFrameKind::Text, Id3v1Slot::Title, &CMp3File::GetTitle,
     &CMp3File::SetTitle},
    {TagFieldId::Album, "album", "TALB", "TALB", TagFrameKind::Text, Id3v1Slot::Album, &CMp3File::GetAlbum,
     &CMp3File::SetAlbum},
    {TagFieldId::Artist, "artist", "TPE1", "TPE1", TagFrameKind::Text, Id3v1Slot::Artist, &CMp3File::GetArtist,
     &CMp3File::SetArtist},
    {TagFieldId::Track, "track number", "TRCK", "TRCK", TagFrameKind::Text, Id3v1Slot::Track, &CMp3File::GetTrack,
     &CMp3File::SetTrack},
    {TagFieldId::Year, "year", "TYER", "TDRC", TagFrameKind::Text, Id3v1Slot::Year, &CMp3File::GetYear,
     &CMp3File::SetYear},
    {TagFieldId::Genre, "genre", "TCON", "TCON", TagFrameKind::Text, Id3v1Slot::Genre, &CMp3File::GetGenre,
     &CMp3File::SetGenre},
    {TagFieldId::Comment, "comment", "COMM", "COMM", TagFrameKind::Comment, Id3v1Slot::Comment, &CMp3File::GetComment,
     &CMp3File::SetComment},
    {TagFieldId::Composer, "composer", "TCOM", "TCOM", TagFrameKind::Text, Id3v1Slot::None, &CMp3File::GetComposer,
     &CMp3File::SetComposer},
    {TagFieldId::OrigArtist, "original artist", "TOPE", "TOPE", TagFrameKind::Text, Id3v1Slot::None,
     &CMp3File::GetOrigArtist, &CMp3File::SetOrigArtist},
    {TagFieldId::Copyright, "copyright", "TCOP", "TCOP", TagFrameKind::Text, Id3v1Slot::None, &CMp3File::GetCopyright,
     &CMp3File::SetCopyright},
    {TagFieldId::Url, "URL", "WXXX", "WXXX", TagFrameKind::Url, Id3v1Slot::None, &CMp3File::GetUrl, &CMp3File::SetUrl},
    {TagFieldId::EncodedBy, "encoded by", "TENC", "TENC", TagFrameKind::Text, Id3v1Slot::None, &CMp3File::GetEncodedBy,
     &CMp3File::SetEncodedBy},
}};

constexpr const TagField& FieldOf(TagFieldId id) { return kTagFields[Index(id)]; }

// True when the list names every field exactly once: tables that map something to the fields use
// it in a static_assert, so a field left out or given twice does not compile.
template <size_t N>
constexpr bool NamesEachFieldOnce(const std::array<TagFieldId, N>& ids)
{
    if (N != kTagFieldCount)
        return false;
    std::array<int, kTagFieldCount> seen{};
    for (TagFieldId id : ids)
        ++seen[Index(id)];
    for (int n : seen)
        if (n != 1)
            return false;
    return true;
}

static_assert(
    [] {
        for (size_t i = 0; i < kTagFields.size(); ++i)
            if (Index(kTagFields[i].id) != i)
                return false;
        return true;
    }(),
    "kTagFields lists the fields in TagFieldId order");

}  // namespace kestrune
