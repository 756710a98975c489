// The web client of a session, its markers and status, and the admin interface that feeds
// them.

#include <gtest/gtest.h>

#include "platform/text.h"
#include "tests/service/service_fixture.h"

namespace {

class WebClient : public ServiceFixture {
 protected:
  // Logs in and returns the session's id.
  std::string Session() {
    const std::string reply = Login(SignedQuery(kUser, kPassword, Nonce())).body;
    return reply.substr(reply.find("sid=") + 4);
  }
  ServiceReply Page(const std::string& session) { return Get(std::string(kClientRoot) + "index", "sid=" + session); }
  ServiceReply Status(const std::string& session) {
    return Get(std::string(kClientRoot) + "status", "sid=" + session);
  }
  static bool Has(const ServiceReply& reply, const std::string& piece) {
    return reply.body.find(piece) != std::string::npos;
  }
};

TEST_F(WebClient, APageCarriesTheMarkersAndAScriptThatKeepsThemCurrent) {
  const std::string session = Session();
  const ServiceReply page = Page(session);
  EXPECT_EQ(page.status, 200);
  EXPECT_EQ(page.content_type, "text/html; charset=GBK");
  EXPECT_TRUE(Has(page, R"(<input type="hidden" id="client_new_msg" value="0">)"));
  EXPECT_TRUE(Has(page, R"(<input type="hidden" id="client_exit" value="0">)"));
  EXPECT_TRUE(Has(page, "/ringpost_v2/index.php/Client/status?sid=" + session));
  EXPECT_TRUE(Has(page, "暂无短信"));
}

TEST_F(WebClient, DeliveredMessagesAreCountedUntilAPageOrTheStatusHasToldThem) {
  const std::string session = Session();
  EXPECT_EQ(Get("/admin/deliver", "user=10001&text=%E4%BD%A0%E5%A5%BD%20%3Cb%3E").body, R"({"ok":true,"new_msg":1})");
  EXPECT_EQ(Get("/admin/deliver", "user=10001&text=second").body, R"({"ok":true,"new_msg":2})");
  const ServiceReply page = Page(session);
  EXPECT_TRUE(Has(page, R"(id="client_new_msg" value="2")"));
  EXPECT_TRUE(Has(page, "<li>你好 &lt;b&gt;</li><li>second</li>"));  // GBK, escaped
  EXPECT_TRUE(Has(Page(session), R"(id="client_new_msg" value="0")"));
  (void)Get("/admin/deliver", "user=10001&text=third");
  EXPECT_EQ(Status(session).body, R"({"new_msg":1,"exit":0})");
  EXPECT_EQ(Status(session).body, R"({"new_msg":0,"exit":0})");
}

TEST_F(WebClient, AnExitRequestReachesEverySessionOfTheUser) {
  const std::string first = Session();
  const std::string second = Session();
  EXPECT_EQ(Get("/admin/exit", "user=10001").body, R"({"ok":true,"sessions":2})");
  EXPECT_TRUE(Has(Page(first), R"(id="client_exit" value="1")"));
  EXPECT_EQ(Status(second).body, R"({"new_msg":0,"exit":1})");
  const std::string later = Session();
  EXPECT_TRUE(Has(Page(later), R"(id="client_exit" value="0")"));
}

TEST_F(WebClient, AnUnknownSessionGetsNoMarkers) {
  const ServiceReply page = Page("nope");
  EXPECT_EQ(page.status, 403);
  EXPECT_FALSE(Has(page, "client_exit"));
  EXPECT_EQ(Status("").status, 403);
}

struct AdminCase {
  const char* name;
  std::string path;
  std::string query;
  bool loopback;
  int status;
};

void PrintTo(const AdminCase& c, std::ostream* out) { *out << c.name; }

class AdminRefusals : public ServiceFixture, public ::testing::WithParamInterface<AdminCase> {};

TEST_P(AdminRefusals, RefusesWithoutChangingAnything) {
  const AdminCase& c = GetParam();
  EXPECT_EQ(Get(c.path, c.query, c.loopback).status, c.status);
  EXPECT_EQ(Get("/admin/deliver", "user=10001&text=x").body, R"({"ok":true,"new_msg":1})");
}

INSTANTIATE_TEST_SUITE_P(
    Cases, AdminRefusals,
    ::testing::Values(AdminCase{"RemotePeer", "/admin/deliver", "user=10001&text=x", false, 403},
                      AdminCase{"UnknownUser", "/admin/deliver", "user=10002&text=x", true, 404},
                      AdminCase{"NoText", "/admin/deliver", "user=10001", true, 400},
                      AdminCase{"TextTooLong", "/admin/deliver",
                                "user=10001&text=" + std::string(ServiceCore::kMaxMessage + 1, 'x'), true, 400},
                      AdminCase{"ExitWithoutUser", "/admin/exit", "", true, 400},
                      AdminCase{"RemoteLog", "/admin/log", "", false, 403}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(WebClient, TheAdminLogListsEveryRequestButItself) {
  (void)Nonce();
  (void)Get("/nowhere");
  (void)Get("/admin/log");
  const ServiceReply log = Get("/admin/log");
  EXPECT_EQ(log.content_type, "application/x-ndjson");
  EXPECT_EQ(log.body,
            R"({"event":"request","path":"/ringpost_v2/index.php/Login/client_get_nonce","raw":"userid=10001",)"
            R"("query":{"userid":"10001"},"status":200,"answer":")" +
                core_->Log()[0].answer +
                "\"}\n"
                R"({"event":"request","path":"/nowhere","raw":"","query":{},"status":404,"answer":"not found"})"
                "\n");
}

struct FaultCase {
  const char* name;
  std::string rule;  // as on the command line
  std::string endpoint;
  int status;
  std::string content_type;
  std::size_t size;  // 0: the body as usual
  bool transport;
};

void PrintTo(const FaultCase& c, std::ostream* out) { *out << c.name; }

class Faults : public ServiceFixture, public ::testing::WithParamInterface<FaultCase> {};

TEST_P(Faults, ThePlannedFaultIsPlayedOnItsEndpointOnly) {
  const FaultCase& c = GetParam();
  core_ = MakeCore(ParseServiceOptions({"--fault", c.rule}));
  const ServiceReply faulty = Get(std::string(kLoginRoot) + c.endpoint);
  EXPECT_EQ(faulty.status, c.status);
  EXPECT_EQ(faulty.content_type, c.content_type);
  EXPECT_EQ(faulty.body.size(), c.size ? c.size : std::string("1.00||5").size());
  EXPECT_EQ(faulty.transport_fault.has_value(), c.transport);
  EXPECT_EQ(core_->Log().back().fault, c.rule.substr(0, c.rule.find(':')));
  const ServiceReply other = Get(std::string(kLoginRoot) + "client_login_ad");
  EXPECT_EQ(other.status, 200);
  EXPECT_FALSE(other.transport_fault.has_value());
}

INSTANTIATE_TEST_SUITE_P(
    Cases, Faults,
    ::testing::Values(
        FaultCase{"Status500", "status500:client_get_param", "client_get_param", 500, "text/html; charset=GBK", 0, false},
        FaultCase{"WrongCharset", "wrong-charset:client_get_param", "client_get_param", 200, "text/html; charset=UTF-8", 0,
                  false},
        FaultCase{"Garbage", "garbage:client_get_param", "client_get_param", 200, "text/html; charset=GBK", 4096, false},
        FaultCase{"Huge", "huge:client_get_param", "client_get_param", 200, "text/html; charset=GBK", 20u << 20, false},
        FaultCase{"Stall", "stall:client_get_param", "client_get_param", 200, "text/html; charset=GBK", 0, true},
        FaultCase{"Reset", "reset:client_get_param", "client_get_param", 200, "text/html; charset=GBK", 0, true}),
    [](const auto& info) { return std::string(info.param.name); });

}  // namespace
