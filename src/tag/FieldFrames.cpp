#include "tag/FieldFrames.h"

#include "tag/SingleByteText.h"
#include "tag/TagFields.h"

#include <taglib/commentsframe.h>
#include <taglib/id3v2synchdata.h>
#include <taglib/textidentificationframe.h>
#include <taglib/urllinkframe.h>

#include <algorithm>
#include <cstdio>

namespace kestrune::tag {

namespace {

using TagLib::String;
using TagLib::ID3v2::CommentsFrame;
using TagLib::ID3v2::TextIdentificationFrame;
using TagLib::ID3v2::UserUrlLinkFrame;

constexpr const char* kValueSeparator = "; ";
// iTunes stores gapless and volume data in COMM frames described "iTunNORM", "iTunSMPB" and so on.
constexpr const char* kMachineCommentPrefix = "iTun";

bool IsId(const ByteVector& id, std::string_view name)
{
    return id.size() == name.size() && std::equal(name.begin(), name.end(), id.data());
}

String FromUtf8(const std::string& text) { return String(text, String::UTF8); }

// A text TagLib read from single-byte bytes (as Latin-1), read by the rule instead.
std::string SingleByteText(const String& read) { return DecodeSingleByte(read.to8Bit(false)); }

std::string Utf8Text(const String& text, String::Type encoding)
{
    return encoding == String::Latin1 ? SingleByteText(text) : text.to8Bit(true);
}

// A frame's description (COMM, WXXX) stays Latin-1 when the frame was, so its bytes stay; it becomes
// Unicode when it would not read back from Latin-1 bytes.
bool DescriptionKeepsLatin1(const String& description, String::Type encoding)
{
    return encoding == String::Latin1 || Latin1ReadsBack(description.to8Bit(true));
}

String DescriptionAsUnicode(const String& description, String::Type encoding)
{
    return encoding == String::Latin1 ? FromUtf8(SingleByteText(description)) : description;
}

ByteVector BytesOf(std::string_view text) { return ByteVector(text.data(), static_cast<unsigned>(text.size())); }

// Some writers leave out the byte-order mark of UTF-16 strings, and TagLib then reads nothing: each
// string of the content that lacks one gets the mark of the byte order it reads better in.
ByteVector WithByteOrderMarks(const ByteVector& id, const ByteVector& content)
{
    if (content.isEmpty() || content[0] != static_cast<char>(String::UTF16))
        return content;
    const unsigned start = IsId(id, "COMM") ? 4 : 1;  // past the encoding, and COMM's language
    const bool descriptionOnly = IsId(id, "WXXX");     // its URL is always Latin-1
    if (content.size() < start)
        return content;
    ByteVector out = content.mid(0, start);
    unsigned pos = start;
    while (pos < content.size()) {
        unsigned end = pos;
        while (end + 1 < content.size() && !(content[end] == '\0' && content[end + 1] == '\0'))
            end += 2;
        if (end + 1 >= content.size())
            end = content.size();
        const ByteVector text = content.mid(pos, end - pos);
        if (!text.isEmpty() && !text.startsWith(BytesOf("\xFF\xFE")) && !text.startsWith(BytesOf("\xFE\xFF")))
            out.append(Utf16ReadsBigEndian(std::string_view(text.data(), text.size())) ? BytesOf("\xFE\xFF")
                                                                                      : BytesOf("\xFF\xFE"));
        out.append(text);
        if (end >= content.size())
            break;
        out.append(content.mid(end, 2));
        pos = end + 2;
        if (descriptionOnly) {
            out.append(content.mid(pos));
            break;
        }
    }
    return out;
}

String::Type UnicodeFor(bool latin1) { return latin1 ? String::Latin1 : String::UTF8; }

// The encoding a frame has, and a way to change it, whatever kind of field frame it is.
String::Type EncodingOf(const Frame& frame)
{
    if (auto* t = dynamic_cast<const TextIdentificationFrame*>(&frame))
        return t->textEncoding();
    if (auto* c = dynamic_cast<const CommentsFrame*>(&frame))
        return c->textEncoding();
    if (auto* u = dynamic_cast<const UserUrlLinkFrame*>(&frame))
        return u->textEncoding();
    return String::Latin1;
}

void SetEncoding(Frame& frame, String::Type encoding)
{
    if (auto* t = dynamic_cast<TextIdentificationFrame*>(&frame))
        t->setTextEncoding(encoding);
    else if (auto* c = dynamic_cast<CommentsFrame*>(&frame))
        c->setTextEncoding(encoding);
    else if (auto* u = dynamic_cast<UserUrlLinkFrame*>(&frame))
        u->setTextEncoding(encoding);
}

}  // namespace

bool IsFieldFrameId(const ByteVector& id)
{
    return std::any_of(kTagFields.begin(), kTagFields.end(),
                       [&](const TagField& f) { return IsId(id, f.frameId23) || IsId(id, f.frameId24); });
}

std::unique_ptr<Frame> MakeFieldFrame(const ByteVector& id, const ByteVector& stored)
{
    if (!stored.isEmpty() && static_cast<unsigned char>(stored[0]) > String::UTF8)
        return nullptr;
    const ByteVector content = WithByteOrderMarks(id, stored);
    // The frame classes read a v2.4 frame: give the content a plain v2.4 header.
    ByteVector data(Frame::headerSize() + content.size(), '\0');
    std::copy(id.begin(), id.end(), data.begin());
    const ByteVector size = TagLib::ID3v2::SynchData::fromUInt(content.size());
    std::copy(size.begin(), size.end(), data.begin() + 4);
    std::copy(content.begin(), content.end(), data.begin() + Frame::headerSize());
    if (IsId(id, "COMM"))
        return std::make_unique<CommentsFrame>(data);
    if (IsId(id, "WXXX"))
        return std::make_unique<UserUrlLinkFrame>(data);
    return std::make_unique<TextIdentificationFrame>(data);
}

std::unique_ptr<Frame> NewFieldFrame(const ByteVector& id)
{
    if (IsId(id, "COMM")) {
        auto comment = std::make_unique<CommentsFrame>(String::Latin1);
        comment->setLanguage("eng");
        return comment;
    }
    if (IsId(id, "WXXX"))
        return std::make_unique<UserUrlLinkFrame>(String::Latin1);
    auto text = std::make_unique<TextIdentificationFrame>(id, String::Latin1);
    text->setText(String());
    return text;
}

Frame* FindFieldFrame(const TagLib::ID3v2::Tag& tag, const ByteVector& id)
{
    const auto& map = tag.frameListMap();
    auto it = map.find(id);
    if (it == map.end() || it->second.isEmpty())
        return nullptr;
    const auto& frames = it->second;
    if (IsId(id, "COMM")) {
        auto description = [](Frame* f) { return static_cast<CommentsFrame*>(f)->description(); };
        auto plain = std::find_if(frames.begin(), frames.end(), [&](Frame* f) { return description(f).isEmpty(); });
        if (plain == frames.end())
            plain = std::find_if(frames.begin(), frames.end(),
                                 [&](Frame* f) { return !description(f).startsWith(kMachineCommentPrefix); });
        return plain == frames.end() ? nullptr : *plain;
    }
    if (IsId(id, "WXXX")) {
        auto plain = std::find_if(frames.begin(), frames.end(), [](Frame* f) {
            return static_cast<UserUrlLinkFrame*>(f)->description().isEmpty();
        });
        return plain == frames.end() ? frames.front() : *plain;
    }
    return frames.front();
}

std::string FieldText(const Frame& frame)
{
    if (auto* t = dynamic_cast<const TextIdentificationFrame*>(&frame))
        return Utf8Text(t->fieldList().toString(kValueSeparator), t->textEncoding());
    if (auto* c = dynamic_cast<const CommentsFrame*>(&frame))
        return Utf8Text(c->text(), c->textEncoding());
    if (auto* u = dynamic_cast<const UserUrlLinkFrame*>(&frame))
        return SingleByteText(u->url());  // the URL is single-byte whatever the frame's encoding
    return {};
}

bool HoldsLegacyText(const Frame& frame)
{
    String text;
    if (auto* t = dynamic_cast<const TextIdentificationFrame*>(&frame))
        text = t->textEncoding() == String::Latin1 ? t->fieldList().toString(kValueSeparator) : String();
    else if (auto* c = dynamic_cast<const CommentsFrame*>(&frame))
        text = c->textEncoding() == String::Latin1 ? c->text() : String();
    else if (auto* u = dynamic_cast<const UserUrlLinkFrame*>(&frame))
        text = u->url();
    const std::string bytes = text.to8Bit(false);
    return std::any_of(bytes.begin(), bytes.end(), [](char b) { return static_cast<unsigned char>(b) >= 0x80; });
}

void SetFieldText(Frame& frame, const std::string& text)
{
    const String value = FromUtf8(text);
    if (auto* t = dynamic_cast<TextIdentificationFrame*>(&frame)) {
        t->setText(value);
        t->setTextEncoding(UnicodeFor(Latin1ReadsBack(text)));
    } else if (auto* c = dynamic_cast<CommentsFrame*>(&frame)) {
        const String::Type was = c->textEncoding();
        const bool latin1 = Latin1ReadsBack(text) && DescriptionKeepsLatin1(c->description(), was);
        if (!latin1)
            c->setDescription(DescriptionAsUnicode(c->description(), was));
        c->setText(value);
        c->setTextEncoding(UnicodeFor(latin1));
    } else if (auto* u = dynamic_cast<UserUrlLinkFrame*>(&frame)) {
        const String::Type was = u->textEncoding();
        const bool latin1 = DescriptionKeepsLatin1(u->description(), was);
        if (!latin1)
            u->setDescription(DescriptionAsUnicode(u->description(), was));
        u->setUrl(String(PercentEncode(text), String::Latin1));
        u->setTextEncoding(UnicodeFor(latin1));
    }
}

ByteVector RenderFieldContent(Frame& frame, int version)
{
    const String::Type encoding = EncodingOf(frame);
    if (version < 4 && (encoding == String::UTF8 || encoding == String::UTF16BE))
        SetEncoding(frame, String::UTF16);  // v2.3 knows only Latin-1 and UTF-16 with a byte order mark
    return frame.render().mid(Frame::headerSize());
}

std::string PercentEncode(const std::string& url)
{
    std::string out;
    out.reserve(url.size());
    for (unsigned char c : url) {
        if (c < 0x20 || c >= 0x7F) {
            char hex[4];
            std::snprintf(hex, sizeof hex, "%%%02X", c);
            out += hex;
        } else
            out += static_cast<char>(c);
    }
    return out;
}

}  // namespace kestrune::tag
