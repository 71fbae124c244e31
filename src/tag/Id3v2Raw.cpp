#include "tag/Id3v2Raw.h"

#include <taglib/id3v2synchdata.h>

#include <zlib.h>

#include <algorithm>
#include <cctype>
#include <string_view>
#include <utility>

namespace kestrune::tag {

namespace {

using TagLib::ID3v2::SynchData::decode;

constexpr unsigned kHeaderSize = 10;
constexpr unsigned long long kMaxTagSize = 0x0FFFFFFF;  // 28 bits of a synchsafe size
// A compressed text frame inflating past this is taken as damaged (or as a bomb), not read.
constexpr size_t kMaxInflatedSize = 16u << 20;

// Format flags of a frame (second flag byte).
constexpr unsigned char kV23Compressed = 0x80, kV23Encrypted = 0x40, kV23Grouped = 0x20;
constexpr unsigned char kV24Grouped = 0x40, kV24Compressed = 0x08, kV24Encrypted = 0x04, kV24Unsynchronised = 0x02,
                        kV24DataLength = 0x01;

unsigned char ByteAt(const ByteVector& v, unsigned i) { return static_cast<unsigned char>(v[i]); }

bool IsSynchsafe(const ByteVector& v, unsigned offset, unsigned count)
{
    for (unsigned i = 0; i < count; ++i)
        if (ByteAt(v, offset + i) & 0x80)
            return false;
    return true;
}

unsigned long long BigEndian(const ByteVector& v, unsigned offset, unsigned count)
{
    unsigned long long n = 0;
    for (unsigned i = 0; i < count; ++i)
        n = (n << 8) | ByteAt(v, offset + i);
    return n;
}

unsigned long long Synchsafe(const ByteVector& v, unsigned offset)
{
    unsigned long long n = 0;
    for (unsigned i = 0; i < 4; ++i)
        n = (n << 7) | (ByteAt(v, offset + i) & 0x7F);
    return n;
}

ByteVector EncodeBigEndian(unsigned long long n)
{
    ByteVector v(4, '\0');
    for (int i = 3; i >= 0; --i, n >>= 8)
        v[i] = static_cast<char>(n & 0xFF);
    return v;
}

ByteVector EncodeSynchsafe(unsigned long long n)
{
    ByteVector v(4, '\0');
    for (int i = 3; i >= 0; --i, n >>= 7)
        v[i] = static_cast<char>(n & 0x7F);
    return v;
}

bool IsFrameIdChar(unsigned char c) { return (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9'); }

struct Walk {
    std::vector<RawFrame> frames;
    std::string problem;
};

// Splits the frame area into frames. Stops at padding (a zero byte where a frame would start), at the
// end, or at the first frame that cannot be read.
Walk WalkFrames(const ByteVector& body, unsigned pos, int version, bool synchsafeSizes)
{
    const unsigned idSize = version == 2 ? 3 : 4;
    const unsigned headerSize = version == 2 ? 6 : 10;
    Walk walk;
    // Growing the list copies every frame, and a TagLib ByteVector's copy allocates: room for the
    // frames of a usual tag.
    walk.frames.reserve(32);
    while (pos < body.size() && body[pos] != '\0') {
        if (body.size() - pos < headerSize) {
            walk.problem = "damaged frame header at the end of the tag";
            break;
        }
        const ByteVector id = body.mid(pos, idSize);  // const: a changeable TagLib ByteVector copies its shared bytes
        if (!std::all_of(id.begin(), id.end(), [](char c) { return IsFrameIdChar(static_cast<unsigned char>(c)); })) {
            walk.problem = "damaged frame at tag byte " + std::to_string(pos + kHeaderSize);
            break;
        }
        unsigned long long size;
        if (version == 2)
            size = BigEndian(body, pos + 3, 3);
        else if (version == 4 && synchsafeSizes) {
            if (!IsSynchsafe(body, pos + 4, 4)) {
                walk.problem = "frame " + std::string(id.data(), id.size()) + " has a damaged size";
                break;
            }
            size = Synchsafe(body, pos + 4);
        } else
            size = BigEndian(body, pos + 4, 4);
        if (size > body.size() - pos - headerSize) {
            walk.problem = "frame " + std::string(id.data(), id.size()) + " runs past the end of the tag";
            break;
        }
        // Built whole: a default TagLib ByteVector allocates, and a tag is parsed at every load and save.
        const unsigned char status = version > 2 ? ByteAt(body, pos + 8) : 0;
        const unsigned char format = version > 2 ? ByteAt(body, pos + 9) : 0;
        walk.frames.push_back(RawFrame{id, {status, format}, body.mid(pos + headerSize, static_cast<unsigned>(size))});
        pos += headerSize + static_cast<unsigned>(size);
    }
    // Padding is all zeros; anything else there means the frames were split wrongly or more follow.
    if (walk.problem.empty() && std::any_of(body.begin() + std::min<unsigned>(pos, body.size()), body.end(),
                                            [](char c) { return c != '\0'; }))
        walk.problem = "data after the padding at tag byte " + std::to_string(pos + kHeaderSize);
    return walk;
}

// Where the frames start, past an extended header; or an explanation when that header is damaged.
std::pair<unsigned, std::string> FramesStart(const ByteVector& body, int version, unsigned char flags)
{
    if (version == 2 || !(flags & 0x40))
        return {0, {}};
    if (body.size() < 4)
        return {0, "damaged extended header"};
    // v2.3 counts the size without its own four bytes; v2.4 counts them, synchsafe.
    unsigned long long end = version == 3 ? 4 + BigEndian(body, 0, 4) : Synchsafe(body, 0);
    if ((version == 4 && (!IsSynchsafe(body, 0, 4) || end < 6)) || end > body.size())
        return {0, "damaged extended header"};
    return {static_cast<unsigned>(end), {}};
}

// Unsynchronisation: a zero after every 0xFF that is followed by a zero or by 0xE0 or above, and after
// a final 0xFF.
ByteVector Unsynchronise(const ByteVector& data)
{
    std::string out;
    out.reserve(data.size() + data.size() / 64 + 1);
    for (unsigned i = 0; i < data.size(); ++i) {
        out += data[i];
        if (ByteAt(data, i) == 0xFF && (i + 1 == data.size() || ByteAt(data, i + 1) >= 0xE0 || data[i + 1] == '\0'))
            out += '\0';
    }
    return ByteVector(out.data(), static_cast<unsigned>(out.size()));
}

// v2.2 frames and their v2.3 names; their content is laid out alike. PIC is converted separately.
constexpr std::pair<std::string_view, std::string_view> kV22Names[] = {
    {"BUF", "RBUF"}, {"CNT", "PCNT"}, {"COM", "COMM"}, {"CRA", "AENC"}, {"EQU", "EQUA"}, {"ETC", "ETCO"},
    {"GEO", "GEOB"}, {"IPL", "IPLS"}, {"MCI", "MCDI"}, {"MLL", "MLLT"}, {"POP", "POPM"}, {"REV", "RVRB"},
    {"RVA", "RVAD"}, {"SLT", "SYLT"}, {"STC", "SYTC"}, {"TAL", "TALB"}, {"TBP", "TBPM"}, {"TCM", "TCOM"},
    {"TCO", "TCON"}, {"TCP", "TCMP"}, {"TCR", "TCOP"}, {"TDA", "TDAT"}, {"TDY", "TDLY"}, {"TEN", "TENC"},
    {"TFT", "TFLT"}, {"TIM", "TIME"}, {"TKE", "TKEY"}, {"TLA", "TLAN"}, {"TLE", "TLEN"}, {"TMT", "TMED"},
    {"TOA", "TOPE"}, {"TOF", "TOFN"}, {"TOL", "TOLY"}, {"TOR", "TORY"}, {"TOT", "TOAL"}, {"TP1", "TPE1"},
    {"TP2", "TPE2"}, {"TP3", "TPE3"}, {"TP4", "TPE4"}, {"TPA", "TPOS"}, {"TPB", "TPUB"}, {"TRC", "TSRC"},
    {"TRD", "TRDA"}, {"TRK", "TRCK"}, {"TS2", "TSO2"}, {"TSA", "TSOA"}, {"TSC", "TSOC"}, {"TSI", "TSIZ"},
    {"TSP", "TSOP"}, {"TSS", "TSSE"}, {"TST", "TSOT"}, {"TT1", "TIT1"}, {"TT2", "TIT2"}, {"TT3", "TIT3"},
    {"TXT", "TEXT"}, {"TXX", "TXXX"}, {"TYE", "TYER"}, {"UFI", "UFID"}, {"ULT", "USLT"}, {"WAF", "WOAF"},
    {"WAR", "WOAR"}, {"WAS", "WOAS"}, {"WCM", "WCOM"}, {"WCP", "WCOP"}, {"WPB", "WPUB"}, {"WXX", "WXXX"},
};

// PIC names the image format in three letters where APIC has a MIME type.
ByteVector PictureToV23(const ByteVector& pic)
{
    std::string format(pic.data() + 1, 3);
    std::string mime;
    if (format == "JPG")
        mime = "image/jpeg";
    else if (format == "-->")
        mime = format;
    else {
        std::string lower;
        for (char c : format)
            if (c != '\0' && c != ' ')
                lower += static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
        mime = "image/" + lower;
    }
    ByteVector out = pic.mid(0, 1);
    out.append(ByteVector(mime.data(), static_cast<unsigned>(mime.size())));
    out.append('\0');
    out.append(pic.mid(4));
    return out;
}

// The zlib stream `data` inflated, or nothing when it is damaged, cut short or too large.
std::optional<ByteVector> Inflate(const ByteVector& data)
{
    z_stream stream{};
    if (inflateInit(&stream) != Z_OK)
        return std::nullopt;
    stream.next_in = reinterpret_cast<Bytef*>(const_cast<char*>(data.data()));
    stream.avail_in = data.size();
    std::string out;
    int result = Z_OK;
    char chunk[16384];
    while (result == Z_OK && out.size() <= kMaxInflatedSize) {
        stream.next_out = reinterpret_cast<Bytef*>(chunk);
        stream.avail_out = sizeof chunk;
        result = ::inflate(&stream, Z_NO_FLUSH);
        out.append(chunk, sizeof chunk - stream.avail_out);
    }
    inflateEnd(&stream);
    if (result != Z_STREAM_END || out.size() > kMaxInflatedSize)
        return std::nullopt;
    return ByteVector(out.data(), static_cast<unsigned>(out.size()));
}

}  // namespace

unsigned long long Id3v2RegionSize(const ByteVector& head)
{
    if (head.size() < kHeaderSize || !head.startsWith("ID3"))
        return 0;
    if (!IsSynchsafe(head, 6, 4))
        return kHeaderSize;
    const bool footer = ByteAt(head, 3) == 4 && (ByteAt(head, 5) & 0x10);
    return kHeaderSize + Synchsafe(head, 6) + (footer ? kHeaderSize : 0);
}

RawTag ParseId3v2(const ByteVector& region)
{
    RawTag tag;
    if (region.size() < kHeaderSize || !region.startsWith("ID3"))
        return tag;
    const int major = ByteAt(region, 3);
    const unsigned char flags = ByteAt(region, 5);
    tag.version = major;
    if (major < 2 || major > 4) {
        tag.problem = "unknown ID3v2 version 2." + std::to_string(major);
        tag.unsupported = true;
        return tag;
    }
    if (!IsSynchsafe(region, 6, 4)) {
        tag.problem = "damaged tag header";
        return tag;
    }
    if (major == 2 && (flags & 0x40)) {
        tag.problem = "compressed ID3v2.2 tag";
        tag.unsupported = true;
        return tag;
    }
    const unsigned long long size = Synchsafe(region, 6);
    // The region must hold the whole tag, a v2.4 footer included: a save puts the audio after it.
    const unsigned footer = major == 4 && (flags & 0x10) ? kHeaderSize : 0;
    std::string truncated;
    if (region.size() - kHeaderSize < size + footer)
        truncated = "tag size past the end of the file";
    ByteVector body = region.mid(kHeaderSize, static_cast<unsigned>(std::min<unsigned long long>(size, region.size())));

    tag.unsynchronised = flags & 0x80;
    if (tag.unsynchronised && major < 4) {
        body = decode(body);  // v2.2 and v2.3 unsynchronise the whole tag
        tag.unsynchronised = false;
    }
    auto [start, headerProblem] = FramesStart(body, major, flags);
    if (!headerProblem.empty()) {
        tag.problem = headerProblem;
        return tag;
    }
    Walk walk = WalkFrames(body, start, major, true);
    if (major == 4 && !walk.problem.empty()) {
        // Some writers (old iTunes among them) store v2.4 frame sizes as plain integers.
        Walk plain = WalkFrames(body, start, major, false);
        if (plain.problem.empty())
            walk = std::move(plain);
    }
    tag.frames = std::move(walk.frames);
    tag.problem = truncated.empty() ? walk.problem : truncated;
    return tag;
}

void UpgradeV22(RawTag& tag)
{
    if (tag.version != 2)
        return;
    tag.version = 3;
    for (RawFrame& frame : tag.frames) {
        const std::string_view id(frame.id.data(), frame.id.size());
        if (id == "PIC" && frame.data.size() >= 5) {
            frame.id = "APIC";
            frame.data = PictureToV23(frame.data);
            continue;
        }
        auto it = std::find_if(std::begin(kV22Names), std::end(kV22Names), [&](const auto& p) { return p.first == id; });
        if (it == std::end(kV22Names)) {
            if (tag.problem.empty()) {
                tag.problem = "would lose frame " + std::string(id);
                tag.unsupported = true;
            }
            continue;
        }
        frame.id = ByteVector(it->second.data(), static_cast<unsigned>(it->second.size()));
    }
}

bool ContentIsData(const RawFrame& frame, const RawTag& tag)
{
    return frame.flags[1] == 0 && !(tag.version == 4 && tag.unsynchronised);
}

std::optional<ByteVector> FrameContent(const RawFrame& frame, const RawTag& tag)
{
    const unsigned char format = frame.flags[1];
    unsigned skip = 0;
    bool unsynchronised = false, compressed = false;
    if (tag.version == 3) {
        if (format & kV23Encrypted)
            return std::nullopt;
        compressed = format & kV23Compressed;
        // After the header: the inflated size when compressed, then the group byte.
        skip = (compressed ? 4 : 0) + ((format & kV23Grouped) ? 1 : 0);
    } else if (tag.version == 4) {
        if (format & kV24Encrypted)
            return std::nullopt;
        compressed = format & kV24Compressed;
        skip = ((format & kV24Grouped) ? 1 : 0) + ((format & kV24DataLength) ? 4 : 0);
        unsynchronised = tag.unsynchronised || (format & kV24Unsynchronised);
    }
    if (skip > frame.data.size())
        return std::nullopt;
    ByteVector content = frame.data.mid(skip);
    if (unsynchronised)
        content = decode(content);
    return compressed ? Inflate(content) : content;
}

RawFrame MakeRawFrame(const ByteVector& id, const ByteVector& content, int version, bool unsynchronised)
{
    if (version == 4 && unsynchronised)
        return RawFrame{id, {0, kV24Unsynchronised}, Unsynchronise(content)};
    return RawFrame{id, {0, 0}, content};
}

ByteVector RenderId3v2(const RawTag& tag, unsigned long long regionSize, unsigned growPadding)
{
    unsigned long long needed = kHeaderSize;
    for (const RawFrame& f : tag.frames)
        needed += kHeaderSize + f.data.size();
    const unsigned long long total = needed <= regionSize ? regionSize : needed + growPadding;
    if (total - kHeaderSize > kMaxTagSize)
        return {};
    // One buffer, filled in place: a tag with a picture is hundreds of kilobytes.
    ByteVector out(static_cast<unsigned>(total), '\0');
    char* at = out.data();
    auto put = [&](const ByteVector& bytes) { at = std::copy(bytes.begin(), bytes.end(), at); };
    put(ByteVector("ID3"));
    *at++ = static_cast<char>(tag.version);
    *at++ = '\0';
    *at++ = static_cast<char>(tag.version == 4 && tag.unsynchronised ? 0x80 : 0);
    put(EncodeSynchsafe(total - kHeaderSize));
    for (const RawFrame& f : tag.frames) {
        put(f.id);
        put(tag.version == 4 ? EncodeSynchsafe(f.data.size()) : EncodeBigEndian(f.data.size()));
        *at++ = static_cast<char>(f.flags[0]);
        *at++ = static_cast<char>(f.flags[1]);
        put(f.data);
    }
    return out;
}

bool SameFrame(const RawFrame& a, const RawFrame& b)
{
    return a.id == b.id && a.flags[0] == b.flags[0] && a.flags[1] == b.flags[1] && a.data == b.data;
}

}  // namespace kestrune::tag
