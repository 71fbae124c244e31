#include "tag/TagTestSupport.h"

#include <QByteArray>

namespace kestrune::test {
namespace {

// Real titles and names as Windows programs in Russia stored them (CP1251 in "Latin-1" frames and in
// ID3v1), and Western ones stored as Latin-1.
const std::vector<std::string> kCyrillicTexts = {
    "Кино", "Алла Пугачёва", "Ёлка", "Я свободен", "DJ Смэш", "Король и Шут — Лесник", "«Чёрный альбом»",
    "Їхав козак за Дунай", "Трек №5", "Группа крови", "Звезда по имени Солнце", "Ария", "Машина времени",
    "Сплин — Выхода нет", "Земфира", "Би-2", "Мумий Тролль", "Любэ — Комбат", "ДДТ — Осень", "Аквариум",
    "Океан Ельзи", "Вопли Видоплясова", "Червона рута", "Ляпис Трубецкой", "Купалінка", "Ой, рана на Івана",
    "Воўк і сем казлянят", "Ґуцульська ґаздиня", "Єднаймося", "Ще не вмерла України", "Пісня про рушник",
    "Ой у лузі червона калина", "А я иду, шагаю по Москве", "В лесу родилась ёлочка", "Ты и я",
    "О чём поют воробушки", "Ленинград — WWW", "t.A.T.u. — Я сошла с ума", "Noize MC — Песня для радио",
    "Время и Стекло — Имя 505", "«Ёжик в тумане»", "Шедевры №1", "5'nizza — Солдат", "У самовара я и моя Маша",
    "Вечерний звон…", "Ё-моё", "Їжачок", "Ірина Білик — Так просто", "С Новым годом!", "Это — любовь", "Я",
    "МакSим", "ЁЛКА", "Зимовье зверей",
};
const std::vector<std::string> kLatin1Texts = {
    "Björk", "Mötley Crüe", "Ça plane pour moi", "Ænima", "À bout de souffle", "Straße", "Señorita",
    "Sigur Rós", "Ágætis byrjun", "Motörhead", "Beyoncé", "Édith Piaf", "Les Misérables", "Café del Mar",
    "Amélie", "Françoise Hardy", "Où est ma tête?", "Déjà vu", "Noël", "Hüsker Dü", "Blue Öyster Cult",
    "Die Ärzte", "Herbert Grönemeyer", "Über den Wolken", "Für Elise", "Fräulein", "Mañana", "El Niño",
    "Corazón espinado", "¿Quién será?", "¡Viva la vida!", "Héroes del Silencio", "Maná", "João Gilberto",
    "Coração", "São Paulo", "Não chore mais", "Røyksopp", "Mø", "Åsa Jinder", "Ólafur Arnalds",
    "Jóhann Jóhannsson", "Þursaflokkurinn", "Mylène Farmer", "Céline Dion", "Plácido Domingo", "Crème brûlée",
    "Zoë", "ÉTÉ", "Þjóðhátíð", "Ô Toulouse", "Smörgåsbord", "Tromsø", "Größe",
};

Id3Frame SingleByteFrame(const std::string& id, const std::string& bytes)
{
    return AnyFrame(id, '\0' + bytes);
}

TEST(LegacyText, SingleByteTextsReadAsCyrillicOrLatin1InId3v2FramesAndId3v1)
{
    TempDir dir;
    for (const auto& [texts, page] : {std::pair{&kCyrillicTexts, "CP1251"}, std::pair{&kLatin1Texts, "ISO-8859-1"}}) {
        for (const std::string& text : *texts) {
            SCOPED_TRACE(text);
            const std::string bytes = InCodePage(text, page);
            // ID3v1 fills the artist and album the ID3v2 tag lacks; the artist's space padding is not text.
            const auto fields = LoadFields(dir.Write(
                "a.mp3",
                MakeMp3({.frames = {SingleByteFrame("TIT2", bytes), AnyFrame("COMM", std::string("\0eng\0", 5) + bytes),
                                    AnyFrame("WXXX", std::string(2, '\0') + bytes)},
                         .id3v1 = Id3v1{.artist = bytes + std::string(30, ' '), .album = bytes}})));
            EXPECT_EQ((std::vector{fields.at("title"), fields.at("comment"), fields.at("URL"), fields.at("artist"),
                                   fields.at("album")}),
                      std::vector<std::string>(5, text));
        }
    }
}

TEST(LegacyText, OddStoredTextsReadAsTheTextTheyHold)
{
    auto utf16 = [](const std::string& s, bool bigEnd) { return InCodePage(s, bigEnd ? "UTF-16BE" : "UTF-16LE"); };
    // The inflated size in four bytes (as v2.3 stores it, and v2.4's data length for a short text), then
    // the zlib stream.
    auto compressed = [](const std::string& c) { return qCompress(QByteArray::fromStdString(c)).toStdString(); };
    struct Case {
        int version;
        Id3Frame frame;
        const char* field;
        std::string text;
    } const cases[] = {
        // UTF-16 without a byte-order mark, in both orders.
        {3, AnyFrame("TIT2", "\x01" + utf16("Кино — Группа крови", false)), "title", "Кино — Группа крови"},
        {3, AnyFrame("TIT2", "\x01" + utf16("Кино — Группа крови", true)), "title", "Кино — Группа крови"},
        {3, AnyFrame("TALB", "\x01" + utf16("One", false) + std::string(2, '\0') + utf16("Два", true)), "album",
         "One; Два"},
        {3, AnyFrame("COMM", "\1eng" + utf16("Заметка", false) + std::string(2, '\0') + utf16("Привет", true)),
         "comment", "Привет"},
        // Windows-1252 punctuation in a Western text, and in a text with no letters to tell by.
        {3, SingleByteFrame("TIT2", "Beyonc\xE9 \x96 Halo"), "title", "Beyoncé – Halo"},
        {3, SingleByteFrame("TIT2", "Don\x92t Stop"), "title", "Don’t Stop"},
        // zlib-compressed frames: v2.3 with the inflated size, grouped too; v2.4 with a data length.
        {3, {"TIT2", compressed(std::string("\0Title \xC0\xE1", 9)), 0, 0x80}, "title", "Title Аб"},
        {3, {"TIT2", compressed(std::string("\0Title 123", 10)).insert(4, "\x05"), 0, 0xA0}, "title", "Title 123"},
        {4, {"TALB", compressed("\x03Альбом"), 0, 0x09}, "album", "Альбом"},
    };
    TempDir dir;
    for (const auto& c : cases) {
        SCOPED_TRACE(c.text);
        const auto file = dir.Write("a.mp3", MakeMp3({.id3v2Version = c.version, .frames = {c.frame}}));
        EXPECT_EQ(LoadFields(file).at(c.field), c.text);
        // Saving another field keeps the frame as stored; writing its own field gives a plain frame.
        const std::string stored = StoredFrame(ReadFile(file), c.frame.id, c.version);
        ASSERT_EQ(SaveTexts(file, {{"composer", "Composer"}}), "");
        EXPECT_EQ(StoredFrame(ReadFile(file), c.frame.id, c.version), stored);
        ASSERT_EQ(SaveTexts(file, {{c.field, c.text + " 2"}}), "");
        EXPECT_EQ(LoadFields(file).at(c.field), c.text + " 2");
    }
}

// Ticking a field and saving is how a user makes legacy tags readable by other players.
TEST(LegacyText, ASetFieldWithLegacyTextIsWrittenInAStandardEncodingAnUnsetOneStaysByteForByte)
{
    TempDir dir;
    auto cp1251 = [](const std::string& text) { return InCodePage(text, "CP1251"); };
    const auto file = dir.Write(
        "a.mp3",
        MakeMp3({.frames = {SingleByteFrame("TIT2", cp1251("Группа крови")), SingleByteFrame("TPE1", cp1251("Кино")),
                            SingleByteFrame("TALB", InCodePage("Björk", "ISO-8859-1")),
                            AnyFrame("COMM", std::string("\0eng", 4) + cp1251("Описание") + '\0' + cp1251("Заметка")),
                            AnyFrame("WXXX", std::string(2, '\0') + cp1251("http://пример.рф"))},
                 .padding = 1000}));
    const std::string before = ReadFile(file);
    CMp3File record(file.string());
    record.Load();
    // The original artist: Latin-1 bytes the rule would read as Cyrillic.
    SetFields(record, {{"title", "Группа крови"}, {"album", "Björk"}, {"comment", "Заметка"},
                       {"URL", "http://пример.рф"}, {"original artist", "çà et là"}});
    ASSERT_TRUE(record.Save()) << record.GetSaveError();

    const std::string after = ReadFile(file);
    auto encoding = [&](const char* id) { return StoredFrame(after, id, 3).substr(10, 1); };
    // UTF-16 for the legacy texts; Latin-1 that reads back (the album) is standard.
    EXPECT_EQ(encoding("TIT2") + encoding("COMM") + encoding("TOPE") + encoding("TALB"), std::string("\1\1\1\0", 4));
    EXPECT_NE(StoredFrame(after, "COMM", 3).find(EncodeText("Описание", Enc::Utf16)), std::string::npos)
        << "the description is converted with the text";
    EXPECT_EQ(StoredFrame(after, "TPE1", 3), StoredFrame(before, "TPE1", 3));
    const auto fields = LoadFields(file);
    EXPECT_EQ(fields.at("title") + "|" + fields.at("original artist") + "|" + fields.at("URL"),
              "Группа крови|çà et là|http://%D0%BF%D1%80%D0%B8%D0%BC%D0%B5%D1%80.%D1%80%D1%84");

    // Loading again forgets what was set: a save then leaves every frame as it is.
    record.Load();
    record.SetArtist(record.GetArtist());
    record.Load();
    ASSERT_TRUE(record.Save());
    EXPECT_EQ(ReadFile(file), after);
}

}  // namespace
}  // namespace kestrune::test
