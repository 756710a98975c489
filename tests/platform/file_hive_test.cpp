#include <gtest/gtest.h>

#include <filesystem>
#include <iterator>
#include <string>

#include <sys/stat.h>

#include "platform/linux/file_hive.h"
#include "platform/registry.h"
#include "tests/support/temp_folder_test.h"

namespace {

namespace fs = std::filesystem;
using namespace std::string_literals;

const AnsiString kKey = "\\Software\\xiangling";

class FileHiveTest : public TempFolderTest {
 protected:
  void SetUp() override {
    TempFolderTest::SetUp();
    fs::create_directory(folder / "store");
    path = (folder / "store" / "registry.txt").string();
  }

  std::string path;
};

TEST_F(FileHiveTest, MissingFileIsAnEmptyHiveAndReadingCreatesNoFile) {
  FileHive hive(path);
  EXPECT_FALSE(hive.OpenKey(HKEY_LOCAL_MACHINE, kKey, false));
  EXPECT_FALSE(hive.ReadValue(HKEY_LOCAL_MACHINE, kKey, "UserId").has_value());
  EXPECT_FALSE(hive.Values(HKEY_LOCAL_MACHINE, kKey).has_value());
  EXPECT_FALSE(fs::exists(path));
}

TEST_F(FileHiveTest, EveryKindOfValueSurvivesAReload) {
  const std::vector<NamedValue> values{
      {"UserId", {TRegDataType::rdString, "42"}},
      {"Name", {TRegDataType::rdString, "张三"}},
      {"Awkward\tName%20\n", {TRegDataType::rdString, "tab\tline\r\nnul\0%"s}},
      {"Empty", {TRegDataType::rdString, ""}},
      {"Home", {TRegDataType::rdExpandString, "%APPDATA%"}},
      {"AutoRun", {TRegDataType::rdInteger, {}, -7}},
      {"Blob", {TRegDataType::rdBinary, "\xFF\x00\x0A"s}},
      {"Untyped", {TRegDataType::rdUnknown, "x"}},
  };
  {
    FileHive hive(path);
    ASSERT_TRUE(hive.OpenKey(HKEY_LOCAL_MACHINE, kKey, true));
    ASSERT_TRUE(hive.OpenKey(HKEY_CURRENT_USER, "\\Empty\\Key", true));
    for (const NamedValue& named : values) ASSERT_TRUE(hive.WriteValue(HKEY_LOCAL_MACHINE, kKey, named.name, named.value));
  }
  FileHive reloaded(path);
  EXPECT_EQ(reloaded.Values(HKEY_LOCAL_MACHINE, "software\\XIANGLING"), values);
  EXPECT_EQ(reloaded.Values(HKEY_CURRENT_USER, "Empty\\Key"), std::vector<NamedValue>{});
  EXPECT_FALSE(reloaded.Values(HKEY_LOCAL_MACHINE, "Empty\\Key").has_value());
}

TEST_F(FileHiveTest, RegistryClassReadsWhatAnEarlierRunWrote) {
  {
    FileHive hive(path);
    TRegistry reg(hive);
    reg.RootKey = HKEY_LOCAL_MACHINE;
    ASSERT_TRUE(reg.OpenKey(kKey, true));
    reg.WriteString("UserId", "42");
    reg.WriteString("AutoRun", "1");
    reg.WriteString("userid", "43");
  }
  FileHive hive(path);
  TRegistry reg(hive);
  reg.RootKey = HKEY_LOCAL_MACHINE;
  ASSERT_TRUE(reg.OpenKey(kKey, false));
  EXPECT_EQ(reg.ReadString("UserID"), "43");
  EXPECT_EQ(reg.ReadString("AutoRun"), "1");
}

TEST_F(FileHiveTest, DeletedKeyStaysDeletedAfterAReload) {
  {
    FileHive hive(path);
    ASSERT_TRUE(hive.OpenKey(HKEY_LOCAL_MACHINE, kKey, true));
    ASSERT_TRUE(hive.OpenKey(HKEY_LOCAL_MACHINE, "\\Software\\other", true));
    ASSERT_TRUE(hive.WriteValue(HKEY_LOCAL_MACHINE, kKey, "UserId", {TRegDataType::rdString, "42"}));
    EXPECT_TRUE(hive.DeleteKey(HKEY_LOCAL_MACHINE, "SOFTWARE\\XIANGLING"));
    EXPECT_FALSE(hive.DeleteKey(HKEY_LOCAL_MACHINE, kKey));
  }
  FileHive hive(path);
  EXPECT_FALSE(hive.OpenKey(HKEY_LOCAL_MACHINE, kKey, false));
  EXPECT_TRUE(hive.OpenKey(HKEY_LOCAL_MACHINE, "\\Software\\other", false));
}

TEST_F(FileHiveTest, WritesLeaveNoTemporaryFilesBehind) {
  FileHive hive(path);
  ASSERT_TRUE(hive.OpenKey(HKEY_LOCAL_MACHINE, kKey, true));
  for (const char* value : {"1", "2", "3"}) {
    ASSERT_TRUE(hive.WriteValue(HKEY_LOCAL_MACHINE, kKey, "UserId", {TRegDataType::rdString, value}));
  }
  const auto entries = std::distance(fs::directory_iterator(folder / "store"), fs::directory_iterator());
  EXPECT_EQ(entries, 1);
}

// The store's folder is moved away and a plain file takes its name, so nothing can be
// written where the hive keeps its file.
TEST_F(FileHiveTest, FailedWriteChangesNeitherTheFileNorTheHive) {
  FileHive hive(path);
  ASSERT_TRUE(hive.OpenKey(HKEY_LOCAL_MACHINE, kKey, true));
  ASSERT_TRUE(hive.WriteValue(HKEY_LOCAL_MACHINE, kKey, "UserId", {TRegDataType::rdString, "42"}));
  const std::string before = ReadText(path);
  fs::rename(folder / "store", folder / "kept");
  WriteText(folder / "store", "not a folder");

  EXPECT_FALSE(hive.WriteValue(HKEY_LOCAL_MACHINE, kKey, "UserId", {TRegDataType::rdString, "43"}));
  EXPECT_FALSE(hive.WriteValue(HKEY_LOCAL_MACHINE, kKey, "Password", {TRegDataType::rdString, "x"}));
  EXPECT_FALSE(hive.DeleteKey(HKEY_LOCAL_MACHINE, kKey));
  EXPECT_FALSE(hive.OpenKey(HKEY_LOCAL_MACHINE, "\\Software\\other", true));
  EXPECT_TRUE(hive.OpenKey(HKEY_LOCAL_MACHINE, kKey, true));  // exists already: nothing to write
  EXPECT_EQ(hive.ReadValue(HKEY_LOCAL_MACHINE, kKey, "UserId")->bytes, "42");
  EXPECT_FALSE(hive.ValueExists(HKEY_LOCAL_MACHINE, kKey, "Password"));

  fs::remove(folder / "store");
  fs::rename(folder / "kept", folder / "store");
  EXPECT_EQ(ReadText(path), before);
  EXPECT_EQ(std::distance(fs::directory_iterator(folder / "store"), fs::directory_iterator()), 1);
}

TEST_F(FileHiveTest, MissingFolderRefusesToCreateKeys) {
  FileHive hive((folder / "absent" / "registry.txt").string());
  EXPECT_FALSE(hive.OpenKey(HKEY_LOCAL_MACHINE, kKey, true));
  EXPECT_FALSE(hive.Values(HKEY_LOCAL_MACHINE, kKey).has_value());
}

TEST_F(FileHiveTest, OddLinesAreSkippedAndTheRestIsRead) {
  const std::string odd_lines[] = {
      "garbage",
      "",
      "\xFF\xFE\x00\x01"s,
      "zz\tSoftware\\xiangling\tUserId\tREG_SZ\t3939",              // root is not a number
      "80000002\tSoftware\\xiangling\tUserId\tREG_SZ\t3",           // odd number of hex digits
      "80000002\tSoftware\\xiangling\tUserId\tREG_SZ\tzz",          // not hex
      "80000002\tSoftware\\xiangling\tUserId\tREG_WEIRD\t39",       // unknown type
      "80000002\tSoftware\\xiangling\tAutoRun\tREG_DWORD\t12abc",   // not a number
      "80000002\tSoftware\\xiangling\tAutoRun\tREG_DWORD\t99999999999",
      "80000002\tSoftware\\xiangling\tAutoRun\tREG_DWORD\t",
      "80000002\tSoftware\\xiangling\tBad%4\tREG_SZ\t39",           // cut escape
      "80000002\tSoftware\\xiangling\tBad%G1\tREG_SZ\t39",          // bad escape
      "80000002\tSoftware\\xiangling\tUserId\tREG_SZ",              // four fields
      "80000002\tSoftware\\xiangling\tUserId\tREG_SZ\t39\textra",   // six fields
      "80000002\tSoftware\\other\tOnly\tREG_SZ\tzz",                // a bad value makes no key
  };
  std::string text = "80000002\tSoftware\\xiangling\tUserId\tREG_SZ\t3432\r\n";
  for (const std::string& line : odd_lines) text += line + "\n";
  text += "80000002\tSoftware\\xiangling\tAutoRun\tREG_DWORD\t1";  // last line without a line feed
  WriteText(path, text);

  FileHive hive(path);
  const std::vector<NamedValue> expected{{"UserId", {TRegDataType::rdString, "42"}},
                                         {"AutoRun", {TRegDataType::rdInteger, {}, 1}}};
  EXPECT_EQ(hive.Values(HKEY_LOCAL_MACHINE, kKey), expected);
  EXPECT_FALSE(hive.Values(HKEY_LOCAL_MACHINE, "Software\\other").has_value());
  ASSERT_TRUE(hive.WriteValue(HKEY_LOCAL_MACHINE, kKey, "Password", {TRegDataType::rdString, ""}));
  EXPECT_EQ(FileHive(path).Values(HKEY_LOCAL_MACHINE, kKey)->size(), 3u);
}

// A pipe in the store's place can be renamed over, so only the hive's own refusal keeps it;
// reading it must not wait for a writer either.
TEST_F(FileHiveTest, StoreThatCannotBeReadIsNeverReplaced) {
  ASSERT_EQ(::mkfifo(path.c_str(), 0600), 0);
  FileHive hive(path);
  EXPECT_FALSE(hive.OpenKey(HKEY_LOCAL_MACHINE, kKey, true));
  EXPECT_TRUE(fs::is_fifo(path));
}

}  // namespace
