#include "tag/FieldFrames.h"

#include "tag/FieldFrameText.h"
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

String FromUtf8(const std::string& text) { return String(text, String::UTF8); }

// A text TagLib read from single-byte bytes (as Latin-1), read by the rule instead.
std::string SingleByteText(const String& read) { return DecodeSingleByte(read.to8Bit(false)); }

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

std::string_view FieldFrameId(std::string_view id)
{
    for (const TagField& f : kTagFields)
        for (std::string_view fieldId : {f.frameId23, f.frameId24})
            if (id == fieldId)
                return fieldId;
    return {};
}

std::unique_ptr<Frame> MakeFieldFrame(std::string_view id, const ByteVector& stored)
{
    if (!stored.isEmpty() && static_cast<unsigned char>(stored[0]) > String::UTF8)
        return nullptr;
    const std::string content = WithByteOrderMarks(id, std::string_view(stored.data(), stored.size()));
    // The frame classes read a v2.4 frame: give the content a plain v2.4 header.
    ByteVector data(Frame::headerSize() + content.size(), '\0');
    std::copy(id.begin(), id.end(), data.begin());
    const ByteVector size = TagLib::ID3v2::SynchData::fromUInt(content.size());
    std::copy(size.begin(), size.end(), data.begin() + 4);
    std::copy(content.begin(), content.end(), data.begin() + Frame::headerSize());
    if (id == "COMM")
        return std::make_unique<CommentsFrame>(data);
    if (id == "WXXX")
        return std::make_unique<UserUrlLinkFrame>(data);
    return std::make_unique<TextIdentificationFrame>(data);
}

std::unique_ptr<Frame> NewFieldFrame(std::string_view id)
{
    if (id == "COMM") {
        auto comment = std::make_unique<CommentsFrame>(String::Latin1);
        comment->setLanguage("eng");
        return comment;
    }
    if (id == "WXXX")
        return std::make_unique<UserUrlLinkFrame>(String::Latin1);
    auto text = std::make_unique<TextIdentificationFrame>(BytesOf(id), String::Latin1);
    text->setText(String());
    return text;
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
