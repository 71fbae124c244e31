#include "support/Mp3Maker.h"

#include <iconv.h>

#include <initializer_list>
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

std::string RenderId3v1(const Id3v1& v1)
{
    std::string out = "TAG" + Fixed(v1.title, 30) + Fixed(v1.artist, 30) + Fixed(v1.album, 30) + Fixed(v1.year, 4);
    if (v1.track > 0)
        out += Fixed(v1.comment, 28) + '\0' + static_cast<char>(v1.track);
    else
        out += Fixed(v1.comment, 30);
    return out + static_cast<char>(v1.genre);
}

}  // namespace

std::string InCodePage(const std::string& utf8, const char* page)
{
    iconv_t cd = ::iconv_open(page, "UTF-8");
    if (cd == reinterpret_cast<iconv_t>(-1))
        throw std::runtime_error(std::string("no iconv for ") + page);
    std::string in = utf8, out(utf8.size() * 4 + 4, '\0');
    char* inPtr = in.data();
    char* outPtr = out.data();
    size_t inLeft = in.size(), outLeft = out.size();
    const size_t result = ::iconv(cd, &inPtr, &inLeft, &outPtr, &outLeft);
    ::iconv_close(cd);
    if (result == static_cast<size_t>(-1))
        throw std::runtime_error("does not fit " + std::string(page) + ": " + utf8);
    out.resize(out.size() - outLeft);
    return out;
}

std::string EncodeText(const std::string& utf8, Enc enc)
{
    switch (enc) {
    case Enc::Latin1:
        return InCodePage(utf8, "ISO-8859-1//TRANSLIT");
    case Enc::Utf16:
        return "\xFF\xFE" + InCodePage(utf8, "UTF-16LE");
    case Enc::Utf16BE:
        return InCodePage(utf8, "UTF-16BE");
    case Enc::Utf8:
        break;
    }
    return utf8;
}

Id3Frame TextFrame(const std::string& id, const std::string& text, Enc enc)
{
    return TextFrame(id, std::vector<std::string>{text}, enc);
}

// The encoding byte, then the parts. Bodies are built by appending: GCC 12 at -O3 warns falsely
// (-Wrestrict) when a string is prepended to a temporary one, as `a + f()` may do.
std::string Body(Enc enc, std::initializer_list<std::string> parts)
{
    std::string body(1, static_cast<char>(enc));
    for (const std::string& part : parts)
        body += part;
    return body;
}

Id3Frame TextFrame(const std::string& id, const std::vector<std::string>& values, Enc enc)
{
    std::string body = Body(enc, {});
    for (size_t i = 0; i < values.size(); ++i) {
        if (i)
            body += Terminator(enc);
        body += EncodeText(values[i], enc);
    }
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
    return {"APIC", std::string(1, '\0') + mime + '\0' + '\x03' + "cover" + '\0' + imageBytes};
}

Id3Frame LyricsFrame(const std::string& lyrics, Enc enc)
{
    return {"USLT", Body(enc, {"eng", Terminator(enc), EncodeText(lyrics, enc)})};
}

Id3Frame UserTextFrame(const std::string& description, const std::string& value)
{
    return {"TXXX", std::string(1, '\0') + description + '\0' + value};
}

Id3Frame PrivateFrame(const std::string& owner, const std::string& data) { return {"PRIV", owner + '\0' + data}; }

Id3Frame AnyFrame(const std::string& id, const std::string& body) { return {id, body}; }

std::string MpegAudio(int count)
{
    std::string out;
    for (int n = 0; n < count; ++n) {
        std::string frame("\xFF\xFB\x90\x00", 4);
        frame.resize(kSideInfoEnd, '\0');  // side information of zeros: nothing to decode, silence
        for (size_t i = kSideInfoEnd; i < kFrameBytes; ++i)
            frame += static_cast<char>(1 + (i * 7 + static_cast<size_t>(n) * 13) % 250);
        out += frame;
    }
    return out;
}

std::string MakeMp3(const Mp3Spec& mp3)
{
    std::string out;
    if (mp3.id3v2Version != 0) {
        const int v = mp3.id3v2Version;
        if (v < 2 || v > 4)
            throw std::invalid_argument("ID3v2 version must be 2, 3 or 4");
        std::string frames;
        for (const Id3Frame& f : mp3.frames) {
            if (v == 2)
                frames += f.id + BigEndian(f.body.size(), 3);
            else
                frames += f.id + (v == 4 ? BigEndian(f.body.size(), 4, 7) : BigEndian(f.body.size(), 4)) +
                          static_cast<char>(f.statusFlags) + static_cast<char>(f.formatFlags);
            frames += f.body;
        }
        frames += std::string(mp3.padding, '\0');
        out = "ID3" + std::string(1, static_cast<char>(v)) + std::string(2, '\0') + BigEndian(frames.size(), 4, 7) +
              frames;
    }
    out += MpegAudio(mp3.audioFrames);
    if (mp3.id3v1)
        out += RenderId3v1(*mp3.id3v1);
    return out;
}

std::string MakeMp3WithTitle(const std::string& title, int id3v2Version)
{
    Mp3Spec mp3;
    mp3.id3v2Version = id3v2Version;
    mp3.frames = {id3v2Version == 2 ? AnyFrame("TT2", TextFrame("TIT2", title).body) : TextFrame("TIT2", title)};
    return MakeMp3(mp3);
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
