#pragma once
// A service core with two accounts and a clock the test sets, and helpers that make the
// requests a client makes.

#include <gtest/gtest.h>

#include <string>

#include "tools/service/service_core.h"
#include "tools/service/signing.h"

class ServiceFixture : public ::testing::Test {
 public:  // open to the tables of cases, which are not members
  static constexpr const char* kUser = "10001";
  static constexpr const char* kPassword = "demo-pass";

  ServiceFixture() : core_(MakeCore(ServiceOptions())) {}

  [[nodiscard]] static AccountBook Accounts() {
    AccountBook accounts;
    accounts.Add({"10001", "demo-pass"});
    accounts.Add({reinterpret_cast<const char*>(u8"号码"), reinterpret_cast<const char*>(u8"密码")});
    return accounts;
  }
  [[nodiscard]] std::unique_ptr<ServiceCore> MakeCore(const ServiceOptions& options) {
    return std::make_unique<ServiceCore>(options, Accounts(), [this] { return now_; });
  }

  ServiceReply Get(const std::string& path, const std::string& query = "", bool loopback = true) {
    return core_->Handle(ServiceRequest{path, query, "sms.example.com", loopback});
  }
  ServiceReply Login(const std::string& query) { return Get(std::string(kLoginRoot) + "client_login", query); }
  // The nonce the service issues for the user number (query-encoded).
  std::string Nonce(const std::string& encoded_user = kUser) {
    return Get(std::string(kLoginRoot) + "client_get_nonce", "userid=" + encoded_user).body;
  }
  // A login query signed over user and nonce at the current clock, as the client builds it
  // (the values here need no encoding).
  [[nodiscard]] std::string SignedQuery(const std::string& user, const std::string& password,
                                        const std::string& nonce) const {
    const std::string timestamp = std::to_string(now_);
    return "userid=" + user + "&pwd=" + Md5HexOf(password) + "&timestamp=" + timestamp + "&nonce=" + nonce +
           "&signature=" + ExpectedSignature(timestamp, nonce, user);
  }

  std::int64_t now_ = 1'800'000'000;
  std::unique_ptr<ServiceCore> core_;
};
