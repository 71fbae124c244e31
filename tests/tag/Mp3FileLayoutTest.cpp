// How a save writes each layout of file: in place where a kill cannot tear a tag, else through a new
// file, and what an interrupted in-place write leaves.
#include "tag/Mp3FileAccess.h"
#include "tag/TagTestSupport.h"

#include <sys/xattr.h>
#include <unistd.h>

#include <tuple>

namespace kestrune::test {
namespace {

namespace fs = std::filesystem;

constexpr size_t kPage = 4096;

// The file's bytes with its padding grown so that its size modulo a page is `modulo`.
std::string WithSizeModulo(Mp3Spec mp3, size_t modulo)
{
    const size_t size = MakeMp3(mp3).size();
    mp3.padding += (modulo + kPage - size % kPage) % kPage;
    return MakeMp3(mp3);
}

Id3Frame BigPicture() { return PictureFrame(std::string(300 * 1024, '\x5A'), "image/jpeg"); }

enum class Way { InPlace, NewFile };

// The texts are what the save writes, by field name.
struct LayoutCase {
    const char* name;
    std::string bytes;
    std::map<std::string, std::string> texts;
    Way way;
    bool hardLinked = false, readOnlyFolder = false;
};

std::vector<LayoutCase> LayoutCases()
{
    Mp3Spec small{.frames = {TextFrame("TIT2", "Old title"), TextFrame("TPE1", "Old artist"), CommentFrame("Comment")},
                  .padding = 600, .id3v1 = Id3v1{"Old title", "Old artist"}};
    Mp3Spec noId3v1 = small, pictureFirst = small, pictureLast = small;
    noId3v1.id3v1.reset();
    pictureFirst.frames.insert(pictureFirst.frames.begin(), BigPicture());
    pictureLast.frames.push_back(BigPicture());
    // A save adds the frames a file lacks; with all of them there, only the written ones change.
    Mp3Spec complete = small;
    for (const char* id : {"TALB", "TRCK", "TYER", "TCON", "TCOM", "TOPE", "TCOP", "TENC"})
        complete.frames.push_back(TextFrame(id, "x"));
    complete.frames.insert(complete.frames.end(), {UrlFrame("http://x"), BigPicture()});

    const std::map<std::string, std::string> titleAndArtist = {{"title", "New title, longer"}, {"artist", "Artist"}};
    // The file's last page starts in the ID3v1 title, so the title's bytes cross a page boundary; the
    // composer is not in ID3v1.
    const std::string v1AcrossPages = WithSizeModulo(small, 128 - 20);
    return {
        {"fits", MakeMp3(small), titleAndArtist, Way::InPlace},
        {"fits, an ID3v1 tag added", WithSizeModulo(noId3v1, 100), titleAndArtist, Way::InPlace},
        {"an ID3v1 tag added across pages", WithSizeModulo(noId3v1, kPage - 60), titleAndArtist, Way::NewFile},
        {"ID3v1 bytes changed across a page boundary", v1AcrossPages, titleAndArtist, Way::NewFile},
        {"only ID3v2 changed, ID3v1 across a page boundary", v1AcrossPages, {{"composer", "New"}}, Way::InPlace},
        {"a picture after the texts, a text grows", MakeMp3(pictureLast), titleAndArtist, Way::NewFile},
        {"picture last, none added or grown", WithSizeModulo(complete, 1000), {{"title", "New title"}}, Way::InPlace},
        {"a picture before the texts, a text grows", WithSizeModulo(pictureFirst, 1000), titleAndArtist, Way::InPlace},
        {"hard-linked, a picture moves", MakeMp3(pictureLast), titleAndArtist, Way::InPlace, true},
        {"in a read-only folder, a picture moves", MakeMp3(pictureLast), titleAndArtist, Way::InPlace, false, true},
    };
}

// Each layout: written the expected way, in place only in writes within one page (unless the file
// cannot be replaced); the texts read back; the audio and every frame not written byte for byte as
// before; no file left beside it, not even a killed save's temporary; saved again, unchanged. An
// in-place save cut short after any of its writes (as a kill between pages would) leaves each tag
// wholly old or wholly new, and the next save completes the file.
TEST(Mp3FileLayout, EachLayoutIsWrittenInPlaceOnlyWhereAKillCannotTearATag)
{
    for (const LayoutCase& c : LayoutCases()) {
        SCOPED_TRACE(c.name);
        if (c.readOnlyFolder && ::geteuid() == 0)
            continue;  // the superuser writes into any folder
        const bool replaceable = !c.hardLinked && !c.readOnlyFolder;
        TempDir dir;
        const auto file = dir.Write("music/a.mp3", c.bytes);
        fs::permissions(file, fs::perms(0640));  // a new file takes the old one's mode and attributes
        const bool hasAttributes = ::setxattr(file.c_str(), "user.xdg.tags", "favourites", 10, 0) == 0;
        if (c.hardLinked)
            fs::create_hard_link(file, dir.Path() / "link.mp3");
        CMp3File record(file.string());
        record.Load();
        auto expected = c.texts;
        expected.merge(FieldsOf(record));
        SetFields(record, c.texts);
        const ino_t inode = InodeOf(file);
        size_t writes = 0;
        tag::SetInPlaceWriteHookForTests([&](unsigned long long offset, size_t size) {
            EXPECT_TRUE(!replaceable || offset / kPage == (offset + size - 1) / kPage) << offset << ", " << size;
            ++writes;
            return true;
        });
        const auto leftover = [&] {  // a killed save's temporary goes with the next save, whichever way it writes
            if (!c.readOnlyFolder)
                dir.Write("music/.a.mp3.kestrune-save", "half a file");
        };
        leftover();
        const auto folderWrite = c.readOnlyFolder ? fs::perms::owner_write : fs::perms::none;
        fs::permissions(file.parent_path(), folderWrite, fs::perm_options::remove);
        const bool saved = record.Save();
        fs::permissions(file.parent_path(), folderWrite, fs::perm_options::add);
        tag::SetInPlaceWriteHookForTests(nullptr);
        ASSERT_TRUE(saved) << record.GetSaveError();
        char kept[16] = {};
        const ssize_t keptSize = ::getxattr(file.c_str(), "user.xdg.tags", kept, sizeof kept);
        EXPECT_EQ(std::tuple(InodeOf(file) == inode, fs::status(file).permissions() & fs::perms::all,
                             std::string(kept, std::max<ssize_t>(keptSize, 0))),
                  std::tuple(c.way == Way::InPlace, fs::perms(0640), hasAttributes ? "favourites" : ""));

        const std::string after = ReadFile(file);
        EXPECT_EQ(PartsOf(after).audio, PartsOf(c.bytes).audio);
        EXPECT_EQ(StoredFrame(after, "APIC", 3), StoredFrame(c.bytes, "APIC", 3));
        EXPECT_EQ(LoadFields(file), expected);
        EXPECT_EQ(PartsOf(after).id3v1.substr(3, expected.at("title").size()), expected.at("title"));
        EXPECT_EQ(EntriesIn(file.parent_path()), 1);
        leftover();
        ASSERT_EQ(SaveTexts(file, c.texts), "");
        EXPECT_EQ(ReadFile(file), after) << "the same texts saved again write nothing";
        EXPECT_EQ(EntriesIn(file.parent_path()), 1);

        const Mp3Parts old = PartsOf(c.bytes), new_ = PartsOf(after);
        for (size_t k = 0; replaceable && k < writes; ++k) {
            SCOPED_TRACE("cut after write " + std::to_string(k));
            const auto cut = dir.Write("cut.mp3", c.bytes);
            size_t allowed = k;
            tag::SetInPlaceWriteHookForTests([&](unsigned long long, size_t) { return allowed-- > 0; });
            EXPECT_NE(SaveTexts(cut, c.texts), "");
            tag::SetInPlaceWriteHookForTests(nullptr);
            const Mp3Parts parts = PartsOf(ReadFile(cut));
            EXPECT_TRUE(parts.id3v2 == old.id3v2 || parts.id3v2 == new_.id3v2);
            EXPECT_TRUE(parts.id3v1 == old.id3v1 || parts.id3v1 == new_.id3v1);
            EXPECT_EQ(parts.audio, old.audio);
            ASSERT_EQ(SaveTexts(cut, c.texts), "");
            EXPECT_EQ(ReadFile(cut), after);
        }
    }
}

// A file another program replaces or changes after Load is read again, never written over with what
// the record read before; a write into a file renamed away meanwhile is not reported as saved.
TEST(Mp3FileLayout, AFileChangedOrReplacedAfterLoadIsNotWrittenFromWhatWasLoaded)
{
    TempDir dir;
    Mp3Spec mp3{.frames = {TextFrame("TIT2", "Old title"), TextFrame("TALB", "Old album")}, .padding = 500};
    const auto file = dir.Write("a.mp3", MakeMp3(mp3));
    CMp3File record(file.string());
    record.Load();
    record.SetTitle("New title");
    mp3.frames[1] = TextFrame("TALB", "Album of the other program");
    fs::rename(dir.Write("other.mp3", MakeMp3(mp3)), file);
    ASSERT_TRUE(record.Save()) << record.GetSaveError();
    // The album: the record's own text is written, as Save writes all twelve.
    const auto fields = LoadFields(file);
    EXPECT_EQ(fields.at("title") + ", " + fields.at("album"), "New title, Old album");

    // Renamed away between the write and the check: the write went into a file no longer at the path.
    record.SetTitle("Newer title");
    tag::SetInPlaceWriteHookForTests([&](unsigned long long, size_t) {
        fs::rename(file, dir.Path() / "moved.mp3");
        dir.Write("a.mp3", "a file of its own");
        return true;
    });
    EXPECT_FALSE(record.Save());
    tag::SetInPlaceWriteHookForTests(nullptr);
    EXPECT_EQ(record.GetSaveFailure().reason, SaveReason::ChangedMeanwhile);
    EXPECT_EQ(ReadFile(file), "a file of its own");
}

}  // namespace
}  // namespace kestrune::test
