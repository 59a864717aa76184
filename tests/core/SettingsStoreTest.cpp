#include <gtest/gtest.h>

#include "TempDir.h"
#include "platform/SettingsFile.h"
#include "settings/SettingsStore.h"

namespace tagnomen {
namespace {

using testing::ReadFile;
using testing::TempDir;
using testing::WriteFile;

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

TEST(SettingsStoreFirstRun, FileWithoutTheKeyCountsAsAFirstRun) {
    TempDir dir;
    WriteFile(dir / "s.reg", "garbage\n\"Brackets\"=dword:00000000\n");
    SettingsStore store(dir / "s.reg");
    EXPECT_EQ(store.FirstRunCheck(), FirstRunResult::FirstRun);
    int brackets = -1;
    store.GetBrackets(brackets);
    EXPECT_EQ(brackets, 1);
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
    int method = 42;
    store.GetRenamingMethod(method);
    EXPECT_EQ(method, 42);
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
    for (int i = 0; i < 255; ++i)
        accented += "\xC3\xA9";
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
    int brackets = 9, method = 9;
    store.GetBrackets(brackets);
    store.GetRenamingMethod(method);
    EXPECT_EQ(brackets, 9);
    EXPECT_EQ(method, 2);
}

TEST(SettingsStoreValues, GettersSeeChangesMadeByAnotherCopyOfTheProgram) {
    TempDir dir;
    SettingsStore first(dir / "s.reg");
    SettingsStore second(dir / "s.reg");
    first.FirstRunCheck();
    int method = -1;
    second.GetRenamingMethod(method);
    EXPECT_EQ(method, 1);
    first.SetRenamingMethod(2);
    second.GetRenamingMethod(method);
    EXPECT_EQ(method, 2);
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

TEST(SettingsStoreValues, StringGettersAndSettersRefreshTheContextCaches) {
    TempDir dir;
    SettingsStore store(dir / "s.reg");
    store.FirstRunCheck();
    SettingsCaches caches;
    store.AttachCaches(&caches);
    store.SetTemplate("%Title");
    store.SetRootOrganizePath("/root/x");
    EXPECT_EQ(caches.templateText, "%Title");
    EXPECT_EQ(caches.organizeRoot, "/root/x");
    WriteFile(dir / "s.reg", std::string(kHeader) + "\"PathToWork\"=\"/music\"\n");
    std::string path;
    store.GetPathToWork(path);
    EXPECT_EQ(caches.workDirectory, "/music");
    store.AttachCaches(nullptr);
}

TEST(SettingsStoreValues, SettersOnAStoreWithoutWriteRightsFailSilently) {
    TempDir dir;
    WriteFile(dir / "blocker", "x");
    SettingsStore store(dir / "blocker/s.reg");
    store.SetBrackets(0);
    store.SetTemplate("x");
    int brackets = 5;
    store.GetBrackets(brackets);
    EXPECT_EQ(brackets, 5);
}

TEST(SettingsStoreOverlay, OverlaidValuesAreReadAndWrittenButNeverPersisted) {
    TempDir dir;
    SettingsStore store(dir / "s.reg");
    store.SetOverlay("renamingmethod", "2");
    store.SetOverlay("Template", "%Artist");
    store.FirstRunCheck();  // writes the defaults to the file, the overlay stays
    int method = -1;
    store.GetRenamingMethod(method);
    EXPECT_EQ(method, 2);
    store.SetRenamingMethod(0);
    store.GetRenamingMethod(method);
    EXPECT_EQ(method, 0);
    std::string templateText;
    store.GetTemplate(templateText);
    EXPECT_EQ(templateText, "%Artist");

    SettingsStore fresh(dir / "s.reg");
    fresh.GetRenamingMethod(method);
    EXPECT_EQ(method, 1);
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
