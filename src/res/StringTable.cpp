#include "res/StringTable.h"

#include "res/ResourceIds.h"
#include "res/Version.h"
#include "tag/SaveFailure.h"

#include <algorithm>
#include <iterator>

namespace kestrune {
namespace {

struct FixedString {
    unsigned id;
    const char* text;
};

// The dots in the status texts are three full stops, not an ellipsis character.
constexpr FixedString kFixedStrings[] = {
    {IDS_ABOUT_ITEM, "&О приложении..."},
    {IDS_CHOOSE_FOLDER, "Выберите папку"},
    {IDS_CANCELLING, "Отменяется..."},
    {IDS_NOT_WRITTEN_CAPTION, "Сохранение тегов"},
    {IDS_NOT_WRITTEN_SUMMARY, "Теги записаны не во все файлы. Не записано: %1 из %2."},
    {IDS_NOT_WRITTEN_DETAIL, "Подробности: %1"},

    {IDS_SETTINGS_LOCALIZATION, "SETTINGS_LOCALIZATION"},
    {IDS_LANGUAGE, "LANGUAGE"},
    {IDS_SETTINGS_GENRES, "SETTINGS_GENRES"},
    {IDS_SETTINGS_ROOT, "SETTINGS_ROOT"},
    {IDS_SETTINGS_GLOBAL, "SETTINGS_GLOBAL"},
    {IDS_SETTINGS_NAME, "SETTINGS_NAME"},

    {IDS_STATUS_READY_KEY, "STATUS_READY"},
    {IDS_STATUS_FINDINGFOLDERS_KEY, "STATUS_FINDINGFOLDERS"},
    {IDS_STATUS_FINDINGFILES_KEY, "STATUS_FINDINGFILES"},
    {IDS_STATUS_SELECTINGITEMS_KEY, "STATUS_SELECTINGITEMS"},
    {IDS_STATUS_ADDINGITEMS_KEY, "STATUS_ADDINGITEMS"},
    {IDS_STATUS_SAVING_KEY, "STATUS_SAVING"},

    {IDS_STATUS_READY_TEXT, "Готов"},
    {IDS_STATUS_FINDINGFOLDERS_TEXT, "Поиск папок..."},
    {IDS_STATUS_FINDINGFILES_TEXT, "Поиск файлов..."},
    {IDS_STATUS_SELECTINGITEMS_TEXT, "Выделяются элементы..."},
    {IDS_STATUS_ADDINGITEMS_TEXT, "Добавляются элементы..."},
    {IDS_STATUS_SAVING_TEXT, "Сохраняются теги..."},
};

// Why a file was not written, by SaveReason from NotFound on: what is wrong and, where there is
// something to do, what the user can do. A refused file is never changed, and the user should know.
constexpr const char* kSaveReasonTexts[] = {
    "Файл не найден: его удалили или переименовали. Обновите список и сохраните снова.",
    "Это не файл, а папка или устройство: теги в него не записываются.",
    "Файл только для чтения: разрешите запись в файл и его папку и сохраните снова.",
    "Файл сейчас сохраняет другая программа: сохраните снова, когда она закончит.",
    "Файл изменила другая программа во время сохранения: файл не изменён, сохраните снова.",
    "Файл не удалось прочитать: файл не изменён.",
    "Это не MP3-файл: файл не изменён.",
    "Тег повреждён: файл не изменён.",
    ("Тег записан в виде, который программа не перезаписывает (например, зашифрованные кадры): "
     "файл не изменён."),
    "Тег получается слишком большим: файл не изменён. Сократите тексты полей и сохраните снова.",
    "У файла есть другие жёсткие ссылки, а тег должен вырасти: файл не изменён.",
    "На диске нет места: файл не изменён. Освободите место и сохраните снова.",
    "Ошибка чтения с диска: файл не изменён. Проверьте диск.",
    "Ошибка записи на диск: файл не изменён. Проверьте диск.",
    "Не удалось сохранить владельца, права или атрибуты файла: файл не изменён.",
    "Внутренняя ошибка программы: файл не изменён.",
};
static_assert(std::size(kSaveReasonTexts) == static_cast<std::size_t>(kSaveReasonCount - 1), "a sentence for every reason but None");

// Genre n is ID3v1 genre number n: 0-79 from the ID3v1 list, 80-125 from its common extension.
// Two pairs do not follow the key-from-name rule: GENRE_GRUNDLE/"Grunde" and GENRE_RHYTMICSOUL/"Rhythmic Soul".
constexpr const char* kGenreKeys[] = {
    "GENRE_BLUES", "GENRE_CLASSICROCK", "GENRE_COUNTRY", "GENRE_DANCE", "GENRE_DISCO", "GENRE_FUNK",
    "GENRE_GRUNDLE", "GENRE_HIPHOP", "GENRE_JAZZ", "GENRE_METAL", "GENRE_NEWAGE", "GENRE_OLDIES", "GENRE_OTHER",
    "GENRE_POP", "GENRE_RYTHMANDBLUES", "GENRE_RAP", "GENRE_REGGAE", "GENRE_ROCK", "GENRE_TECHNO",
    "GENRE_INDUSTRIAL", "GENRE_ALTERNATIVE", "GENRE_SKA", "GENRE_DEATHMETAL", "GENRE_PRANKS", "GENRE_SOUNDTRACK",
    "GENRE_EUROTECHNO", "GENRE_AMBIENT", "GENRE_TRIPHOP", "GENRE_VOCAL", "GENRE_JAZZFUNK", "GENRE_FUSION",
    "GENRE_TRANCE", "GENRE_CLASSICAL", "GENRE_INSTRUMENTAL", "GENRE_ACID", "GENRE_HOUSE", "GENRE_GAME",
    "GENRE_SOUNDCLIP", "GENRE_GOSPEL", "GENRE_NOISE", "GENRE_ALTERNATIVEROCK", "GENRE_BASS", "GENRE_SOUL",
    "GENRE_PUNK", "GENRE_SPACE", "GENRE_MEDITATIVE", "GENRE_INSTRUMENTALPOP", "GENRE_INSTRUMENTALROCK",
    "GENRE_ETHNIC", "GENRE_GOTHIC", "GENRE_DARKWAVE", "GENRE_TECHNOINDUSTRIAL", "GENRE_ELECTRONIC",
    "GENRE_POPFOLK", "GENRE_EURODANCE", "GENRE_DREAM", "GENRE_SOUTHERNROCK", "GENRE_COMEDY", "GENRE_CULT",
    "GENRE_GANGSTA", "GENRE_TOP40", "GENRE_CHRISTIANRAP", "GENRE_POPFUNK", "GENRE_JUNGLE",
    "GENRE_NATIVEAMERICAN", "GENRE_CABARET", "GENRE_NEWWAVE", "GENRE_PSYCHADELIC", "GENRE_RAVE",
    "GENRE_SHOWTUNES", "GENRE_TRAILER", "GENRE_LOFI", "GENRE_TRIBAL", "GENRE_ACIDPUNK", "GENRE_ACIDJAZZ",
    "GENRE_POLKA", "GENRE_RETRO", "GENRE_MUSICAL", "GENRE_ROCKANDROLL", "GENRE_HARDROCK", "GENRE_FOLK",
    "GENRE_FOLKROCK", "GENRE_NATIONALFOLK", "GENRE_SWING", "GENRE_FASTFUSION", "GENRE_BEBOB", "GENRE_LATIN",
    "GENRE_REVIVAL", "GENRE_CELTIC", "GENRE_BLUEGRASS", "GENRE_AVANTGARDE", "GENRE_GOTHICROCK",
    "GENRE_PROGRESSIVEROCK", "GENRE_PSYCHADELICROCK", "GENRE_SYMPHONICROCK", "GENRE_SLOWROCK", "GENRE_BIGBAND",
    "GENRE_CHORUS", "GENRE_EASYLISTENING", "GENRE_ACOUSTIC", "GENRE_HUMOR", "GENRE_SPEECH", "GENRE_CHANSON",
    "GENRE_OPERA", "GENRE_CHAMBERMUSIC", "GENRE_SONATA", "GENRE_SYMPHONY", "GENRE_BOOTYBASS", "GENRE_PRIMUS",
    "GENRE_PORNGROOVE", "GENRE_SATIRE", "GENRE_SLOWJAM", "GENRE_CLUB", "GENRE_TANGO", "GENRE_SAMBA",
    "GENRE_FOLKLORE", "GENRE_BALLAD", "GENRE_POWERBALLAD", "GENRE_RHYTMICSOUL", "GENRE_FREESTYLE", "GENRE_DUET",
    "GENRE_PUNKROCK", "GENRE_DRUMSOLO", "GENRE_ACAPELLA", "GENRE_EUROHOUSE", "GENRE_DANCEHALL",
};

constexpr const char* kGenreTexts[] = {
    "Blues", "Classic Rock", "Country", "Dance", "Disco", "Funk", "Grunde", "Hip-Hop", "Jazz", "Metal", "New Age",
    "Oldies", "Other", "Pop", "Rythm & Blues", "Rap", "Reggae", "Rock", "Techno", "Industrial", "Alternative",
    "Ska", "Death Metal", "Pranks", "Soundtrack", "Euro-Techno", "Ambient", "Trip-Hop", "Vocal", "Jazz+Funk",
    "Fusion", "Trance", "Classical", "Instrumental", "Acid", "House", "Game", "Sound Clip", "Gospel", "Noise",
    "Alternative Rock", "Bass", "Soul", "Punk", "Space", "Meditative", "Instrumental Pop", "Instrumental Rock",
    "Ethnic", "Gothic", "Darkwave", "Techno-Industrial", "Electronic", "Pop-Folk", "Eurodance", "Dream",
    "Southern Rock", "Comedy", "Cult", "Gangsta", "Top 40", "Christian Rap", "Pop/Funk", "Jungle",
    "Native American", "Cabaret", "New Wave", "Psychadelic", "Rave", "Showtunes", "Trailer", "Lo-Fi", "Tribal",
    "Acid Punk", "Acid Jazz", "Polka", "Retro", "Musical", "Rock & Roll", "Hard Rock", "Folk", "Folk-Rock",
    "National Folk", "Swing", "Fast Fusion", "Bebob", "Latin", "Revival", "Celtic", "Bluegrass", "Avantgarde",
    "Gothic Rock", "Progressive Rock", "Psychadelic Rock", "Symphonic Rock", "Slow Rock", "Big Band", "Chorus",
    "Easy Listening", "Acoustic", "Humor", "Speech", "Chanson", "Opera", "Chamber Music", "Sonata", "Symphony",
    "Booty Bass", "Primus", "Porn Groove", "Satire", "Slow Jam", "Club", "Tango", "Samba", "Folklore", "Ballad",
    "Power Ballad", "Rhythmic Soul", "Freestyle", "Duet", "Punk Rock", "Drum Solo", "A capella", "Euro-House",
    "Dance Hall",
};

static_assert(std::size(kGenreKeys) == kGenreCount && std::size(kGenreTexts) == kGenreCount);

}  // namespace

std::vector<StringResource> MakeStringTable()
{
    std::vector<StringResource> table;
    table.reserve(std::size(kFixedStrings) + std::size(kSaveReasonTexts) + 1 + 2 * kGenreCount);
    for (const FixedString& s : kFixedStrings)
        table.push_back({s.id, s.text});
    for (unsigned n = 0; n < std::size(kSaveReasonTexts); ++n)
        table.push_back({SaveReasonTextId(static_cast<int>(n) + 1), kSaveReasonTexts[n]});
    table.push_back({IDS_PRODUCT_VERSION, std::string(kProductName) + " " + kProductVersion});
    for (unsigned n = 0; n < kGenreCount; ++n) {
        table.push_back({IDS_GENRE_FIRST_KEY + n, kGenreKeys[n]});
        table.push_back({IDS_GENRE_FIRST_TEXT + n, kGenreTexts[n]});
    }
    std::sort(table.begin(), table.end(),
              [](const StringResource& a, const StringResource& b) { return a.id < b.id; });
    return table;
}

}  // namespace kestrune
