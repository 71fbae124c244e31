#include "tag/FieldFrameText.h"
#include "tag/FieldFrames.h"
#include "tag/SingleByteText.h"

#include <gtest/gtest.h>

#include <taglib/commentsframe.h>
#include <taglib/textidentificationframe.h>
#include <taglib/urllinkframe.h>

#include <QByteArray>

#include <random>
#include <tuple>

namespace kestrune::test {
namespace {

using namespace TagLib;
using tag::FieldFrameText;

// What TagLib's frame classes read from a field frame's content (the byte-order marks added first, as
// a save does), in the form ReadFieldFrame gives.
std::optional<FieldFrameText> TagLibReads(std::string_view id, const std::string& content)
{
    const auto frame = tag::MakeFieldFrame(id, ByteVector(content.data(), static_cast<unsigned>(content.size())));
    if (!frame)
        return std::nullopt;
    FieldFrameText read;
    auto setText = [&](const String& s, String::Type encoding, const String& description = {}, bool machine = false) {
        const bool latin1 = encoding == String::Latin1;
        const std::string bytes = s.to8Bit(!latin1);
        read.text = latin1 ? tag::DecodeSingleByte(bytes) : bytes;
        read.legacy = latin1 && std::ranges::any_of(bytes, [](unsigned char b) { return b >= 0x80; });
        read.described = !description.isEmpty();
        read.machineComment = machine;
    };
    if (auto* t = dynamic_cast<ID3v2::TextIdentificationFrame*>(frame.get()))
        setText(t->fieldList().toString("; "), t->textEncoding());
    else if (auto* c = dynamic_cast<ID3v2::CommentsFrame*>(frame.get()))
        setText(c->text(), c->textEncoding(), c->description(), c->description().startsWith("iTun"));
    else if (auto* u = dynamic_cast<ID3v2::UserUrlLinkFrame*>(frame.get()))
        setText(u->url(), String::Latin1, u->description());
    return read;
}

// All that is read, for comparing and printing.
auto Fields(const std::optional<FieldFrameText>& r)
{
    return r ? std::optional(std::tuple(r->text, r->described, r->machineComment, r->legacy)) : std::nullopt;
}

// A field frame reads as TagLib reads it for any content: every encoding, byte-order marks present,
// missing and broken, several values, empty strings, trailing zeros, odd lengths, invalid UTF-8, lone
// surrogates, CP1251 and Latin-1 bytes, iTunes descriptions. The contents are random strings over
// bytes that make these cases likely; TagLib's frame classes are the oracle.
TEST(FieldFrameText, ReadsEveryContentAsTagLibDoes)
{
    const char bytes[] = "\0\0\0\x01\x02\x03\x04\xFF\xFE\xFF\xFE" "AiTunBz \xE0\xEB\xC3\xA9\xD8\xDC\xDF\x80\x9F\x04\x30";
    const std::string alphabet(bytes, sizeof bytes - 1);
    std::mt19937 random(20261207);
    for (std::string_view id : {"TIT2", "COMM", "WXXX", "TCON"}) {
        for (int i = 0; i < 30000; ++i) {
            std::string content(1, static_cast<char>(random() % 5));
            if (id == "COMM")
                content += random() % 4 ? "eng" : "";
            if (random() % 3 == 0)
                content += random() % 2 ? "\xFF\xFE" : "\xFE\xFF";
            for (int n = static_cast<int>(random() % 24); n > 0; --n)
                content += alphabet[random() % alphabet.size()];
            ASSERT_EQ(Fields(tag::ReadFieldFrame(id, content)), Fields(TagLibReads(id, content)))
                << id << ": " << QByteArray::fromStdString(content).toHex(' ').toStdString();
        }
    }
}

}  // namespace
}  // namespace kestrune::test
