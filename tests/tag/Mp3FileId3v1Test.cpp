#include "tag/TagTestSupport.h"

namespace kestrune::test {
namespace {

std::string Cp1251(const std::string& text) { return InCodePage(text, "CP1251"); }
std::string Latin1(const std::string& text) { return InCodePage(text, "ISO-8859-1"); }

std::string Slot(const std::string& bytes, size_t size) { return (bytes + std::string(size, '\0')).substr(0, size); }

// Longer than ID3v1's 30 bytes.
const std::string kLongAlbum = "Звезда по имени Солнце (ремастеринг 2012)";

TEST(Mp3FileId3v1, ASaveRewritesOnlyTheSlotsThatDoNotHoldTheirTexts)
{
    // The texts saved; the one slot that changes (none when its size is 0): its offset, size and new bytes.
    struct Case {
        std::map<std::string, std::string> texts;
        size_t offset, size;
        std::string bytes;
    } const cases[] = {
        {{{"composer", "Виктор Цой"}}, 0, 0, ""},
        {{{"title", "Группа крови"}, {"artist", "Кино"}, {"album", kLongAlbum}, {"genre", "Русский рок"}}, 0, 0, ""},
        {{{"title", "Звезда"}}, 3, 30, Slot(Cp1251("Звезда"), 30)},
        {{{"title", "Björk"}}, 3, 30, Slot(Latin1("Björk"), 30)},
        // Neither code page holds these: the one that loses less, letters without their accents, "?".
        {{{"title", "Dvořák – Новый свет"}}, 3, 30, Slot(Cp1251("Dvorak – Новый свет"), 30)},
        {{{"title", "咖啡 Café"}}, 3, 30, Slot(Latin1("?? Café"), 30)},
        {{{"title", "Кофе ☕"}}, 3, 30, Slot(Cp1251("Кофе ?"), 30)},
        {{{"album", "Звезда по имени Солнце (live)"}}, 63, 30, Slot(Cp1251("Звезда по имени Солнце (live)"), 30)},
        {{{"year", "1989-05-01"}}, 93, 4, "1989"},
        {{{"comment", "Заметка"}}, 97, 28, Slot(Cp1251("Заметка"), 28)},
        {{{"track number", "7/12"}}, 126, 1, "\x07"},
        {{{"genre", "Jazz"}}, 127, 1, "\x08"},
        {{{"genre", "Джаз"}}, 127, 1, "\xFF"},
    };
    TempDir dir;
    // A file as encoders write them: Unicode ID3v2 texts, and an ID3v1 tag holding them in CP1251 (the
    // album cut to its 30 bytes, the artist padded with spaces), a Latin-1 comment, a track and a genre
    // byte that stands in for a genre ID3v1 has no number for.
    const std::string original =
        MakeMp3({.frames = {TextFrame("TIT2", "Группа крови", Enc::Utf16), TextFrame("TPE1", "Кино", Enc::Utf16),
                            TextFrame("TALB", kLongAlbum, Enc::Utf16), TextFrame("TYER", "1988"),
                            TextFrame("TCON", "Русский рок", Enc::Utf16), TextFrame("TRCK", "5"), CommentFrame("Café")},
                 .padding = 1000,
                 .id3v1 = Id3v1{Cp1251("Группа крови"), Cp1251("Кино") + std::string(26, ' '), Cp1251(kLongAlbum),
                                "1988", Latin1("Café"), 5, 17}});
    const std::string before = original.substr(original.size() - 128);
    for (const Case& c : cases) {
        SCOPED_TRACE(c.texts.begin()->first + " " + c.texts.begin()->second);
        const auto file = dir.Write("a.mp3", original);
        EXPECT_EQ(SaveTexts(file, c.texts), "");
        EXPECT_EQ(PartsOf(ReadFile(file)).id3v1, std::string(before).replace(c.offset, c.size, c.bytes));
    }

    // A slot left stale (by another program, or by a save cut short between its two writes) is brought
    // into line by the next save, whatever it changes.
    std::string stale = original;
    stale.replace(stale.size() - 128 + 3, 30, Slot("Old title", 30));
    const auto file = dir.Write("stale.mp3", stale);
    EXPECT_EQ(SaveTexts(file, {{"composer", "Виктор Цой"}}), "");
    EXPECT_EQ(PartsOf(ReadFile(file)).id3v1, before);
}

TEST(Mp3FileId3v1, AFileWithoutAnId3v1TagGetsOneInTheFormItsReadersShow)
{
    TempDir dir;
    const auto file = dir.Write(
        "new.mp3", MakeMp3({.frames = {TextFrame("TIT2", "Алла Пугачёва — Миллион алых роз", Enc::Utf16),
                                       TextFrame("TPE1", "Ёлка", Enc::Utf16), TextFrame("TYER", "2001"),
                                       TextFrame("TCON", "Pop"), CommentFrame(std::string(30, 'c'))},
                            .padding = 1000}));
    EXPECT_EQ(SaveTexts(file, {{"composer", "Раймонд Паулс"}}), "");
    // No track: the comment has all 30 bytes.
    const Id3v1 expected{Cp1251("Алла Пугачёва — Миллион алых р"), Cp1251("Ёлка"), "", "2001", std::string(30, 'c'),
                         0, 13};
    EXPECT_EQ(PartsOf(ReadFile(file)).id3v1, PartsOf(MakeMp3({.id3v2Version = 0, .id3v1 = expected})).id3v1);
}

}  // namespace
}  // namespace kestrune::test
