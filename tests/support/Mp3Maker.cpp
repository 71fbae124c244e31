#include "support/Mp3Maker.h"

#include <iconv.h>

#include <stdexcept>

namespace kestrune::test {

namespace {

constexpr size_t kFrameBytes = 417;  // MPEG-1 Layer III, 128 kbps, 44.1 kHz, no padding
constexpr size_t kSideInfoEnd = 4 + 32;

std::string Terminator(Enc enc) { return std::string(enc == Enc::Utf16 || enc == Enc::Utf16BE ? 2 : 1, '\0'); }

// n in `bytes` bytes, most significant first, `bits` bits to a byte (7: a synchsafe integer).
std::string BigEndian(unsigned long n, int bytes, int bits = 8)
{
    std::string out;
    for (int i = bytes - 1; i >= 0; --i)
        out += static_cast<char>((n >> (bits * i)) & ((1u << bits) - 1));
    return out;
}

std::string Fixed(const std::string& s, size_t size) { return (s + std::string(size, '\0')).substr(0, size); }

// The encoding byte, then the parts. Bodies are built by appending: GCC 12 at -O3 warns falsely
// (-Wrestrict) when a string is prepended to a temporary one, as `a + f()` may do.
std::string Body(Enc enc, std::initializer_list<std::string> parts)
{
    std::string body(1, static_cast<char>(enc));
    for (const std::string& part : parts)
        body += part;
    return body;
}

}  // namespace

std::string InCodePage(const std::string& utf8, const char* page)
{
    iconv_t cd = ::iconv_open(page, "UTF-8");
    if (cd == reinterpret_cast<iconv_t>(-1))
        throw std::runtime_error(std::string("no iconv for ") + page);
    std::string in = utf8, out(utf8.size() * 4 + 4, '\0');
    char *inPtr = in.data(), *outPtr = out.data();
    size_t inLeft = in.size(), outLeft = out.size();
    const size_t result = ::iconv(cd, &inPtr, &inLeft, &outPtr, &outLeft);
    ::iconv_close(cd);
    if (result == static_cast<size_t>(-1))
        throw std::runtime_error("does not fit " + std::string(page) + ": " + utf8);
    return out.substr(0, out.size() - outLeft);
}

std::string EncodeText(const std::string& utf8, Enc enc)
{
    static const char* const kPages[] = {"ISO-8859-1//TRANSLIT", "UTF-16LE", "UTF-16BE"};
    const std::string mark = enc == Enc::Utf16 ? "\xFF\xFE" : "";
    return enc == Enc::Utf8 ? utf8 : std::string(mark).append(InCodePage(utf8, kPages[int(enc)]));
}

Id3Frame TextFrame(const std::string& id, const std::vector<std::string>& values, Enc enc)
{
    std::string body = Body(enc, {});
    for (size_t i = 0; i < values.size(); ++i)
        body.append(i ? Terminator(enc) : "").append(EncodeText(values[i], enc));
    return {id, body};
}

Id3Frame CommentFrame(const std::string& text, const std::string& description, Enc enc, const std::string& language)
{
    return {"COMM",
            Body(enc, {Fixed(language, 3), EncodeText(description, enc), Terminator(enc), EncodeText(text, enc)})};
}

Id3Frame UrlFrame(const std::string& url, const std::string& description, Enc enc)
{
    return {"WXXX", Body(enc, {EncodeText(description, enc), Terminator(enc), url})};
}

Id3Frame PictureFrame(const std::string& imageBytes, const std::string& mime)
{
    return {"APIC", Body(Enc::Latin1, {mime, std::string(1, '\0'), "\003cover", std::string(1, '\0'), imageBytes})};
}

Id3Frame LyricsFrame(const std::string& lyrics, Enc enc)
{
    return {"USLT", Body(enc, {"eng", Terminator(enc), EncodeText(lyrics, enc)})};
}

Id3Frame UserTextFrame(const std::string& description, const std::string& value)
{
    return {"TXXX", Body(Enc::Latin1, {description, std::string(1, '\0'), value})};
}

Id3Frame PrivateFrame(const std::string& owner, const std::string& data) { return {"PRIV", owner + '\0' + data}; }

std::string MpegAudio(int count)
{
    std::string out;
    for (int n = 0; n < count; ++n) {
        out.append("\xFF\xFB\x90\x00", 4).append(kSideInfoEnd - 4, '\0');  // no side information: silence
        for (size_t i = kSideInfoEnd; i < kFrameBytes; ++i)
            out += static_cast<char>(1 + (i * 7 + static_cast<size_t>(n) * 13) % 250);
    }
    return out;
}

std::string MakeMp3(const Mp3Spec& mp3)
{
    std::string out;
    if (const int v = mp3.id3v2Version; v != 0) {
        if (v < 2 || v > 4)
            throw std::invalid_argument("ID3v2 version must be 2, 3 or 4");
        std::string frames;
        for (const Id3Frame& f : mp3.frames) {
            const std::string size = v == 2 ? BigEndian(f.body.size(), 3) : BigEndian(f.body.size(), 4, v == 4 ? 7 : 8);
            frames += f.id + size + (v == 2 ? "" : std::string{char(f.statusFlags), char(f.formatFlags)}) + f.body;
        }
        frames += std::string(mp3.padding, '\0');
        out = "ID3" + std::string{char(v), 0, 0} + BigEndian(frames.size(), 4, 7) + frames;
    }
    out += MpegAudio(mp3.audioFrames);
    if (const auto& v1 = mp3.id3v1) {
        out += "TAG" + Fixed(v1->title, 30) + Fixed(v1->artist, 30) + Fixed(v1->album, 30) + Fixed(v1->year, 4);
        // A track number makes it ID3v1.1: the comment gives up its last two bytes.
        out += v1->track > 0 ? Fixed(v1->comment, 28) + '\0' + char(v1->track) : Fixed(v1->comment, 30);
        out += char(v1->genre);
    }
    return out;
}

std::string MakeMp3WithTitle(const std::string& title, int id3v2Version)
{
    return MakeMp3({.id3v2Version = id3v2Version, .frames = {TextFrame(id3v2Version == 2 ? "TT2" : "TIT2", title)}});
}

Mp3Parts PartsOf(const std::string& bytes)
{
    size_t start = 0;
    if (bytes.size() >= 10 && bytes.compare(0, 3, "ID3") == 0) {
        unsigned long size = 0;
        for (int i = 6; i < 10; ++i)
            size = (size << 7) | (static_cast<unsigned char>(bytes[i]) & 0x7F);
        start = std::min(bytes.size(), 10 + size + ((bytes[3] == 4 && (bytes[5] & 0x10)) ? 10 : 0));
    }
    const size_t end = bytes.size() >= start + 128 && bytes.compare(bytes.size() - 128, 3, "TAG") == 0
                           ? bytes.size() - 128 : bytes.size();
    return {bytes.substr(0, start), bytes.substr(start, end - start), bytes.substr(end)};
}

}  // namespace kestrune::test
