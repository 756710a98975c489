#include <gtest/gtest.h>

#include <string>

#include "platform/exceptions.h"
#include "platform/registry.h"
#include "platform/sim/memory_hive.h"

namespace {

const AnsiString kKey = "\\Software\\xiangling";

class Registry : public ::testing::Test {
 protected:
  void SetUp() override {
    hive.SetString(HKEY_LOCAL_MACHINE, kKey, "UserId", "42");
    hive.SetString(HKEY_LOCAL_MACHINE, kKey, "Password", "0123abcd");
    hive.SetString(HKEY_LOCAL_MACHINE, kKey, "Name", "张三");
    hive.SetDword(HKEY_LOCAL_MACHINE, kKey, "AutoRun", 1);
    ASSERT_TRUE(hive.WriteValue(HKEY_LOCAL_MACHINE, kKey, "Home", {TRegDataType::rdExpandString, "%APPDATA%\\x"}));
    ASSERT_TRUE(hive.WriteValue(HKEY_LOCAL_MACHINE, kKey, "Blob", {TRegDataType::rdBinary, std::string("\x01\x00", 2)}));
    reg.RootKey = HKEY_LOCAL_MACHINE;
  }

  [[nodiscard]] std::string Stored(const AnsiString& name) {
    const auto value = hive.ReadValue(HKEY_LOCAL_MACHINE, kKey, name);
    return value ? value->bytes : "<missing>";
  }

  MemoryHive hive;
  TRegistry reg{hive};
};

struct ReadCase {
  const char* name;
  const char* text;
};

class ReadingStrings : public Registry, public ::testing::WithParamInterface<ReadCase> {};

TEST_P(ReadingStrings, GivesTheStoredTextOrEmptyText) {
  ASSERT_TRUE(reg.OpenKey(kKey, false));
  EXPECT_EQ(reg.ReadString(GetParam().name), GetParam().text);
}

INSTANTIATE_TEST_SUITE_P(Names, ReadingStrings,
                         ::testing::Values(ReadCase{"UserId", "42"}, ReadCase{"USERID", "42"}, ReadCase{"userid", "42"},
                                           ReadCase{"Password", "0123abcd"}, ReadCase{"name", "张三"},
                                           ReadCase{"Home", "%APPDATA%\\x"}, ReadCase{"Missing", ""},
                                           ReadCase{"", ""}));

TEST_F(Registry, ValueExistsMatchesNamesWithoutRegardToCase) {
  ASSERT_TRUE(reg.OpenKey(kKey, false));
  EXPECT_TRUE(reg.ValueExists("UserID"));
  EXPECT_TRUE(reg.ValueExists("autorun"));
  EXPECT_FALSE(reg.ValueExists("UserIds"));
}

struct WrongTypeCase {
  const char* name;
  const char* message;
};

class ReadingOtherTypes : public Registry, public ::testing::WithParamInterface<WrongTypeCase> {};

TEST_P(ReadingOtherTypes, RaisesInvalidDataTypeWithTheNameAsGiven) {
  ASSERT_TRUE(reg.OpenKey(kKey, false));
  try {
    (void)reg.ReadString(GetParam().name);
    FAIL() << "no exception";
  } catch (const ERegistryException& error) {
    EXPECT_EQ(error.Message(), GetParam().message);
  }
}

INSTANTIATE_TEST_SUITE_P(Values, ReadingOtherTypes,
                         ::testing::Values(WrongTypeCase{"AutoRun", "Invalid data type for 'AutoRun'"},
                                           WrongTypeCase{"autorun", "Invalid data type for 'autorun'"},
                                           WrongTypeCase{"Blob", "Invalid data type for 'Blob'"}));

TEST_F(Registry, KeyPathsMatchWithOrWithoutLeadingBackslashAndInAnyCase) {
  ASSERT_TRUE(reg.OpenKey("SOFTWARE\\XiangLing", false));
  EXPECT_EQ(reg.ReadString("UserId"), "42");
  ASSERT_TRUE(reg.OpenKey("\\software\\xiangling\\", false));
  EXPECT_EQ(reg.ReadString("UserId"), "42");
}

TEST_F(Registry, RootKeysHoldSeparateKeys) {
  TRegistry user(hive);  // RootKey stays HKEY_CURRENT_USER
  EXPECT_FALSE(user.OpenKey(kKey, false));
  ASSERT_TRUE(user.OpenKey(kKey, true));
  user.WriteString("UserId", "7");
  EXPECT_EQ(user.ReadString("UserId"), "7");
  EXPECT_EQ(Stored("UserId"), "42");
}

TEST_F(Registry, KeyWithoutBackslashOpensBelowTheOpenKey) {
  ASSERT_TRUE(reg.OpenKey("\\Software", false));  // exists because a key beneath it does
  ASSERT_TRUE(reg.OpenKey("xiangling", false));
  EXPECT_EQ(reg.ReadString("UserId"), "42");
}

TEST_F(Registry, OpeningAMissingKeyWithoutCreateFailsAndCreatesNothing) {
  EXPECT_FALSE(reg.OpenKey("\\Software\\other", false));
  EXPECT_FALSE(hive.Values(HKEY_LOCAL_MACHINE, "\\Software\\other").has_value());
  EXPECT_EQ(reg.ReadString("UserId"), "");  // nothing is open
  EXPECT_FALSE(reg.ValueExists("UserId"));
}

TEST_F(Registry, OpeningWithCreateMakesAnEmptyKey) {
  ASSERT_TRUE(reg.OpenKey("\\Software\\other", true));
  EXPECT_EQ(hive.Values(HKEY_LOCAL_MACHINE, "Software\\other"), std::vector<NamedValue>{});
  EXPECT_FALSE(reg.ValueExists("UserId"));
}

TEST_F(Registry, DeniedHiveRefusesToOpenEvenAnExistingKey) {
  hive.SetDenied(true);
  EXPECT_FALSE(reg.OpenKey(kKey, true));
  EXPECT_FALSE(reg.OpenKey("\\Software\\other", true));
  EXPECT_FALSE(hive.Values(HKEY_LOCAL_MACHINE, "\\Software\\other").has_value());
  hive.SetDenied(false);
  EXPECT_TRUE(reg.OpenKey(kKey, false));
}

TEST_F(Registry, WrittenStringsReplaceValuesOfAnyTypeAndKeepTheirFirstSpelling) {
  ASSERT_TRUE(reg.OpenKey(kKey, true));
  reg.WriteString("AUTORUN", "0");
  reg.WriteString("NewOne", "");
  EXPECT_EQ(reg.ReadString("AutoRun"), "0");
  EXPECT_TRUE(reg.ValueExists("newone"));
  const auto values = hive.Values(HKEY_LOCAL_MACHINE, kKey);
  ASSERT_TRUE(values.has_value());
  ASSERT_EQ(values->size(), 7u);
  EXPECT_EQ((*values)[3], (NamedValue{"AutoRun", {TRegDataType::rdString, "0"}}));
  EXPECT_EQ((*values)[6], (NamedValue{"NewOne", {TRegDataType::rdString, ""}}));
}

TEST_F(Registry, FailedWriteRaisesAndKeepsWhatWasStored) {
  ASSERT_TRUE(reg.OpenKey(kKey, true));
  reg.WriteString("UserId", "43");
  hive.FailWrites(true);
  try {
    reg.WriteString("Password", "ffff");
    FAIL() << "no exception";
  } catch (const ERegistryException& error) {
    EXPECT_EQ(error.Message(), "Failed to set data for 'Password'");
  }
  EXPECT_EQ(Stored("UserId"), "43");
  EXPECT_EQ(Stored("Password"), "0123abcd");
}

TEST_F(Registry, ClosedRegistryReadsNothingAndRefusesWrites) {
  ASSERT_TRUE(reg.OpenKey(kKey, false));
  reg.CloseKey();
  EXPECT_FALSE(reg.ValueExists("UserId"));
  EXPECT_EQ(reg.ReadString("UserId"), "");
  EXPECT_THROW(reg.WriteString("UserId", "1"), ERegistryException);
  EXPECT_EQ(Stored("UserId"), "42");
}

TEST_F(Registry, ClearedKeyIsGoneWithItsValues) {
  hive.Clear(HKEY_LOCAL_MACHINE, "software\\XIANGLING");
  EXPECT_FALSE(reg.OpenKey(kKey, false));
  ASSERT_TRUE(reg.OpenKey(kKey, true));
  EXPECT_FALSE(reg.ValueExists("UserId"));
}

}  // namespace
