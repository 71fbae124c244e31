// Writes the fuzzer's starting files into a folder: small MP3 files in every tag layout the tag
// record handles, made with the tests' MP3 maker. kestrune-fuzz-seeds OUTDIR

#include "support/Mp3Maker.h"

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <string>
#include <utility>
#include <vector>

namespace {

using namespace kestrune::test;

std::string Synchsafe(size_t n)
{
    std::string out;
    for (int i = 3; i >= 0; --i)
        out += static_cast<char>((n >> (7 * i)) & 0x7F);
    return out;
}

// A file with header flags set after the fact, its size corrected for `insertBody` put before the frames.
std::string WithHeader(std::string file, char flags, const std::string& insertBody = {})
{
    file[5] = flags;
    if (!insertBody.empty()) {
        size_t size = 0;
        for (int i = 6; i < 10; ++i)
            size = (size << 7) | static_cast<unsigned char>(file[i]);
        file.replace(6, 4, Synchsafe(size + insertBody.size()));
        file.insert(10, insertBody);
    }
    return file;
}

std::vector<std::pair<std::string, std::string>> Seeds()
{
    std::vector<std::pair<std::string, std::string>> out;
    auto add = [&](const char* name, const Mp3Spec& layout) { out.emplace_back(name, MakeMp3(layout)); };

    Mp3Spec full;
    full.frames = {TextFrame("TIT2", "Title"), TextFrame("TALB", "Album"), TextFrame("TPE1", "Artist"),
                   TextFrame("TRCK", "3/10"), TextFrame("TYER", "2001"), TextFrame("TCON", "(17)Rock"),
                   CommentFrame("A comment"), TextFrame("TCOM", "Composer"), TextFrame("TOPE", "Orig"),
                   TextFrame("TCOP", "Copyright"), UrlFrame("http://example.org/"), TextFrame("TENC", "Encoder"),
                   PictureFrame(), LyricsFrame("La la"), UserTextFrame("key", "value"), PrivateFrame("owner", "data")};
    full.padding = 256;
    full.id3v1 = Id3v1{.title = "v1 title", .artist = "v1 artist", .track = 3, .genre = 17};
    add("v23-full.mp3", full);

    Mp3Spec big = full;
    big.padding = 4096;
    big.id3v1.reset();
    add("v23-big-padding.mp3", big);

    add("v23-title.mp3", Mp3Spec{.frames = {TextFrame("TIT2", "Only a title")}});

    Mp3Spec v24;
    v24.id3v2Version = 4;
    v24.frames = {TextFrame("TIT2", "Заголовок", Enc::Utf8), TextFrame("TPE1", std::vector<std::string>{"One", "Two"}, Enc::Utf8),
                  TextFrame("TDRC", "2019-03-14"), CommentFrame("Комментарий", "", Enc::Utf16),
                  UrlFrame("http://a/", "desc", Enc::Utf8), UrlFrame("http://b/")};
    add("v24-utf8.mp3", v24);

    Mp3Spec v24flags = v24;
    v24flags.frames[0].formatFlags = 0x41;  // grouping byte and data length before the content
    v24flags.frames[0].body = std::string("\x07", 1) + Synchsafe(v24flags.frames[0].body.size()) + v24flags.frames[0].body;
    add("v24-frame-flags.mp3", v24flags);

    Mp3Spec v24footer = v24;
    std::string footer = MakeMp3(v24footer);
    footer = WithHeader(footer, 0x10);
    const size_t audio = footer.find("\xFF\xFB");
    footer.insert(audio, "3DI" + footer.substr(3, 7));
    out.emplace_back("v24-footer.mp3", footer);

    Mp3Spec v24unsync = v24;
    out.emplace_back("v24-unsync.mp3", WithHeader(MakeMp3(v24unsync), static_cast<char>(0x80)));

    Mp3Spec v22;
    v22.id3v2Version = 2;
    v22.frames = {AnyFrame("TT2", TextFrame("x", "Title v2.2").body), AnyFrame("TP1", TextFrame("x", "Artist").body),
                  AnyFrame("COM", CommentFrame("Comment").body),
                  AnyFrame("PIC", std::string("\0PNG\x03\0data", 10))};
    add("v22.mp3", v22);

    Mp3Spec utf16;
    utf16.frames = {TextFrame("TIT2", "Юникод", Enc::Utf16), CommentFrame("iTunes data", "iTunNORM", Enc::Utf16),
                    CommentFrame("Plain", "", Enc::Utf16), TextFrame("TCON", "17", Enc::Utf16BE)};
    utf16.padding = 64;
    add("v23-utf16.mp3", utf16);

    Mp3Spec grouped = full;
    grouped.frames[0].formatFlags = 0x20;
    grouped.frames[0].body.insert(0, 1, '\x05');
    grouped.frames[12].formatFlags = 0x80;  // a compressed picture: kept as stored
    add("v23-grouped.mp3", grouped);

    std::string extended = MakeMp3(Mp3Spec{.frames = {TextFrame("TIT2", "Extended")}, .padding = 32});
    out.emplace_back("v23-extended-header.mp3", WithHeader(extended, 0x40, std::string("\0\0\0\x06\0\0\0\0\0\0", 10)));

    Mp3Spec unsync23;
    unsync23.frames = {TextFrame("TIT2", "Sync"), PrivateFrame("ff", std::string("\xFF\x00\xFF\xE0", 4))};
    out.emplace_back("v23-unsync.mp3", WithHeader(MakeMp3(unsync23), static_cast<char>(0x80)));

    // Legacy texts: CP1251 in a Latin-1 frame and in ID3v1, UTF-16 without a byte-order mark, a
    // compressed text frame (16 bytes inflated).
    const std::string groupCrovi = "\xC3\xF0\xF3\xEF\xEF\xE0 \xEA\xF0\xEE\xE2\xE8";
    Mp3Spec legacy;
    const std::string kino = std::string("\x01\x1A\x04\x38\x04\x3D\x04\x3E\x04", 9);
    const std::string deflated("\0\0\0\x10\x78\x9C\x63\x70\xCE\xCF\x2D\x28\x4A\x2D\x2E\x4E\x4D\x51\x38"
                               "\xF5\xE2\xED\x3B\x00\x33\xB6\x07\xC3", 28);
    legacy.frames = {AnyFrame("TIT2", '\0' + groupCrovi), AnyFrame("TPE1", kino), Id3Frame{"TALB", deflated, 0, 0x80},
                     AnyFrame("COMM", std::string("\0eng\0", 5) + groupCrovi)};
    legacy.id3v1 = Id3v1{.title = groupCrovi, .year = "0000", .genre = 17};
    add("v23-legacy.mp3", legacy);

    add("id3v1-only.mp3", Mp3Spec{.id3v2Version = 0, .id3v1 = Id3v1{.title = "Title", .comment = "c", .genre = 9}});
    add("no-tags.mp3", Mp3Spec{.id3v2Version = 0});
    add("tag-only.mp3", Mp3Spec{.frames = {TextFrame("TIT2", "No audio")}, .audioFrames = 0});
    return out;
}

}  // namespace

int main(int argc, char** argv)
{
    if (argc != 2) {
        std::fprintf(stderr, "usage: kestrune-fuzz-seeds OUTDIR\n");
        return 2;
    }
    const std::filesystem::path dir = argv[1];
    std::filesystem::create_directories(dir);
    for (const auto& [name, bytes] : Seeds()) {
        std::ofstream file(dir / name, std::ios::binary | std::ios::trunc);
        file.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
        if (!file) {
            std::fprintf(stderr, "cannot write %s\n", (dir / name).c_str());
            return 1;
        }
    }
    return 0;
}
