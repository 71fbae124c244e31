#include "support/SaveRoundTrip.h"

#include "tag/Mp3File.h"
#include "tag/TagFields.h"

#include <fstream>
#include <iterator>

namespace kestrune::test {

namespace {

namespace fs = std::filesystem;

using Texts = std::array<std::string, kTagFields.size()>;

std::string BytesOf(const fs::path& p)
{
    std::ifstream in(p, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

// What lies between a leading ID3v2 region (header, body and a v2.4 footer, by its declared size) and
// a trailing 128-byte ID3v1 tag.
std::string AudioBytes(const std::string& bytes)
{
    size_t start = 0;
    if (bytes.size() >= 10 && bytes.compare(0, 3, "ID3") == 0) {
        unsigned long long size = 0;
        for (int i = 6; i < 10; ++i)
            size = (size << 7) | (static_cast<unsigned char>(bytes[i]) & 0x7F);
        const bool footer = bytes[3] == 4 && (bytes[5] & 0x10);
        start = static_cast<size_t>(std::min<unsigned long long>(bytes.size(), 10 + size + (footer ? 10 : 0)));
    }
    size_t end = bytes.size();
    if (end >= start + 128 && bytes.compare(end - 128, 3, "TAG") == 0)
        end -= 128;
    return bytes.substr(start, end - start);
}

Texts TextsOf(const CMp3File& record)
{
    Texts out;
    for (size_t i = 0; i < kTagFields.size(); ++i)
        out[i] = (record.*kTagFields[i].get)();
    return out;
}

bool AloneInItsFolder(const fs::path& file)
{
    std::error_code ec;
    size_t count = 0;
    for (fs::directory_iterator it(file.parent_path(), ec); !ec && it != fs::directory_iterator(); it.increment(ec))
        ++count;
    return !ec && count == 1 && fs::exists(file);
}

}  // namespace

std::array<std::string, 12> RoundTripTexts(size_t set)
{
    static_assert(kTagFields.size() == 12);
    std::string longComment;
    for (int i = 0; i < 120; ++i)
        longComment += "Длинный комментарий " + std::to_string(i) + ". ";
    switch (set % kRoundTripTextSets) {
    case 0:
        return {"Заголовок песни", "Альбом Ω", "Исполнитель", "7/12", "2024", "Рок", longComment, "Композитор",
                "Оригинальный исполнитель", "© 2024 Кестрюн", "https://example.org/song?id=1", "Кодировщик"};
    case 1:
        return {"T", "Al", "Ar", "1", "1999", "Rock", "c", "Co", "OA", "Cr", "http://a.b/", "E"};
    default:
        return {};
    }
}

std::string SaveRoundTripProblem(const fs::path& file, size_t set, bool* refused)
{
    const std::string before = BytesOf(file);
    const Texts texts = RoundTripTexts(set);

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
    const std::string after = BytesOf(file);
    if (!AloneInItsFolder(file))
        return "a file was left beside the saved one";

    if (!saved) {
        if (record.GetSaveError().empty())
            return "a refused save gives no reason";
        return after == before ? std::string() : "a refused save changed the file (" + record.GetSaveError() + ")";
    }
    if (!record.GetSaveError().empty())
        return "a successful save reports an error";
    if (AudioBytes(after) != AudioBytes(before))
        return "the save changed the audio";

    CMp3File reread(file.string());
    reread.Load();
    if (TextsOf(reread) != texts)
        return "the saved file does not read back with the texts set";
    // Saving what the file holds already must not touch it.
    if (!reread.Save())
        return "saving unchanged texts was refused: " + reread.GetSaveError();
    if (BytesOf(file) != after)
        return "saving unchanged texts changed the file";
    if (!AloneInItsFolder(file))
        return "a file was left beside the saved one";
    return {};
}

}  // namespace kestrune::test
