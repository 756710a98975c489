#include <gtest/gtest.h>

#include <csignal>
#include <filesystem>
#include <iterator>
#include <string>

#include <sys/resource.h>

#include "platform/exceptions.h"
#include "platform/inifile.h"
#include "tests/support/temp_folder_test.h"

namespace {

namespace fs = std::filesystem;

class IniFile : public TempFolderTest {
 protected:
  void SetUp() override {
    TempFolderTest::SetUp();
    path = (folder / "config.ini").string();
  }
  [[nodiscard]] long FilesInFolder() const {
    return static_cast<long>(std::distance(fs::directory_iterator(folder), fs::directory_iterator()));
  }

  std::string path;
};

// A hand-edited file in code page 936 with everything the profile rules have to step over.
const std::string kEdited =
    "; account of the last user\r\n"
    "top=before any section\r\n"
    "[Other]\r\n"
    "UserId=other\r\n"
    "\r\n"
    "  [account]\r\n"
    "  userid  =\t 42 \t\r\n"
    "Password=\r\n"
    "AutoRun = 1\r\n"
    "autorun=2\r\n"
    "no equals sign\r\n"
    ";Name=commented\r\n"
    "Name=张三\r\n"
    "Url=http://x/?a=b\r\n";

struct ReadCase {
  const char* section;
  const char* key;
  const char* fallback;
  const char* expected;
};

class ReadingValues : public IniFile, public ::testing::WithParamInterface<ReadCase> {};

TEST_P(ReadingValues, FollowTheProfileRules) {
  WriteText(path, kEdited);
  const ReadCase& c = GetParam();
  EXPECT_EQ(TIniFile(path.c_str()).ReadString(c.section, c.key, c.fallback), c.expected);
  EXPECT_EQ(ReadText(path), kEdited);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, ReadingValues,
    ::testing::Values(ReadCase{"ACCOUNT", "UserId", "d", "42"}, ReadCase{"Account", "USERID", "d", "42"},
                      ReadCase{"ACCOUNT", "Password", "d", ""}, ReadCase{"ACCOUNT", "AutoRun", "0", "1"},
                      ReadCase{"ACCOUNT", "Name", "d", "张三"}, ReadCase{"ACCOUNT", "Url", "d", "http://x/?a=b"},
                      ReadCase{"OTHER", "userid", "d", "other"}, ReadCase{"ACCOUNT", "no equals sign", "d", "d"},
                      ReadCase{"ACCOUNT", ";Name", "d", "d"}, ReadCase{"ACCOUNT", "top", "d", "d"},
                      ReadCase{"ACCOUNT", "Missing", "0", "0"}, ReadCase{"Missing", "UserId", "", ""}));

TEST_F(IniFile, MissingFileGivesTheDefaultAndIsNotCreated) {
  EXPECT_EQ(TIniFile(path.c_str()).ReadString("ACCOUNT", "AutoRun", "0"), "0");
  EXPECT_EQ(TIniFile((folder / "absent" / "config.ini").c_str()).ReadString("ACCOUNT", "UserId", "x"), "x");
  EXPECT_FALSE(fs::exists(path));
}

struct WriteCase {
  const char* name;
  std::string before;
  const char* section;
  const char* key;
  const char* value;
  std::string after;
};

std::string Replaced(std::string text, const std::string& from, const std::string& to) {
  return text.replace(text.find(from), from.size(), to);
}

class WritingValues : public IniFile, public ::testing::WithParamInterface<WriteCase> {};

TEST_P(WritingValues, ChangeOnlyTheirOwnLine) {
  WriteText(path, GetParam().before);
  TIniFile(path.c_str()).WriteString(GetParam().section, GetParam().key, GetParam().value);
  EXPECT_EQ(ReadText(path), GetParam().after);
  EXPECT_EQ(FilesInFolder(), 1);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, WritingValues,
    ::testing::Values(
        WriteCase{"ReplacesInPlace", kEdited, "ACCOUNT", "UserId", "43",
                  Replaced(kEdited, "  userid  =\t 42 \t\r\n", "userid=43\r\n")},
        WriteCase{"ReplacesTheFirstOfTwoKeys", kEdited, "account", "AUTORUN", "0",
                  Replaced(kEdited, "AutoRun = 1\r\n", "AutoRun=0\r\n")},
        WriteCase{"AppendsToTheSectionBeforeItsBlankLines", kEdited, "OTHER", "Password", "p",
                  Replaced(kEdited, "UserId=other\r\n", "UserId=other\r\nPassword=p\r\n")},
        WriteCase{"AppendsToTheLastSection", kEdited, "ACCOUNT", "Mobile", "手机", kEdited + "Mobile=手机\r\n"},
        WriteCase{"AddsTheSectionAtTheEndWithTheFilesLineFeeds", "a=1\n[Other]\nk=v", "ACCOUNT", "UserId", "42",
                  "a=1\n[Other]\nk=v\n[ACCOUNT]\nUserId=42\n"},
        WriteCase{"FillsAnEmptySection", "x\r\n[ACCOUNT]", "ACCOUNT", "UserId", "42", "x\r\n[ACCOUNT]\r\nUserId=42\r\n"},
        WriteCase{"UsesOnlyTheFirstOfTwoSections", "[A]\nk=1\n[a]\nk=3\n", "A", "K", "9", "[A]\nk=9\n[a]\nk=3\n"},
        WriteCase{"FillsAnEmptyFile", "", "ACCOUNT", "UserId", "42", "[ACCOUNT]\r\nUserId=42\r\n"},
        WriteCase{"KeepsAValueWithBlanksAsGiven", "[ACCOUNT]\nUserId=1\n", "ACCOUNT", "UserId", " 42 ",
                  "[ACCOUNT]\nUserId= 42 \n"}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(IniFile, WritingCreatesTheFileWithTheSectionAndKeysInOrder) {
  TIniFile ini(path.c_str());
  ini.WriteString("ACCOUNT", "UserId", "42");
  ini.WriteString("ACCOUNT", "Password", "");
  ini.WriteString("ACCOUNT", "AutoRun", "0");
  EXPECT_EQ(ReadText(path), "[ACCOUNT]\r\nUserId=42\r\nPassword=\r\nAutoRun=0\r\n");
  EXPECT_EQ(ini.ReadString("ACCOUNT", "AutoRun", "1"), "0");
}

TEST_F(IniFile, PathInTheCodePageNamesTheFileSystemFolder) {
  const fs::path chinese_folder = folder / fs::path(u8"设置");
  fs::create_directory(chinese_folder);
  const AnsiString ansi_path = AnsiString(folder.c_str()) + "/设置/config.ini";
  TIniFile(ansi_path).WriteString("ACCOUNT", "UserId", "42");
  EXPECT_EQ(ReadText(chinese_folder / "config.ini"), "[ACCOUNT]\r\nUserId=42\r\n");
}

class UnwritableFolders : public IniFile, public ::testing::WithParamInterface<const char*> {};

TEST_P(UnwritableFolders, RaiseUnableToWriteNamingThePath) {
  WriteText(folder / "file", "a file");
  const std::string target = (folder / GetParam() / "config.ini").string();
  try {
    TIniFile(target.c_str()).WriteString("ACCOUNT", "UserId", "42");
    FAIL() << "no exception";
  } catch (const EIniFileException& error) {
    EXPECT_EQ(error.Message(), AnsiString("Unable to write to " + target));
  }
  EXPECT_EQ(ReadText(folder / "file"), "a file");
  EXPECT_EQ(FilesInFolder(), 1);
}

INSTANTIATE_TEST_SUITE_P(Folders, UnwritableFolders, ::testing::Values("missing", "file"));

// Lowers this process's file-size limit, so that a write runs out of room half way as on
// a full disk; the signal that would end the process is ignored meanwhile.
class FileSizeLimit final {
 public:
  explicit FileSizeLimit(rlim_t bytes) {
    ::getrlimit(RLIMIT_FSIZE, &saved_);
    rlimit lowered = saved_;
    lowered.rlim_cur = bytes;
    ::setrlimit(RLIMIT_FSIZE, &lowered);
    handler_ = std::signal(SIGXFSZ, SIG_IGN);
  }
  ~FileSizeLimit() {
    ::setrlimit(RLIMIT_FSIZE, &saved_);
    std::signal(SIGXFSZ, handler_);
  }
  FileSizeLimit(const FileSizeLimit&) = delete;
  FileSizeLimit& operator=(const FileSizeLimit&) = delete;

 private:
  rlimit saved_{};
  void (*handler_)(int) = SIG_DFL;
};

TEST_F(IniFile, WriteCutShortLeavesTheOldFileWhole) {
  WriteText(path, kEdited);
  {
    const FileSizeLimit limit(kEdited.size() + 8);
    EXPECT_THROW(TIniFile(path.c_str()).WriteString("ACCOUNT", "Password", std::string(64, 'f').c_str()),
                 EIniFileException);
  }
  EXPECT_EQ(ReadText(path), kEdited);
  EXPECT_EQ(FilesInFolder(), 1);
}

TEST_F(IniFile, FileThatCannotBeReadIsNotReplaced) {
  fs::create_directory(path);
  EXPECT_THROW(TIniFile(path.c_str()).WriteString("ACCOUNT", "UserId", "42"), EIniFileException);
  EXPECT_TRUE(fs::is_directory(path));
  EXPECT_EQ(TIniFile(path.c_str()).ReadString("ACCOUNT", "UserId", "d"), "d");
}

}  // namespace
