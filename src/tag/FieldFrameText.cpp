#include "tag/FieldFrameText.h"

#include "tag/SingleByteText.h"

#include <QString>
#include <QStringDecoder>
#include <QStringView>

#include <algorithm>
#include <vector>

namespace kestrune::tag {

namespace {

// The text encodings of a frame's first byte, and TagLib's fifth for strings whose first string set
// the byte order.
enum Encoding : unsigned char { kLatin1 = 0, kUtf16 = 1, kUtf16Be = 2, kUtf8 = 3, kUtf16Le = 4 };

constexpr std::u16string_view kValueSeparator = u"; ";
constexpr std::u16string_view kMachineCommentPrefix = u"iTun";  // iTunes keeps gapless and volume data so

unsigned char ByteAt(std::string_view bytes, size_t i) { return static_cast<unsigned char>(bytes[i]); }

bool IsWide(unsigned char encoding) { return encoding == kUtf16 || encoding == kUtf16Be; }

// Where the next string ends: a zero byte, or for UTF-16 two zero bytes at an even distance from `from`.
size_t FindDelimiter(std::string_view bytes, size_t from, bool wide)
{
    if (!wide)
        return bytes.find('\0', from);
    for (size_t i = from; i + 1 < bytes.size(); i += 2)
        if (bytes[i] == '\0' && bytes[i + 1] == '\0')
            return i;
    return std::string_view::npos;
}

// The strings between delimiters, empty ones included, as TagLib's ByteVectorList::split gives them;
// `max` (when not 0) stops splitting, the last string taking the rest.
std::vector<std::string_view> Split(std::string_view bytes, bool wide, size_t max = 0)
{
    std::vector<std::string_view> strings;
    const size_t delimiter = wide ? 2 : 1;
    size_t previous = 0;
    for (size_t at = FindDelimiter(bytes, 0, wide); at != std::string_view::npos && (max == 0 || max > strings.size() + 1);
         at = FindDelimiter(bytes, at + delimiter, wide)) {
        strings.push_back(bytes.substr(previous, at - previous));
        previous = at + delimiter;
    }
    if (previous < bytes.size())
        strings.push_back(bytes.substr(previous));
    return strings;
}

// A string as TagLib's String holds it: UTF-16 units, cut at the first zero unit; empty when UTF-8 is
// not valid or a UTF-16 string (encoding 1) does not start with a byte-order mark. A last odd byte of
// UTF-16 is dropped.
std::u16string Units(std::string_view bytes, unsigned char encoding)
{
    std::u16string units;
    if (encoding == kLatin1)
        for (char b : bytes)
            units += static_cast<char16_t>(static_cast<unsigned char>(b));
    else if (encoding == kUtf8) {
        // Qt's decoder refuses what TagLib's does (overlong forms, surrogates, code points past
        // U+10FFFF, a cut sequence); TagLib keeps a leading byte-order mark.
        QStringDecoder decoder(QStringDecoder::Utf8,
                               QStringDecoder::Flag::Stateless | QStringDecoder::Flag::ConvertInitialBom);
        const QString text = decoder(QByteArrayView(bytes.data(), static_cast<qsizetype>(bytes.size())));
        if (!decoder.hasError())
            units.assign(reinterpret_cast<const char16_t*>(text.utf16()), static_cast<size_t>(text.size()));
    } else {
        size_t start = 0;
        bool big = encoding == kUtf16Be;
        if (encoding == kUtf16) {
            if (bytes.size() < 2 || !((ByteAt(bytes, 0) == 0xFF && ByteAt(bytes, 1) == 0xFE) ||
                                      (ByteAt(bytes, 0) == 0xFE && ByteAt(bytes, 1) == 0xFF)))
                return units;
            big = ByteAt(bytes, 0) == 0xFE;
            start = 2;
        }
        for (size_t i = start; i + 1 < bytes.size(); i += 2)
            units += static_cast<char16_t>(big ? (ByteAt(bytes, i) << 8) | ByteAt(bytes, i + 1)
                                               : ByteAt(bytes, i) | (ByteAt(bytes, i + 1) << 8));
    }
    units.resize(std::min(units.size(), units.find(u'\0')));
    return units;
}

// UTF-16 units as UTF-8; empty when a surrogate is not half of a pair, as TagLib gives it (Qt would
// write U+FFFD).
std::string Utf8Of(std::u16string_view units)
{
    for (size_t i = 0; i < units.size(); ++i) {
        if (QChar::isLowSurrogate(units[i]))
            return {};
        if (QChar::isHighSurrogate(units[i]) && !(i + 1 < units.size() && QChar::isLowSurrogate(units[++i])))
            return {};
    }
    return QStringView(units.data(), static_cast<qsizetype>(units.size())).toUtf8().toStdString();
}

// Single-byte text (a Latin-1 frame's, a URL) cut at its first zero and read by the rule.
void SetSingleByteText(FieldFrameText& read, std::string_view bytes)
{
    bytes = bytes.substr(0, bytes.find('\0'));
    read.text = DecodeSingleByte(bytes);
    read.legacy = !IsAscii(bytes);
}

// A text information frame: its values, each string between delimiters that is not empty, joined.
FieldFrameText ReadText(std::string_view content)
{
    FieldFrameText read;
    if (content.size() < 2)
        return read;
    const unsigned char encoding = ByteAt(content, 0);
    const size_t align = IsWide(encoding) ? 2 : 1;
    // Past the last byte that is not zero, rounded up to whole characters.
    size_t length = content.size() - 1;
    while (length > 0 && content[length] == '\0')
        --length;
    length += (align - length % align) % align;
    std::vector<std::string_view> values = Split(content.substr(1, length), IsWide(encoding));
    values.erase(std::remove_if(values.begin(), values.end(), [](std::string_view v) { return v.empty(); }), values.end());
    if (encoding == kLatin1) {
        std::string joined;
        for (size_t i = 0; i < values.size(); ++i)
            joined.append(i ? "; " : "").append(values[i]);
        SetSingleByteText(read, joined);
        return read;
    }
    std::u16string joined;
    unsigned firstMark = 0;
    for (size_t i = 0; i < values.size(); ++i) {
        unsigned char valueEncoding = encoding;
        const unsigned mark = values[i].size() >= 2 ? (ByteAt(values[i], 0) << 8) | ByteAt(values[i], 1) : 0;
        // A later UTF-16 value without a byte-order mark is read in the first value's byte order.
        if (encoding == kUtf16 && i == 0)
            firstMark = mark;
        else if (encoding == kUtf16 && mark != 0xFEFF && mark != 0xFFFE)
            valueEncoding = firstMark == 0xFEFF ? kUtf16Be : firstMark == 0xFFFE ? kUtf16Le : kUtf16;
        joined.append(i ? kValueSeparator : u"").append(Units(values[i], valueEncoding));
    }
    read.text = Utf8Of(joined);
    return read;
}

// COMM: encoding, language, a description and the text.
FieldFrameText ReadComment(std::string_view content)
{
    FieldFrameText read;
    if (content.size() < 5)
        return read;
    const unsigned char encoding = ByteAt(content, 0);
    const std::vector<std::string_view> parts = Split(content.substr(4), IsWide(encoding), 2);
    if (parts.size() != 2)
        return read;
    const std::u16string description = Units(parts[0], encoding);
    read.described = !description.empty();
    read.machineComment = description.starts_with(kMachineCommentPrefix);
    if (encoding == kLatin1)
        SetSingleByteText(read, parts[1]);
    else
        read.text = Utf8Of(Units(parts[1], encoding));
    return read;
}

// WXXX: encoding, a description, then the URL, always single-byte. Without the end of a description,
// TagLib takes all of the content for the URL.
FieldFrameText ReadUserUrl(std::string_view content)
{
    FieldFrameText read;
    const unsigned char encoding = content.empty() ? 0 : ByteAt(content, 0);
    const std::string_view rest = content.substr(std::min<size_t>(1, content.size()));
    const size_t end = content.size() < 2 ? std::string_view::npos : FindDelimiter(rest, 0, IsWide(encoding));
    if (end == std::string_view::npos) {
        SetSingleByteText(read, content);
        return read;
    }
    read.described = !Units(rest.substr(0, end), encoding).empty();
    SetSingleByteText(read, rest.substr(end + (IsWide(encoding) ? 2 : 1)));
    return read;
}

}  // namespace

std::string WithByteOrderMarks(std::string_view id, std::string_view content)
{
    std::string out(content);
    if (content.empty() || ByteAt(content, 0) != kUtf16)
        return out;
    const size_t start = id == "COMM" ? 4 : 1;  // past the encoding, and COMM's language
    const bool descriptionOnly = id == "WXXX";  // its URL is always Latin-1
    if (content.size() < start)
        return out;
    out.assign(content.substr(0, start));
    size_t pos = start;
    while (pos < content.size()) {
        size_t end = pos;
        while (end + 1 < content.size() && !(content[end] == '\0' && content[end + 1] == '\0'))
            end += 2;
        if (end + 1 >= content.size())
            end = content.size();
        const std::string_view text = content.substr(pos, end - pos);
        if (!text.empty() && !text.starts_with("\xFF\xFE") && !text.starts_with("\xFE\xFF"))
            out += Utf16ReadsBigEndian(text) ? "\xFE\xFF" : "\xFF\xFE";
        out += text;
        if (end >= content.size())
            break;
        out += content.substr(end, 2);
        pos = end + 2;
        if (descriptionOnly) {
            out += content.substr(pos);
            break;
        }
    }
    return out;
}

std::optional<FieldFrameText> ReadFieldFrame(std::string_view id, std::string_view stored)
{
    if (!stored.empty() && ByteAt(stored, 0) > kUtf8)
        return std::nullopt;
    std::string marked;
    std::string_view content = stored;
    if (!stored.empty() && ByteAt(stored, 0) == kUtf16)
        content = marked = WithByteOrderMarks(id, stored);
    if (id == "COMM")
        return ReadComment(content);
    if (id == "WXXX")
        return ReadUserUrl(content);
    return ReadText(content);
}

}  // namespace kestrune::tag
