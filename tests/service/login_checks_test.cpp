// The login area of the service: parameters, nonces and the checks of a signed login.

#include <gtest/gtest.h>

#include "tests/service/service_fixture.h"
#include "tools/service/service_pages.h"

namespace {

class LoginChecks : public ServiceFixture {};

TEST_F(LoginChecks, ParametersCarryVersionUpdateAddressAndInterval) {
  ServiceOptions options;
  options.version = "1.01";
  options.update_url = "http://example.com/get?a=1&b=2";
  options.interval = "30";
  core_ = MakeCore(options);
  const ServiceReply reply = Get(std::string(kLoginRoot) + "client_get_param");
  EXPECT_EQ(reply.status, 200);
  EXPECT_EQ(reply.content_type, "text/html; charset=GBK");
  EXPECT_EQ(reply.body, "1.01|http://example.com/get?a=1&amp;b=2|30");
}

TEST_F(LoginChecks, ASignedLoginOpensTheWebClientOnTheHostTheClientAsked) {
  const ServiceReply reply = Login(SignedQuery(kUser, kPassword, Nonce()));
  EXPECT_TRUE(reply.body.starts_with("TRUE|http://sms.example.com/ringpost_v2/index.php/Client/index?sid="))
      << reply.body;
}

TEST_F(LoginChecks, TheNonceRequestNamesTheUserAsTypedAndTheAccountIsTheTrimmedOne) {
  const std::string nonce = Nonce("%20%0910001%20");
  EXPECT_EQ(nonce.size(), 32u);
  EXPECT_TRUE(Login(SignedQuery(kUser, kPassword, nonce)).body.starts_with("TRUE|"));
}

TEST_F(LoginChecks, AnUnknownUserGetsAnEmptyNonce) {
  EXPECT_EQ(Nonce("99999"), "");
  EXPECT_EQ(core_->Log().back().answer, "");
}

TEST_F(LoginChecks, PasswordsAreDigestsOfTheirCodePage936Bytes) {
  // The account was given in UTF-8; the client hashes and sends GBK bytes.
  const std::string query = SignedQuery("号码", "密码", Nonce("%BA%C5%C2%EB"));
  EXPECT_TRUE(Login(query).body.starts_with("TRUE|")) << query;
}

// Each case builds a login from a fresh nonce and spoils one thing in it.
struct RefusalCase {
  const char* name;
  std::string (*query)(LoginChecks& test, const std::string& nonce);
  std::string reply;
};

void PrintTo(const RefusalCase& c, std::ostream* out) { *out << c.name; }

class LoginRefusals : public LoginChecks, public ::testing::WithParamInterface<RefusalCase> {};

TEST_P(LoginRefusals, AnswersFalseWithAReason) {
  const std::string nonce = Nonce();
  const ServiceReply reply = Login(GetParam().query(*this, nonce));
  EXPECT_EQ(reply.status, 200);
  EXPECT_EQ(reply.body, GetParam().reply);
}

std::string Replace(std::string text, const std::string& from, const std::string& to) {
  text.replace(text.find(from), from.size(), to);
  return text;
}

INSTANTIATE_TEST_SUITE_P(
    Cases, LoginRefusals,
    ::testing::Values(
        RefusalCase{"WrongPassword", [](LoginChecks& t, const std::string& n) { return t.SignedQuery("10001", "guess", n); },
                    "FALSE|密码错误"},
        RefusalCase{"SignatureOverAnotherUser",
                    [](LoginChecks& t, const std::string& n) {
                      const std::string good = t.SignedQuery("10001", "demo-pass", n);
                      return Replace(good, good.substr(good.find("&signature=") + 11),
                                     ExpectedSignature(std::to_string(t.now_), n, "10002"));
                    },
                    "FALSE|签名错误"},
        RefusalCase{"SignatureInUpperCase",
                    [](LoginChecks& t, const std::string& n) {
                      std::string query = t.SignedQuery("10001", "demo-pass", n);
                      for (std::size_t i = query.find("&signature=") + 11; i < query.size(); ++i) {
                        query[i] = static_cast<char>(std::toupper(static_cast<unsigned char>(query[i])));
                      }
                      return query;
                    },
                    "FALSE|签名错误"},
        RefusalCase{"NonceNeverIssued",
                    [](LoginChecks& t, const std::string&) { return t.SignedQuery("10001", "demo-pass", "0123"); },
                    "FALSE|随机码无效"},
        RefusalCase{"NonceOfAnotherUser",
                    [](LoginChecks& t, const std::string&) {
                      return t.SignedQuery("10001", "demo-pass", t.Nonce("%BA%C5%C2%EB"));
                    },
                    "FALSE|随机码无效"},
        RefusalCase{"NonceExpired",
                    [](LoginChecks& t, const std::string& n) {
                      t.now_ += 301;
                      return t.SignedQuery("10001", "demo-pass", n);
                    },
                    "FALSE|随机码已过期"},
        RefusalCase{"ClockFarBehind",
                    [](LoginChecks& t, const std::string& n) {
                      t.now_ -= 301;
                      std::string query = t.SignedQuery("10001", "demo-pass", n);
                      t.now_ += 301;
                      return query;
                    },
                    "FALSE|时间不同步"},
        RefusalCase{"TimestampNotDecimal",
                    [](LoginChecks& t, const std::string& n) {
                      return Replace(t.SignedQuery("10001", "demo-pass", n), "&timestamp=", "&timestamp=0x");
                    },
                    "FALSE|时间戳无效"},
        RefusalCase{"UnknownUser",
                    [](LoginChecks& t, const std::string& n) { return t.SignedQuery("10002", "demo-pass", n); },
                    "FALSE|账号不存在"},
        RefusalCase{"UntrimmedUserInTheLogin",
                    [](LoginChecks& t, const std::string& n) {
                      return Replace(t.SignedQuery("10001", "demo-pass", n), "userid=10001", "userid=%2010001");
                    },
                    "FALSE|账号不存在"},
        RefusalCase{"MissingSignature",
                    [](LoginChecks& t, const std::string& n) {
                      const std::string query = t.SignedQuery("10001", "demo-pass", n);
                      return query.substr(0, query.find("&signature="));
                    },
                    "FALSE|缺少参数"},
        RefusalCase{"EmptyPassword",
                    [](LoginChecks& t, const std::string& n) {
                      const std::string query = t.SignedQuery("10001", "demo-pass", n);
                      return Replace(query, query.substr(query.find("pwd="), 36), "pwd=");
                    },
                    "FALSE|缺少参数"},
        RefusalCase{"UserGivenTwice",
                    [](LoginChecks& t, const std::string& n) { return t.SignedQuery("10001", "demo-pass", n) + "&userid=10001"; },
                    "FALSE|参数重复"},
        RefusalCase{"OversizedNonce",
                    [](LoginChecks& t, const std::string&) {
                      return t.SignedQuery("10001", "demo-pass", std::string(ServiceCore::kMaxValue + 1, 'a'));
                    },
                    "FALSE|参数过长"},
        RefusalCase{"BrokenEscape",
                    [](LoginChecks& t, const std::string& n) { return t.SignedQuery("10001", "demo-pass", n) + "&x=%G0"; },
                    "FALSE|参数格式错误"}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(LoginChecks, ANonceIsSpentByAFailedLoginAndNeverServesTwice) {
  const std::string nonce = Nonce();
  EXPECT_EQ(Login(SignedQuery(kUser, "guess", nonce)).body, "FALSE|密码错误");
  EXPECT_EQ(Login(SignedQuery(kUser, kPassword, nonce)).body, "FALSE|随机码已使用");
  const std::string fresh = Nonce();
  EXPECT_TRUE(Login(SignedQuery(kUser, kPassword, fresh)).body.starts_with("TRUE|"));
  EXPECT_EQ(Login(SignedQuery(kUser, kPassword, fresh)).body, "FALSE|随机码已使用");
}

struct NonceRequestCase {
  const char* name;
  std::string query;
  std::string reply;
};

void PrintTo(const NonceRequestCase& c, std::ostream* out) { *out << c.name; }

class NonceRequests : public ServiceFixture, public ::testing::WithParamInterface<NonceRequestCase> {};

TEST_P(NonceRequests, BadNonceRequestsAreRefusedWithAReason) {
  EXPECT_EQ(Get(std::string(kLoginRoot) + "client_get_nonce", GetParam().query).body, GetParam().reply);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, NonceRequests,
    ::testing::Values(NonceRequestCase{"NoUser", "", "FALSE|缺少参数"},
                      NonceRequestCase{"EmptyUser", "userid=", "FALSE|缺少参数"},
                      NonceRequestCase{"UserTwice", "userid=10001&userid=10001", "FALSE|参数重复"},
                      NonceRequestCase{"Oversized", "userid=" + std::string(ServiceCore::kMaxValue + 1, '1'),
                                       "FALSE|参数过长"},
                      NonceRequestCase{"BrokenEscape", "userid=%1", "FALSE|参数格式错误"}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(LoginChecks, TheLogKeepsTheDecodedQueryInUtf8) {
  (void)Nonce("%BA%C5%C2%EB%20");
  const std::vector<LoggedRequest> log = core_->Log();
  const LoggedRequest& entry = log.back();
  EXPECT_EQ(entry.path, "/ringpost_v2/index.php/Login/client_get_nonce");
  EXPECT_EQ(entry.raw_query, "userid=%BA%C5%C2%EB%20");
  ASSERT_EQ(entry.query.size(), 1u);
  EXPECT_EQ(entry.query[0].second, reinterpret_cast<const char*>(u8"号码 "));
  EXPECT_EQ(entry.answer.size(), 32u);
}

}  // namespace
