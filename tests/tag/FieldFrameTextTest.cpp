#include "tag/FieldFrameText.h"
#include "tag/FieldFrames.h"
#include "tag/SingleByteText.h"

#include <gtest/gtest.h>

#include <taglib/commentsframe.h>
#include <taglib/textidentificationframe.h>
#include <taglib/urllinkframe.h>

#include <random>

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
    auto singleByte = [](const String& s, FieldFrameText& read) {
        const std::string bytes = s.to8Bit(false);
        read.text = tag::DecodeSingleByte(bytes);
        read.legacy = std::any_of(bytes.begin(), bytes.end(), [](char b) { return static_cast<unsigned char>(b) >= 0x80; });
    };
    FieldFrameText read;
    if (auto* t = dynamic_cast<ID3v2::TextIdentificationFrame*>(frame.get())) {
        if (t->textEncoding() == String::Latin1)
            singleByte(t->fieldList().toString("; "), read);
        else
            read.text = t->fieldList().toString("; ").to8Bit(true);
    } else if (auto* c = dynamic_cast<ID3v2::CommentsFrame*>(frame.get())) {
        if (c->textEncoding() == String::Latin1)
            singleByte(c->text(), read);
        else
            read.text = c->text().to8Bit(true);
        read.described = !c->description().isEmpty();
        read.machineComment = c->description().startsWith("iTun");
    } else if (auto* u = dynamic_cast<ID3v2::UserUrlLinkFrame*>(frame.get())) {
        singleByte(u->url(), read);
        read.described = !u->description().isEmpty();
    }
    return read;
}

std::string Describe(const std::optional<FieldFrameText>& r)
{
    if (!r)
        return "unreadable";
    return "\"" + r->text + "\" described " + std::to_string(r->described) + " machine " +
           std::to_string(r->machineComment) + " legacy " + std::to_string(r->legacy);
}

std::string Hex(const std::string& bytes)
{
    std::string out;
    char hex[4];
    for (unsigned char b : bytes) {
        std::snprintf(hex, sizeof hex, "%02X ", b);
        out += hex;
    }
    return out;
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
    int cases = 0;
    for (std::string_view id : {"TIT2", "COMM", "WXXX", "TCON"}) {
        for (int i = 0; i < 30000; ++i) {
            std::string content(1, static_cast<char>(random() % 5));
            if (id == "COMM")
                content += random() % 4 ? "eng" : "";
            if (random() % 3 == 0)
                content += random() % 2 ? "\xFF\xFE" : "\xFE\xFF";
            for (int n = static_cast<int>(random() % 24); n > 0; --n)
                content += alphabet[random() % alphabet.size()];
            const auto expected = TagLibReads(id, content);
            const auto read = tag::ReadFieldFrame(id, content);
            ASSERT_EQ(Describe(read), Describe(expected)) << id << ": " << Hex(content);
            ++cases;
        }
    }
    EXPECT_EQ(cases, 120000);
}

// The usual contents, spelled out: what a user sees for them.
TEST(FieldFrameText, ReadsTheUsualContents)
{
    struct Case {
        std::string_view id;
        std::string content;
        std::string text;
    } const cases[] = {
        {"TPE1", std::string("\0Artist One\0Artist Two\0", 23), "Artist One; Artist Two"},
        {"TIT2", std::string("\1\xFF\xFEH\0i\0\0\0", 9), "Hi"},
        {"TIT2", std::string("\1\x04\x1A\x04\x38", 5), "Ки"},  // no byte-order mark, big-endian
        {"TIT2", std::string("\3Ки\0", 6), "Ки"},
        {"TIT2", std::string("\0\xCA\xE8\xED\xEE", 5), "Кино"},  // CP1251 in a Latin-1 frame
        {"COMM", std::string("\0eng\0Text", 9), "Text"},
        {"WXXX", std::string("\1\xFF\xFEx\0\0\0http://a", 15), "http://a"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(tag::ReadFieldFrame(c.id, c.content).value().text, c.text) << c.id << ": " << Hex(c.content);
    EXPECT_FALSE(tag::ReadFieldFrame("TIT2", "\x05text"));
}

}  // namespace
}  // namespace kestrune::test
