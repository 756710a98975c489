// The command line of vor-service and its accounts file.

#include <gtest/gtest.h>

#include <cstdio>
#include <fstream>

#include "tools/service/account_book.h"
#include "tools/service/service_options.h"
#include "tools/service/signing.h"

namespace {

TEST(ServiceOptions, ReadsEverySetting) {
  const ServiceOptions options = ParseServiceOptions({"--listen", "127.0.0.2", "--port", "8080", "--account", "1:a:b",
                                                      "--account", "2:", "--version", "1.01", "--update-url", "http://u/x",
                                                      "--interval", "30", "--fault", "stall:client_login", "--fault",
                                                      "garbage"});
  EXPECT_EQ(options.listen, "127.0.0.2");
  EXPECT_EQ(options.port, 8080);
  ASSERT_EQ(options.accounts.size(), 2u);
  EXPECT_EQ(options.accounts[0].user, "1");
  EXPECT_EQ(options.accounts[0].password, "a:b");
  EXPECT_EQ(options.accounts[1].password, "");
  EXPECT_EQ(options.version, "1.01");
  EXPECT_EQ(options.update_url, "http://u/x");
  EXPECT_EQ(options.interval, "30");
  ASSERT_EQ(options.faults.size(), 2u);
  EXPECT_EQ(options.faults[0].fault, Fault::fStall);
  EXPECT_EQ(options.faults[0].endpoint, "client_login");
  EXPECT_EQ(options.faults[1].fault, Fault::fGarbage);
  EXPECT_EQ(options.faults[1].endpoint, "");
}

TEST(ServiceOptions, DefaultsListenOnLoopbackOnAFreePort) {
  const ServiceOptions options = ParseServiceOptions({});
  EXPECT_EQ(options.listen, "127.0.0.1");
  EXPECT_EQ(options.port, 0);
  EXPECT_EQ(options.version, "1.00");
}

struct BadLine {
  const char* name;
  std::vector<std::string> args;
};

void PrintTo(const BadLine& c, std::ostream* out) { *out << c.name; }

class ServiceOptionErrors : public ::testing::TestWithParam<BadLine> {};

TEST_P(ServiceOptionErrors, AreRefusedWithAUsageError) {
  EXPECT_THROW((void)ParseServiceOptions(GetParam().args), UsageError);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, ServiceOptionErrors,
    ::testing::Values(BadLine{"UnknownArgument", {"--bogus"}}, BadLine{"MissingValue", {"--port"}},
                      BadLine{"PortNotANumber", {"--port", "80x"}}, BadLine{"PortTooLarge", {"--port", "65536"}},
                      BadLine{"NegativeInterval", {"--interval", "-1"}}, BadLine{"EmptyInterval", {"--interval", ""}},
                      BadLine{"AccountWithoutColon", {"--account", "10001"}},
                      BadLine{"AccountWithoutUser", {"--account", ":pw"}},
                      BadLine{"UnknownFault", {"--fault", "explode"}},
                      BadLine{"NonLoopbackAddress", {"--listen", "0.0.0.0"}},
                      BadLine{"NonLoopbackName", {"--listen", "example.com"}}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(ServiceOptions, ListensElsewhereOnlyWhenTold) {
  EXPECT_EQ(ParseServiceOptions({"--listen", "0.0.0.0", "--allow-non-loopback"}).listen, "0.0.0.0");
  EXPECT_EQ(ParseServiceOptions({"--listen", "::1"}).listen, "::1");
  EXPECT_EQ(ParseServiceOptions({"--listen", "localhost"}).listen, "localhost");
}

class AccountsFile : public ::testing::Test {
 protected:
  void Write(const std::string& text) { std::ofstream(path_, std::ios::binary) << text; }
  void TearDown() override { std::remove(path_.c_str()); }
  const std::string path_ = ::testing::TempDir() + "vor_service_accounts.txt";
};

TEST_F(AccountsFile, ReadsUserPasswordLinesAndSkipsCommentsAndBlanks) {
  // The file is UTF-8, as an editor writes it.
  Write(reinterpret_cast<const char*>(u8"# demo accounts\n10001:demo-pass\r\n\n号码:密码\n"));
  AccountBook accounts;
  accounts.Load(path_);
  EXPECT_EQ(accounts.Size(), 2u);
  EXPECT_EQ(accounts.PasswordDigest("10001"), Md5HexOf("demo-pass"));
  EXPECT_EQ(accounts.PasswordDigest("号码"), Md5HexOf("密码"));  // both in code page 936
  EXPECT_EQ(accounts.PasswordDigest("10002"), "");
}

TEST_F(AccountsFile, NamesTheLineItCannotRead) {
  Write("10001:a\nbroken\n");
  AccountBook accounts;
  try {
    accounts.Load(path_);
    FAIL() << "a broken line was accepted";
  } catch (const UsageError& error) {
    EXPECT_NE(std::string(error.what()).find(":2: "), std::string::npos) << error.what();
  }
}

TEST_F(AccountsFile, AMissingFileIsAUsageError) {
  AccountBook accounts;
  EXPECT_THROW(accounts.Load(path_ + ".missing"), UsageError);
}

}  // namespace
