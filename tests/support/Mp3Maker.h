#pragma once

#include <optional>
#include <string>
#include <vector>

// Builds the bytes of small MP3 files for tests: a few valid MPEG-1 Layer III frames (128 kbps,
// 44.1 kHz, silence), an optional ID3v2 tag (v2.2, v2.3 or v2.4) and an optional ID3v1 tag. Texts are
// given in UTF-8 and stored in the encoding asked for. Nothing here uses the program's own tag code.
//
//   tempDir.Write("song.mp3", MakeMp3({.id3v2Version = 4,
//                                      .frames = {TextFrame("TIT2", "Заголовок", Enc::Utf8), PictureFrame()},
//                                      .padding = 256,
//                                      .id3v1 = Id3v1{.title = "Old title"}}));
namespace kestrune::test {

// Text encodings of ID3v2 frames, by their byte value. Utf16 writes a little-endian byte order mark.
enum class Enc : unsigned char { Latin1 = 0, Utf16 = 1, Utf16BE = 2, Utf8 = 3 };

// One ID3v2 frame, stored as given: id (3 letters in a v2.2 tag, else 4), flag bytes and body.
struct Id3Frame {
    std::string id;
    std::string body;
    unsigned char statusFlags = 0;
    unsigned char formatFlags = 0;
};

// Text frame (T...), one value or several (separated by NUL as v2.4 does).
Id3Frame TextFrame(const std::string& id, const std::vector<std::string>& values, Enc enc = Enc::Latin1);
inline Id3Frame TextFrame(const std::string& id, const std::string& text, Enc enc = Enc::Latin1)
{
    return TextFrame(id, std::vector{text}, enc);
}
// COMM (v2.3/v2.4; use AnyFrame("COM", CommentFrame(...).body) in v2.2).
Id3Frame CommentFrame(const std::string& text, const std::string& description = "", Enc enc = Enc::Latin1,
                      const std::string& language = "eng");
// WXXX: user URL link.
Id3Frame UrlFrame(const std::string& url, const std::string& description = "", Enc enc = Enc::Latin1);
// APIC with a small made-up image.
Id3Frame PictureFrame(const std::string& imageBytes = std::string("\x89PNG\r\n\x1a\n-picture-", 17),
                      const std::string& mime = "image/png");
Id3Frame LyricsFrame(const std::string& lyrics, Enc enc = Enc::Latin1);                 // USLT
Id3Frame UserTextFrame(const std::string& description, const std::string& value);     // TXXX
Id3Frame PrivateFrame(const std::string& owner, const std::string& data);             // PRIV
inline Id3Frame AnyFrame(const std::string& id, const std::string& body)
{
    return {id, body};
}

struct Id3v1 {
    std::string title{}, artist{}, album{}, year{}, comment{};  // Latin-1 bytes, cut to their field size
    int track = 0;                                     // 0: an ID3v1.0 tag with a 30-byte comment
    int genre = 255;
};

struct Mp3Spec {
    int id3v2Version = 3;  // 2, 3 or 4; 0 for no ID3v2 tag
    std::vector<Id3Frame> frames{};
    size_t padding = 0;    // zero bytes after the frames, inside the tag
    std::optional<Id3v1> id3v1{};
    int audioFrames = 4;
};

std::string MakeMp3(const Mp3Spec& mp3);
// A v2.3 (or other version) tag with only a Latin-1 title.
std::string MakeMp3WithTitle(const std::string& title, int id3v2Version = 3);
// `count` MPEG frames of silence, each with recognisable unused bytes.
std::string MpegAudio(int count);

// An MP3 file's bytes in three parts: the leading ID3v2 tag (by its declared size, footer included),
// what follows it, and a trailing ID3v1 tag; the parts absent are empty.
struct Mp3Parts {
    std::string id3v2, audio, id3v1;
};
Mp3Parts PartsOf(const std::string& fileBytes);
inline std::string AudioOf(const std::string& fileBytes) { return PartsOf(fileBytes).audio; }
// The text in the encoding's bytes (no terminator); Latin-1 gives the C library's transliteration, else "?",
// for what it lacks.
std::string EncodeText(const std::string& utf8, Enc enc);
// The UTF-8 text in a code page ("CP1251", "ISO-8859-1"), converted by the C library: an encoder
// independent of the program's own. Throws when a character does not fit.
std::string InCodePage(const std::string& utf8, const char* page);

}  // namespace kestrune::test
