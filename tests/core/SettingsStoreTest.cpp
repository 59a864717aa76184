// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <filesystem>

#include "ChildProcess.h"
#include "TempDir.h"
#include "platform/SettingsFile.h"
#include "settings/SettingsStore.h"

namespace tagnomen {
namespace {

using testing::ReadFile;
using testing::TempDir;
using testing::WriteFile;

// The sorted names in a directory.
std::vector<std::string> Entries(const std::string& directory) {
    std::vector<std::string> names;
    for (const auto& entry : std::filesystem::directory_iterator(directory)) {
        names.push_back(entry.path().filename().string());
    }
    std::sort(names.begin(), names.end());
    return names;
}

constexpr const char* kHeader =
    "Windows Registry Editor Version 5.00\n\n"
    "[HKEY_CURRENT_USER\\Software\\Corvanel\\Velk\\Tagnomen31\\Data]\n";

TEST(SettingsStoreFirstRun, CreatesTheFileAndWritesTheNineDefaultsInOrder) {
    TempDir dir;
    SettingsStore store(dir / "config/tagnomen/settings.reg");
    EXPECT_EQ(store.FirstRunCheck(), FirstRunResult::FirstRun);
    EXPECT_EQ(ReadFile(dir / "config/tagnomen/settings.reg"),
              std::string(kHeader) +
                  "\"IsFirstTime\"=\"0\"\n"
                  "\"Brackets\"=dword:00000001\n"
                  "\"RenamingMethod\"=dword:00000001\n"
                  "\"UnderScoreOption\"=dword:00000000\n"
                  "\"PathToWork\"=\"/\"\n"
                  "\"RootOrganizePath\"=\"/\"\n"
                  "\"UseTemplate\"=dword:00000000\n"
                  "\"FileInfoLoader\"=dword:00000000\n"
                  "\"SortMethod\"=dword:00000000\n");
}

TEST(SettingsStoreFirstRun, SecondStartWritesNothing) {
    TempDir dir;
    SettingsStore store(dir / "settings.reg");
    ASSERT_EQ(store.FirstRunCheck(), FirstRunResult::FirstRun);
    store.SetBrackets(0);
    const std::string before = ReadFile(dir / "settings.reg");
    EXPECT_EQ(SettingsStore(dir / "settings.reg").FirstRunCheck(), FirstRunResult::NotFirstRun);
    EXPECT_EQ(ReadFile(dir / "settings.reg"), before);
}

TEST(SettingsStoreFirstRun, AnyMarkerOtherThanZeroWritesTheDefaultsAgain) {
    for (const char* marker : {"1", "00", "", "yes"}) {
        TempDir dir;
        WriteFile(dir / "s.reg", std::string(kHeader) + "\"IsFirstTime\"=\"" + marker +
                                     "\"\n\"Brackets\"=dword:00000000\n");
        SettingsStore store(dir / "s.reg");
        EXPECT_EQ(store.FirstRunCheck(), FirstRunResult::FirstRun) << marker;
        int brackets = -1;
        store.GetBrackets(brackets);
        EXPECT_EQ(brackets, 1) << "defaults overwrite the user's options";
    }
}

// A damaged settings file is kept as "<file>.bad" before the defaults replace
// it; a file that is not a settings file is never written over.
TEST(SettingsStoreFirstRun, DamagedFileIsKeptAndAnotherFileLeftAlone) {
    const struct {
        const char* what;
        std::string content;
        FirstRunResult result;
        bool keptAsBad;
    } cases[] = {
        {"header without the key",
         "Windows Registry Editor Version 5.00\n\n\"Brackets\"=dword:00000000\n",
         FirstRunResult::FirstRun, true},
        {"cut inside the header", "Windows Registry Ed", FirstRunResult::FirstRun, true},
        {"empty file", "", FirstRunResult::FirstRun, false},
        {"notes", "milk, eggs\n", FirstRunResult::NotASettingsFile, false},
        {"values without the header", "garbage\n\"Brackets\"=dword:00000000\n",
         FirstRunResult::NotASettingsFile, false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        TempDir dir;
        WriteFile(dir / "s.reg", c.content);
        SettingsStore store(dir / "s.reg");
        EXPECT_EQ(store.FirstRunCheck(), c.result);
        EXPECT_EQ(dir.Exists("s.reg.bad"), c.keptAsBad);
        if (c.keptAsBad) {
            EXPECT_EQ(ReadFile(dir / "s.reg.bad"), c.content);
        }
        int brackets = -1;
        store.GetBrackets(brackets);
        if (c.result == FirstRunResult::FirstRun) {
            EXPECT_EQ(brackets, 1);
        } else {
            EXPECT_EQ(ReadFile(dir / "s.reg"), c.content) << "not written over";
            store.SetBrackets(0);
            EXPECT_EQ(ReadFile(dir / "s.reg"), c.content) << "not even by a setter";
        }
    }
}

// A FIFO in the settings file's place would make an open wait for a writer.
TEST(SettingsStoreFirstRun, FifoIsNeitherResetNorWaitedOn) {
    TempDir dir;
    ASSERT_EQ(mkfifo((dir / "fifo.reg").c_str(), 0600), 0);
    testing::ChildProcess child([&dir](testing::ChildProcess&) {
        return SettingsStore(dir / "fifo.reg").FirstRunCheck() == FirstRunResult::NotASettingsFile
                   ? 0
                   : 1;
    });
    int status = -1;
    ASSERT_TRUE(child.Wait(std::chrono::seconds(20), status)) << "waited on the FIFO";
    EXPECT_EQ(status, 0);
}

// A settings file the user cannot read is no first run: it is not reset.
TEST(SettingsStoreFirstRun, UnreadableFileIsNotReset) {
    if (geteuid() == 0) {
        GTEST_SKIP() << "root reads any file";
    }
    TempDir dir;
    const std::string stored = std::string(kHeader) + "\"IsFirstTime\"=\"0\"\n";
    WriteFile(dir / "s.reg", stored);
    ASSERT_EQ(chmod((dir / "s.reg").c_str(), 0), 0);
    EXPECT_EQ(SettingsStore(dir / "s.reg").FirstRunCheck(), FirstRunResult::Unreadable);
    ASSERT_EQ(chmod((dir / "s.reg").c_str(), 0600), 0);
    EXPECT_EQ(ReadFile(dir / "s.reg"), stored);
}

// Two copies start at once on a missing settings file; each stores a value
// right after its start. With the first run outside the lock, the later
// copy's defaults could overwrite the value the earlier one had stored.
TEST(SettingsStoreFirstRun, TwoCopiesStartingAtOnceLoseNothing) {
    constexpr int kRounds = 100;
    int lost = 0;
    for (int round = 0; round < kRounds; ++round) {
        TempDir dir;
        const std::string path = dir / "s.reg";
        auto copy = [&path](const char* name) {
            return [&path, name](testing::ChildProcess&) {
                SettingsStore store(path);
                store.FirstRunCheck();
                store.SetNumber(name, 7);
                return 0;
            };
        };
        {
            testing::ChildProcess first(copy("SortMethod"));
            testing::ChildProcess second(copy("Brackets"));
            int status = -1;
            ASSERT_TRUE(first.Wait(std::chrono::seconds(20), status));
            ASSERT_TRUE(second.Wait(std::chrono::seconds(20), status));
        }
        SettingsStore store(path);
        int sort = -1, brackets = -1;
        store.GetSortMethod(sort);
        store.GetBrackets(brackets);
        lost += (sort != 7) + (brackets != 7);
    }
    EXPECT_EQ(lost, 0) << "values lost in " << kRounds << " double starts";
}

TEST(SettingsStoreFirstRun, StoreThatCanNeitherBeOpenedNorCreatedIsFatal) {
    TempDir dir;
    // A regular file where the settings directory should be: no one, not
    // even root, can create the settings file below it.
    WriteFile(dir / "blocker", "x");
    SettingsStore store(dir / "blocker/tagnomen/settings.reg");
    EXPECT_EQ(store.FirstRunCheck(), FirstRunResult::Fatal);
}

TEST(SettingsStoreValues, NamesCompareWithoutRegardToCase) {
    TempDir dir;
    SettingsStore store(dir / "s.reg");
    store.FirstRunCheck();
    // The first run wrote "UnderScoreOption"; the setter names it "UnderscoreOption".
    store.SetUnderscoreOption(1);
    const std::string content = ReadFile(dir / "s.reg");
    EXPECT_NE(content.find("\"UnderScoreOption\"=dword:00000001"), std::string::npos);
    EXPECT_EQ(content.find("UnderscoreOption"), std::string::npos) << "one value, not two";
    int option = 0;
    store.GetNumber("UNDERSCOREOPTION", option);
    EXPECT_EQ(option, 1);
}

TEST(SettingsStoreValues, MissingValuesLeaveNumbersUnchangedAndReadAsEmptyText) {
    TempDir dir;
    WriteFile(dir / "s.reg", std::string(kHeader) + "\"IsFirstTime\"=\"0\"\n");
    SettingsStore store(dir / "s.reg");
    RenamingMethod method{42};
    store.GetRenamingMethod(method);
    EXPECT_EQ(method, RenamingMethod{42});
    std::string templateText = "old";
    store.GetTemplate(templateText);
    EXPECT_EQ(templateText, "");
}

TEST(SettingsStoreValues, WrongTypesReadAsMissing) {
    TempDir dir;
    WriteFile(dir / "s.reg",
              std::string(kHeader) + "\"Brackets\"=\"1\"\n\"PathToWork\"=dword:00000003\n");
    SettingsStore store(dir / "s.reg");
    int brackets = 7;
    store.GetBrackets(brackets);
    EXPECT_EQ(brackets, 7);
    std::string path = "x";
    store.GetPathToWork(path);
    EXPECT_EQ(path, "");
}

TEST(SettingsStoreValues, StringsLongerThan255CharactersReadAsEmpty) {
    TempDir dir;
    SettingsStore store(dir / "s.reg");
    store.FirstRunCheck();
    std::string path;
    store.SetPathToWork(std::string(255, 'a'));
    store.GetPathToWork(path);
    EXPECT_EQ(path, std::string(255, 'a'));
    store.SetPathToWork(std::string(256, 'a'));
    store.GetPathToWork(path);
    EXPECT_EQ(path, "");
    // Characters are counted, not bytes: 255 two-byte characters still fit.
    std::string accented;
    for (int i = 0; i < 255; ++i) {
        accented += "\xC3\xA9";
    }
    store.SetPathToWork(accented);
    store.GetPathToWork(path);
    EXPECT_EQ(path, accented);
}

TEST(SettingsStoreValues, TextsWithQuotesAndBackslashesSurviveTheFile) {
    TempDir dir;
    SettingsStore store(dir / "s.reg");
    store.FirstRunCheck();
    const std::string text = "C:\\Music \"best\" {#%Track - }";
    store.SetTemplate(text);
    std::string read;
    SettingsStore(dir / "s.reg").GetTemplate(read);
    EXPECT_EQ(read, text);
}

TEST(SettingsStoreValues, DamagedLinesAreSkippedAndTheOthersStayReadable) {
    TempDir dir;
    WriteFile(dir / "s.reg", std::string(kHeader) +
                                 "\"Brackets\"=dword:zz\n"
                                 "this is not a value\n"
                                 "\"RenamingMethod\"=dword:00000002\n"
                                 "\"Template\"=\"unterminated\n");
    SettingsStore store(dir / "s.reg");
    int brackets = 9;
    RenamingMethod method{9};
    store.GetBrackets(brackets);
    store.GetRenamingMethod(method);
    EXPECT_EQ(brackets, 9);
    EXPECT_EQ(method, RenamingMethod::Mass);
}

TEST(SettingsStoreValues, GettersSeeChangesMadeByAnotherCopyOfTheProgram) {
    TempDir dir;
    SettingsStore first(dir / "s.reg");
    SettingsStore second(dir / "s.reg");
    first.FirstRunCheck();
    RenamingMethod method{-1};
    second.GetRenamingMethod(method);
    EXPECT_EQ(method, RenamingMethod::SmartEngine);
    first.SetRenamingMethod(RenamingMethod::Mass);
    second.GetRenamingMethod(method);
    EXPECT_EQ(method, RenamingMethod::Mass);
    // And each copy's writes keep the other's.
    second.SetBrackets(0);
    first.SetSortMethod(3);
    int brackets = -1, sort = -1;
    SettingsStore third(dir / "s.reg");
    third.GetBrackets(brackets);
    third.GetSortMethod(sort);
    EXPECT_EQ(brackets, 0);
    EXPECT_EQ(sort, 3);
}

TEST(SettingsStoreValues, SettersOnAStoreWithoutWriteRightsStoreNothingAndSaySo) {
    TempDir dir;
    WriteFile(dir / "blocker", "x");
    SettingsStore store(dir / "blocker/s.reg");
    EXPECT_FALSE(store.SetBrackets(0));
    EXPECT_FALSE(store.SetTemplate("x"));
    EXPECT_EQ(store.LastFailure().name, "Template");
    EXPECT_EQ(store.LastFailure().reason, "Not a directory");
    int brackets = 5;
    store.GetBrackets(brackets);
    EXPECT_EQ(brackets, 5);
}

// A settings file kept elsewhere and linked into place (a dotfiles folder)
// stays linked: each write replaces the file at the end of the links, through
// a temporary file beside it, and leaves the link's own folder as it was.
TEST(SettingsStoreValues, ALinkedSettingsFileIsWrittenThroughToItsTarget) {
    const struct {
        const char* what;
        std::vector<std::pair<std::string, std::string>> links;  // link name, where it points
        bool firstRun;                                           // the target is missing yet
    } cases[] = {
        {"absolute link", {{"conf/s.reg", "@/real/s.reg"}}, false},
        {"relative link", {{"conf/s.reg", "../real/s.reg"}}, false},
        {"link to a link", {{"conf/s.reg", "more.reg"}, {"conf/more.reg", "../real/s.reg"}}, false},
        {"link to a file not made yet", {{"conf/s.reg", "../real/s.reg"}}, true},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        TempDir dir;
        ASSERT_EQ(mkdir((dir / "conf").c_str(), 0700), 0);
        ASSERT_EQ(mkdir((dir / "real").c_str(), 0700), 0);
        if (!c.firstRun) {
            WriteFile(dir / "real/s.reg", std::string(kHeader) + "\"IsFirstTime\"=\"0\"\n");
        }
        for (const auto& [link, target] : c.links) {
            const std::string to = target[0] == '@' ? dir.Path() + target.substr(1) : target;
            ASSERT_EQ(symlink(to.c_str(), (dir / link).c_str()), 0);
        }
        SettingsStore store(dir / "conf/s.reg");
        EXPECT_EQ(store.FirstRunCheck(),
                  c.firstRun ? FirstRunResult::FirstRun : FirstRunResult::NotFirstRun);
        EXPECT_TRUE(store.SetBrackets(0));
        for (const auto& [link, target] : c.links) {
            struct stat info {};
            ASSERT_EQ(lstat((dir / link).c_str(), &info), 0);
            EXPECT_TRUE(S_ISLNK(info.st_mode)) << link << " is a link still";
        }
        EXPECT_NE(ReadFile(dir / "real/s.reg").find("\"Brackets\"=dword:00000000"),
                  std::string::npos);
        EXPECT_EQ(Entries(dir / "conf").size(), c.links.size()) << "nothing beside the links";
        EXPECT_EQ(Entries(dir / "real"), (std::vector<std::string>{"s.reg", "s.reg.lock"}));
        int brackets = -1;
        SettingsStore(dir / "conf/s.reg").GetBrackets(brackets);
        EXPECT_EQ(brackets, 0);
    }
}

// "--set IsFirstTime=1" asks for a first run: the defaults go to the file,
// while reads of the overlaid name keep seeing the overlay.
TEST(SettingsStoreOverlay, OverlaidFirstTimeMarkerStartsAFirstRun) {
    TempDir dir;
    WriteFile(dir / "s.reg",
              std::string(kHeader) + "\"IsFirstTime\"=\"0\"\n\"Brackets\"=dword:00000000\n");
    SettingsStore store(dir / "s.reg");
    store.SetOverlay("IsFirstTime", "1");
    EXPECT_EQ(store.FirstRunCheck(), FirstRunResult::FirstRun);
    int brackets = -1;
    store.GetBrackets(brackets);
    EXPECT_EQ(brackets, 1);
    EXPECT_EQ(store.AllValues().at("IsFirstTime"), "1");
    EXPECT_EQ(SettingsStore(dir / "s.reg").GetString("IsFirstTime"), "0");
}

TEST(SettingsStoreOverlay, OverlaidValuesAreReadAndWrittenButNeverPersisted) {
    TempDir dir;
    SettingsStore store(dir / "s.reg");
    store.SetOverlay("renamingmethod", "2");
    store.SetOverlay("Template", "%Artist");
    store.FirstRunCheck();  // writes the defaults to the file, the overlay stays
    RenamingMethod method{-1};
    store.GetRenamingMethod(method);
    EXPECT_EQ(method, RenamingMethod::Mass);
    store.SetRenamingMethod(RenamingMethod::Id3Tag);
    store.GetRenamingMethod(method);
    EXPECT_EQ(method, RenamingMethod::Id3Tag);
    std::string templateText;
    store.GetTemplate(templateText);
    EXPECT_EQ(templateText, "%Artist");

    SettingsStore fresh(dir / "s.reg");
    fresh.GetRenamingMethod(method);
    EXPECT_EQ(method, RenamingMethod::SmartEngine);
    fresh.GetTemplate(templateText);
    EXPECT_EQ(templateText, "");
}

TEST(SettingsFileFormat, ParseReadsWhatSerializeWrites) {
    RegistryValue number;
    number.type = RegistryValue::Type::Dword;
    number.number = 0xFFFFFFFF;
    RegistryValue text;
    text.text = "a\\b\"c\nd";
    auto parsed = SettingsFile::Parse(SettingsFile::Serialize({{"N", number}, {"T", text}}));
    ASSERT_TRUE(parsed.has_value());
    ASSERT_EQ(parsed->size(), 2u);
    EXPECT_EQ((*parsed)[0].second.number, 0xFFFFFFFFu);
    EXPECT_EQ((*parsed)[1].second.text, text.text);
}

TEST(SettingsStoreDefaultPath, FollowsTheEnvironment) {
    testing::ScopedSettingsFile scoped;
    EXPECT_EQ(SettingsStore::DefaultPath(), scoped.Path());
    unsetenv("TAGNOMEN_SETTINGS");
    setenv("XDG_CONFIG_HOME", "/xdg", 1);
    EXPECT_EQ(SettingsStore::DefaultPath(), "/xdg/tagnomen/settings.reg");
    unsetenv("XDG_CONFIG_HOME");
    setenv("HOME", "/home/ana", 1);
    EXPECT_EQ(SettingsStore::DefaultPath(), "/home/ana/.config/tagnomen/settings.reg");
}

}  // namespace
}  // namespace tagnomen
