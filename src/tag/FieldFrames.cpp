#include "tag/FieldFrames.h"

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

bool isId(const ByteVector& id, std::string_view name)
{
    return id.size() == name.size() && std::equal(name.begin(), name.end(), id.data());
}

String fromUtf8(const std::string& text) { return String(text, String::UTF8); }

String::Type unicodeFor(bool latin1) { return latin1 ? String::Latin1 : String::UTF8; }

// The encoding a frame has, and a way to change it, whatever kind of field frame it is.
String::Type encodingOf(const Frame& frame)
{
    if (auto* t = dynamic_cast<const TextIdentificationFrame*>(&frame))
        return t->textEncoding();
    if (auto* c = dynamic_cast<const CommentsFrame*>(&frame))
        return c->textEncoding();
    if (auto* u = dynamic_cast<const UserUrlLinkFrame*>(&frame))
        return u->textEncoding();
    return String::Latin1;
}

void setEncoding(Frame& frame, String::Type encoding)
{
    if (auto* t = dynamic_cast<TextIdentificationFrame*>(&frame))
        t->setTextEncoding(encoding);
    else if (auto* c = dynamic_cast<CommentsFrame*>(&frame))
        c->setTextEncoding(encoding);
    else if (auto* u = dynamic_cast<UserUrlLinkFrame*>(&frame))
        u->setTextEncoding(encoding);
}

}  // namespace

bool isFieldFrameId(const ByteVector& id)
{
    return std::any_of(kTagFields.begin(), kTagFields.end(),
                       [&](const TagField& f) { return isId(id, f.frameId23) || isId(id, f.frameId24); });
}

std::unique_ptr<Frame> makeFieldFrame(const ByteVector& id, const ByteVector& content)
{
    if (!content.isEmpty() && static_cast<unsigned char>(content[0]) > String::UTF8)
        return nullptr;
    // The frame classes read a v2.4 frame: give the content a plain v2.4 header.
    ByteVector data(Frame::headerSize() + content.size(), '\0');
    std::copy(id.begin(), id.end(), data.begin());
    const ByteVector size = TagLib::ID3v2::SynchData::fromUInt(content.size());
    std::copy(size.begin(), size.end(), data.begin() + 4);
    std::copy(content.begin(), content.end(), data.begin() + Frame::headerSize());
    if (isId(id, "COMM"))
        return std::make_unique<CommentsFrame>(data);
    if (isId(id, "WXXX"))
        return std::make_unique<UserUrlLinkFrame>(data);
    return std::make_unique<TextIdentificationFrame>(data);
}

std::unique_ptr<Frame> newFieldFrame(const ByteVector& id)
{
    if (isId(id, "COMM")) {
        auto comment = std::make_unique<CommentsFrame>(String::Latin1);
        comment->setLanguage("eng");
        return comment;
    }
    if (isId(id, "WXXX"))
        return std::make_unique<UserUrlLinkFrame>(String::Latin1);
    auto text = std::make_unique<TextIdentificationFrame>(id, String::Latin1);
    text->setText(String());
    return text;
}

Frame* findFieldFrame(const TagLib::ID3v2::Tag& tag, const ByteVector& id)
{
    const auto& map = tag.frameListMap();
    auto it = map.find(id);
    if (it == map.end() || it->second.isEmpty())
        return nullptr;
    const auto& frames = it->second;
    if (isId(id, "COMM")) {
        auto description = [](Frame* f) { return static_cast<CommentsFrame*>(f)->description(); };
        auto plain = std::find_if(frames.begin(), frames.end(), [&](Frame* f) { return description(f).isEmpty(); });
        if (plain == frames.end())
            plain = std::find_if(frames.begin(), frames.end(),
                                 [&](Frame* f) { return !description(f).startsWith(kMachineCommentPrefix); });
        return plain == frames.end() ? nullptr : *plain;
    }
    if (isId(id, "WXXX")) {
        auto plain = std::find_if(frames.begin(), frames.end(), [](Frame* f) {
            return static_cast<UserUrlLinkFrame*>(f)->description().isEmpty();
        });
        return plain == frames.end() ? frames.front() : *plain;
    }
    return frames.front();
}

std::string fieldText(const Frame& frame)
{
    if (auto* t = dynamic_cast<const TextIdentificationFrame*>(&frame))
        return t->fieldList().toString(kValueSeparator).to8Bit(true);
    if (auto* c = dynamic_cast<const CommentsFrame*>(&frame))
        return c->text().to8Bit(true);
    if (auto* u = dynamic_cast<const UserUrlLinkFrame*>(&frame))
        return u->url().to8Bit(true);
    return {};
}

void setFieldText(Frame& frame, const std::string& text)
{
    const String value = fromUtf8(text);
    if (auto* t = dynamic_cast<TextIdentificationFrame*>(&frame)) {
        t->setText(value);
        t->setTextEncoding(unicodeFor(value.isLatin1()));
    } else if (auto* c = dynamic_cast<CommentsFrame*>(&frame)) {
        c->setText(value);
        c->setTextEncoding(unicodeFor(value.isLatin1() && c->description().isLatin1()));
    } else if (auto* u = dynamic_cast<UserUrlLinkFrame*>(&frame)) {
        u->setUrl(String(percentEncode(text), String::Latin1));
        u->setTextEncoding(unicodeFor(u->description().isLatin1()));
    }
}

ByteVector renderFieldContent(Frame& frame, int version)
{
    const String::Type encoding = encodingOf(frame);
    if (version < 4 && (encoding == String::UTF8 || encoding == String::UTF16BE))
        setEncoding(frame, String::UTF16);  // v2.3 knows only Latin-1 and UTF-16 with a byte order mark
    return frame.render().mid(Frame::headerSize());
}

std::string percentEncode(const std::string& url)
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
