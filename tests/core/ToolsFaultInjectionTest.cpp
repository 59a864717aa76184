// SPDX-License-Identifier: GPL-3.0-or-later
// Reliability of the two batch tools. The tag cleaner and the files
// organizer each work through 500 files while a random tenth of them (a fixed
// seed picks which) is made unwritable, removed, replaced by a directory, or
// (organizer) beaten to its place in the target folder, at the moment the
// tool reaches that file. Unwritable means the immutable attribute, which
// holds for root too; where the file system or the user cannot set it, those
// files are replaced by a directory instead.
//
// Afterwards: no audio byte of any file is lost or changed, every file that
// was not removed exists exactly once, and every sabotaged file, and only
// those, was named in a failure message. The figures are printed.
#include <fcntl.h>
#include <gtest/gtest.h>
#include <linux/fs.h>
#include <sys/ioctl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <map>
#include <memory>
#include <random>
#include <set>

#include "RenameTestFiles.h"
#include "ScriptedUi.h"
#include "TableRows.h"
#include "TempDir.h"
#include "app/Workbench.h"
#include "platform/FileSystem.h"
#include "tags/Id3v1Record.h"
#include "tags/Id3v2Record.h"
#include "tools/FilesOrganizer.h"
#include "tools/TagCleaner.h"

namespace tagnomen {
namespace {

using testing::AudioOf;

namespace fs = std::filesystem;
using testing::Id3v1Bytes;
using testing::Id3v2Bytes;
using testing::TempDir;

constexpr std::size_t kFiles = 500;
constexpr std::size_t kSabotaged = kFiles / 10;
constexpr unsigned kSeed = 20240611;

enum class Fault { None, Unwritable, Removed, Directory, Occupied };

const char* FaultName(Fault fault) {
    switch (fault) {
        case Fault::Unwritable:
            return "made unwritable";
        case Fault::Removed:
            return "removed";
        case Fault::Directory:
            return "replaced by a directory";
        case Fault::Occupied:
            return "name taken in the target folder";
        case Fault::None:
            break;
    }
    return "untouched";
}

bool SetImmutable(const std::string& path, bool on) {
    const int fd = ::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0) {
        return false;
    }
    int flags = 0;
    bool ok = ::ioctl(fd, FS_IOC_GETFLAGS, &flags) == 0;
    if (ok) {
        flags = on ? (flags | FS_IMMUTABLE_FL) : (flags & ~FS_IMMUTABLE_FL);
        ok = ::ioctl(fd, FS_IOC_SETFLAGS, &flags) == 0;
    }
    ::close(fd);
    return ok;
}

// Clears the immutable attribute of every file it was set on, whatever happens.
class ImmutableFiles {
  public:
    ~ImmutableFiles() {
        for (const std::string& path : paths_) {
            SetImmutable(path, false);
        }
    }
    bool Set(const std::string& path) {
        if (!SetImmutable(path, true)) {
            return false;
        }
        paths_.push_back(path);
        return true;
    }
    static bool Supported(const std::string& directory) {
        const std::string probe = directory + "/.immutable-probe";
        testing::WriteFile(probe, "x");
        const bool supported = SetImmutable(probe, true);
        if (supported) {
            SetImmutable(probe, false);
        }
        ::unlink(probe.c_str());
        return supported;
    }

  private:
    std::vector<std::string> paths_;
};

struct Song {
    std::string name;
    std::string audio;
    std::string bytes;    // as written before the run
    std::string comment;  // the ID3v2 comment, which the cleaner keeps
    testing::RowTexts row;
    Fault fault = Fault::None;
};

// Letters only: no blanks a setter would trim, no value the start rule refuses.
std::string RandomWord(std::mt19937& random, std::size_t length) {
    static const std::string letters = "abcdefghijklmnopqrstuvwxyzABCDEFGHIJKLMNOPQRSTUVWXYZ";
    std::string word;
    for (std::size_t i = 0; i < length; ++i) {
        word += letters[random() % letters.size()];
    }
    return word;
}

// 500 files with both tags and audio of random bytes, and their table rows;
// a random tenth marked with the faults given, in turn.
std::vector<Song> MakeSongs(const TempDir& work, unsigned seed, const std::vector<Fault>& faults) {
    std::mt19937 random(seed);
    std::vector<Song> songs(kFiles);
    for (std::size_t i = 0; i < kFiles; ++i) {
        Song& song = songs[i];
        char name[32];
        std::snprintf(name, sizeof name, "song-%03zu.mp3", i);
        song.name = name;
        const std::size_t audioLength = 1000 + random() % 3000;
        song.audio = std::string("\xFF\xFB", 2);
        while (song.audio.size() < audioLength) {
            char c = static_cast<char>(random() & 0xFF);
            song.audio += c == 'T' ? 't' : c;  // the audio never holds "TAG"
        }
        const std::string title = RandomWord(random, 3 + random() % 40);
        const std::string artist = RandomWord(random, 3 + random() % 20);
        song.comment = RandomWord(random, 1 + random() % 32);
        song.bytes = Id3v2Bytes({{"TIT2", "old " + title},
                                 {"TPE1", artist},
                                 {"COMM", std::string("eng\0", 4) + song.comment},
                                 {"TCOM", "Composer"}}) +
                     song.audio + Id3v1Bytes({.title = "old", .artist = artist, .track = 1});
        work.Write(song.name, song.bytes);
        song.row = {song.name,
                    title,
                    artist,
                    "Album " + std::to_string(i % 7),
                    std::to_string(1950 + i % 60),
                    std::to_string(i % 20),
                    std::to_string(i % 150)};
    }
    std::vector<std::size_t> order(kFiles);
    for (std::size_t i = 0; i < kFiles; ++i) {
        order[i] = i;
    }
    std::shuffle(order.begin(), order.end(), random);
    for (std::size_t k = 0; k < kSabotaged; ++k) {
        songs[order[k]].fault = faults[k % faults.size()];
    }
    return songs;
}

// Regular files of that name anywhere below the directories.
int CountCopies(const std::vector<std::string>& directories, const std::string& name) {
    int count = 0;
    for (const std::string& directory : directories) {
        std::error_code error;
        for (auto it = fs::recursive_directory_iterator(directory, error);
             !error && it != fs::recursive_directory_iterator(); it.increment(error)) {
            if (it->path().filename() == name && it->is_regular_file()) {
                ++count;
            }
        }
    }
    return count;
}

std::set<std::string> NamesInMessages(const ScriptedUi& ui, const std::vector<Song>& songs,
                                      std::size_t& messages) {
    std::set<std::string> named;
    messages = 0;
    for (const UiCall& call : ui.CallsOfKind("message")) {
        ++messages;
        for (const Song& song : songs) {
            const std::string& text = call.text;
            if (text.size() >= song.name.size() &&
                text.compare(text.size() - song.name.size(), song.name.size(), song.name) == 0) {
                named.insert(song.name);
            }
        }
    }
    return named;
}

class ToolsFaultInjectionTest : public ::testing::Test {
  protected:
    void SetUp() override {
        SettingsStore setup(settingsDir_ / "s.reg");
        setup.FirstRunCheck();
        setup.SetPathToWork(work_.Path());
        setup.SetRootOrganizePath(root_.Path());
        setup.SetFileInfoLoader(1);
        immutable_ = ImmutableFiles::Supported(work_.Path());
        ASSERT_TRUE(CreateDirectoryLevel(side_));
    }

    Workbench& Start(const std::vector<Song>& songs) {
        workbench_ = std::make_unique<Workbench>(store_, ui_);
        EXPECT_EQ(workbench_->Start(), StartResult::Ready);
        for (const Song& song : songs) {
            workbench_->Context().table.AppendRow(testing::RowOf(song.row));
        }
        return *workbench_;
    }

    // Applies a song's fault to its file in the work directory.
    void Sabotage(Song& song, const std::string& targetFolder = {}) {
        const std::string path = work_ / song.name;
        switch (song.fault) {
            case Fault::Unwritable:
                if (locked_.Set(path)) {
                    break;
                }
                song.fault = Fault::Directory;
                [[fallthrough]];
            case Fault::Directory:
                ASSERT_EQ(::rename(path.c_str(), (side_ + "/" + song.name).c_str()), 0);
                ASSERT_TRUE(CreateDirectoryLevel(path));
                break;
            case Fault::Removed:
                ASSERT_TRUE(RemoveFile(path));
                break;
            case Fault::Occupied:
                ASSERT_TRUE(CreateDirectoryLevel(targetFolder));
                testing::WriteFile(targetFolder + "/" + song.name, "occupier");
                break;
            case Fault::None:
                break;
        }
    }

    std::map<Fault, int> CountFaults(const std::vector<Song>& songs) const {
        std::map<Fault, int> counts;
        for (const Song& song : songs) {
            if (song.fault != Fault::None) {
                ++counts[song.fault];
            }
        }
        return counts;
    }

    static std::string Figures(const std::map<Fault, int>& counts) {
        std::string text;
        for (const auto& [fault, count] : counts) {
            text += (text.empty() ? "" : ", ") + std::to_string(count) + " " + FaultName(fault);
        }
        return text;
    }

    testing::CurrentDirectoryGuard cwd_;
    TempDir settingsDir_;
    TempDir work_;
    TempDir root_;
    std::string side_ = settingsDir_ / "side";
    SettingsStore store_{settingsDir_ / "s.reg"};
    ScriptedUi ui_;
    std::unique_ptr<Workbench> workbench_;
    bool immutable_ = false;
    ImmutableFiles locked_;
};

TEST_F(ToolsFaultInjectionTest, CleanerLosesNoAudioAndReportsEverySabotagedFile) {
    store_.SetFullTagSupport(false);  // fresh tags from the table, both old ones gone
    std::vector<Song> songs =
        MakeSongs(work_, kSeed, {Fault::Unwritable, Fault::Removed, Fault::Directory});
    Workbench& wb = Start(songs);
    ASSERT_EQ(wb.Set().Size(), kFiles);
    ui_.yesNoAnswers = {true};
    const CleanResult result = CleanTags(wb.Context(), wb.Set().OldNames(),
                                         [&](std::size_t index, const std::string& name) {
                                             ASSERT_EQ(songs[index].name, name);
                                             Sabotage(songs[index]);
                                         });
    ASSERT_TRUE(result.ran);
    EXPECT_EQ(result.files, kFiles);

    std::size_t audioChecked = 0, audioMismatches = 0, withId3v2 = 0, copiesWrong = 0;
    for (const Song& song : songs) {
        SCOPED_TRACE(song.name + ": " + FaultName(song.fault));
        const std::string path = work_ / song.name;
        const int copies = CountCopies({work_.Path(), side_}, song.name);
        const int expectedCopies = song.fault == Fault::Removed ? 0 : 1;
        copiesWrong += copies != expectedCopies;
        EXPECT_EQ(copies, expectedCopies);
        switch (song.fault) {
            case Fault::Removed:
                EXPECT_FALSE(PathExists(path)) << "a removed file is not made again";
                continue;
            case Fault::Directory:
                EXPECT_TRUE(IsDirectory(path));
                EXPECT_EQ(testing::ReadFile(side_ + "/" + song.name), song.bytes);
                continue;
            case Fault::Unwritable:
                EXPECT_EQ(testing::ReadFile(path), song.bytes);
                continue;
            default:
                break;
        }
        const std::string bytes = testing::ReadFile(path);
        ++audioChecked;
        if (AudioOf(bytes) != song.audio) {
            ++audioMismatches;
            ADD_FAILURE() << "audio bytes changed";
        }
        Id3v1Record v1;
        Id3v2Record v2;
        v1.ReadTag(path);
        v2.ReadTag(path);
        EXPECT_EQ(v1.title, song.row[1] /* title */.substr(0, 30));
        const bool needsId3v2 = song.row[1] /* title */.size() > 30 || song.comment.size() > 28;
        withId3v2 += v2.tagPresent == 1;
        EXPECT_EQ(v2.tagPresent == 1, needsId3v2);
        if (v2.tagPresent == 1) {
            EXPECT_EQ(v2.title, song.row[1] /* title */);
            EXPECT_EQ(v2.composer, "") << "no frame of the old tag survives";
        }
    }
    for (const auto& entry : fs::directory_iterator(work_.Path())) {
        EXPECT_NE(entry.path().extension(), ".tmp") << entry.path();
    }

    std::size_t messages = 0;
    const std::set<std::string> named = NamesInMessages(ui_, songs, messages);
    std::size_t unreported = 0, falselyReported = 0;
    for (const Song& song : songs) {
        const bool reported = named.count(song.name) != 0;
        unreported += song.fault != Fault::None && !reported;
        falselyReported += song.fault == Fault::None && reported;
        EXPECT_EQ(reported, song.fault != Fault::None)
            << song.name << ": " << FaultName(song.fault);
    }
    std::printf(
        "[ figures  ] cleaner: %zu files, %zu sabotaged while the batch ran (%s%s); %zu failure "
        "messages naming %zu files; %zu unreported, %zu reported without a fault; audio checked "
        "in %zu files, %zu changed; %zu with a new ID3v2 tag; %zu files not found exactly "
        "once\n",
        kFiles, kSabotaged, Figures(CountFaults(songs)).c_str(),
        immutable_ ? "" : "; the immutable attribute is not available here", messages, named.size(),
        unreported, falselyReported, audioChecked, audioMismatches, withId3v2, copiesWrong);
}

class OrganizerFaultInjectionTest : public ToolsFaultInjectionTest,
                                    public ::testing::WithParamInterface<bool> {};

TEST_P(OrganizerFaultInjectionTest, OrganizerMovesEveryFileOnceAndReportsEverySabotagedOne) {
    const bool otherFileSystem = GetParam();
    std::string root = root_.Path();
    if (otherFileSystem) {
        struct stat work {
        }, shm{};
        if (stat(work_.Path().c_str(), &work) != 0 || stat("/dev/shm", &shm) != 0 ||
            work.st_dev == shm.st_dev || access("/dev/shm", W_OK) != 0) {
            GTEST_SKIP() << "no second file system at /dev/shm";
        }
        char pattern[] = "/dev/shm/tagnomen-faults-XXXXXX";
        ASSERT_NE(mkdtemp(pattern), nullptr);
        root = pattern;
        store_.SetRootOrganizePath(root);
    }
    struct RemoveRoot {
        std::string path;
        bool owned;
        ~RemoveRoot() {
            std::error_code ignored;
            if (owned) {
                fs::remove_all(path, ignored);
            }
        }
    } removeRoot{root, otherFileSystem};

    std::vector<Song> songs = MakeSongs(
        work_, kSeed + 1, {Fault::Unwritable, Fault::Removed, Fault::Directory, Fault::Occupied});
    Workbench& wb = Start(songs);
    work_.Write("Undo.inf", "undo");
    const OrganizeRule rule{SortMethod::Title, SortDetail::Alphabetically};
    const OrganizeResult result =
        OrganizeFiles(wb.Context(), rule, [&](std::size_t row, const std::string& name) {
            ASSERT_EQ(songs[row].name, name);
            Sabotage(songs[row],
                     root + "/" + FolderNameFor(testing::RowOf(songs[row].row).values, rule));
        });
    EXPECT_FALSE(result.aborted);
    EXPECT_FALSE(work_.Exists("Undo.inf"));

    std::size_t copiesWrong = 0, bytesChanged = 0;
    for (const Song& song : songs) {
        SCOPED_TRACE(song.name + ": " + FaultName(song.fault));
        const std::string folder =
            root + "/" + FolderNameFor(testing::RowOf(song.row).values, rule);
        const int copies = CountCopies({work_.Path(), root, side_}, song.name);
        const int expectedCopies =
            song.fault == Fault::Removed ? 0 : (song.fault == Fault::Occupied ? 2 : 1);
        copiesWrong += copies != expectedCopies;
        EXPECT_EQ(copies, expectedCopies);
        std::string where;
        switch (song.fault) {
            case Fault::None:
                where = folder + "/" + song.name;
                break;
            case Fault::Unwritable:
                where = work_ / song.name;
                break;
            case Fault::Directory:
                where = side_ + "/" + song.name;
                EXPECT_TRUE(IsDirectory(work_ / song.name)) << "a directory is not moved";
                break;
            case Fault::Occupied:
                where = work_ / song.name;
                EXPECT_EQ(testing::ReadFile(folder + "/" + song.name), "occupier");
                break;
            case Fault::Removed:
                continue;
        }
        if (testing::ReadFile(where) != song.bytes) {
            ++bytesChanged;
            ADD_FAILURE() << "bytes changed or missing at " << where;
        }
    }

    std::size_t messages = 0;
    const std::set<std::string> named = NamesInMessages(ui_, songs, messages);
    std::size_t unreported = 0;
    for (const Song& song : songs) {
        const bool reported = named.count(song.name) != 0;
        unreported += song.fault != Fault::None && !reported;
        EXPECT_EQ(reported, song.fault != Fault::None)
            << song.name << ": " << FaultName(song.fault);
    }
    EXPECT_EQ(messages, kSabotaged) << "one \"Unable to move \" per sabotaged file";
    EXPECT_EQ(result.moved, kFiles - kSabotaged);
    std::printf(
        "[ figures  ] organizer%s: %zu files, %zu sabotaged while the batch ran (%s%s); %zu moved, "
        "%zu \"Unable to move\" messages, %zu unreported; %zu files with changed or missing "
        "bytes; %zu files not found the expected number of times\n",
        otherFileSystem ? " (root on another file system)" : "", kFiles, kSabotaged,
        Figures(CountFaults(songs)).c_str(),
        immutable_ ? "" : "; the immutable attribute is not available here", result.moved, messages,
        unreported, bytesChanged, copiesWrong);
}

INSTANTIATE_TEST_SUITE_P(SameAndOtherFileSystem, OrganizerFaultInjectionTest,
                         ::testing::Values(false, true),
                         [](const ::testing::TestParamInfo<bool>& param) {
                             return param.param ? "RootOnAnotherFileSystem" : "RootOnTheSameOne";
                         });

}  // namespace
}  // namespace tagnomen
