#include "support/SaveRoundTrip.h"

#include "support/Mp3Maker.h"
#include "support/TempDir.h"

#include "tag/Mp3File.h"
#include "tag/TagFields.h"

#include <array>

namespace kestrune::test {

namespace {

namespace fs = std::filesystem;

using Texts = std::array<std::string, kTagFields.size()>;

Texts TextsOf(const CMp3File& record)
{
    Texts out;
    for (size_t i = 0; i < kTagFields.size(); ++i)
        out[i] = (record.*kTagFields[i].get)();
    return out;
}

// Texts for the twelve fields in the field table's order. Set 0: Unicode, with a comment long enough
// to make any small tag grow; set 1: short Latin-1 texts that usually fit in place; set 2: all empty.
Texts RoundTripTexts(size_t set)
{
    static_assert(kTagFields.size() == 12);
    std::string longComment;
    for (int i = 0; i < 120; ++i)
        longComment += "Длинный комментарий " + std::to_string(i) + ". ";
    const Texts sets[kRoundTripTextSets] = {
        {"Заголовок песни", "Альбом Ω", "Исполнитель", "7/12", "2024", "Рок", longComment, "Композитор",
         "Оригинальный исполнитель", "© 2024 Кестрюн", "https://example.org/song?id=1", "Кодировщик"},
        {"T", "Al", "Ar", "1", "1999", "Rock", "c", "Co", "OA", "Cr", "http://a.b/", "E"},
        {}};
    return sets[set % kRoundTripTextSets];
}

}  // namespace

std::string SaveRoundTripProblem(const fs::path& file, size_t set, bool* refused)
{
    const std::string before = ReadFile(file);
    const Texts texts = RoundTripTexts(set);
    auto aloneInItsFolder = [&] { return fs::exists(file) && EntriesIn(file.parent_path()) == 1; };

    CMp3File record(file.string());
    record.Load();
    const Texts loaded = TextsOf(record);
    record.Load();
    if (TextsOf(record) != loaded)
        return "two loads of the same file differ";
    for (size_t i = 0; i < kTagFields.size(); ++i)
        (record.*kTagFields[i].set)(texts[i]);
    const bool saved = record.Save();
    if (refused)
        *refused = !saved;
    const std::string after = ReadFile(file);
    if (!aloneInItsFolder())
        return "a file was left beside the saved one";

    if (saved != record.GetSaveError().empty())
        return saved ? "a successful save reports an error" : "a refused save gives no reason";
    if (!saved)
        return after == before ? std::string() : "a refused save changed the file (" + record.GetSaveError() + ")";
    if (AudioOf(after) != AudioOf(before))
        return "the save changed the audio";

    CMp3File reread(file.string());
    reread.Load();
    if (TextsOf(reread) != texts)
        return "the saved file does not read back with the texts set";
    // Saving what the file holds already must not touch it.
    if (!reread.Save())
        return "saving unchanged texts was refused: " + reread.GetSaveError();
    if (ReadFile(file) != after || !aloneInItsFolder())
        return "saving unchanged texts changed the file or left one beside it";
    return {};
}

}  // namespace kestrune::test
