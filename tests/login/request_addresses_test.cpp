#include <gtest/gtest.h>

#include <string>

#include "login/request_addresses.h"
#include "login/service_address.h"
#include "tests/login/reference_md5.h"

namespace {

std::string Base() { return ServiceBase().bytes(); }

struct NonceCase {
  std::string userId;
  std::string encoded;
};

class NonceAddressTable : public ::testing::TestWithParam<NonceCase> {};

TEST_P(NonceAddressTable, CarriesTheEncodedUserNumber) {
  EXPECT_EQ(NonceAddress(AnsiString(GetParam().userId)).bytes(),
            Base() + "client_get_nonce?userid=" + GetParam().encoded);
}

INSTANTIATE_TEST_SUITE_P(Requests, NonceAddressTable,
                         ::testing::Values(NonceCase{"13900001111", "13900001111"},
                                           NonceCase{" 42 ", "%2042%20"},
                                           NonceCase{"1&pwd=x#y+z", "1%26pwd%3Dx%23y%2Bz"},
                                           NonceCase{"号", "%BA%C5"}, NonceCase{"", ""}));

struct LoginCase {
  LoginValues values;
  std::string query;  // everything after "client_login?" up to "&signature="
};

class LoginAddressTable : public ::testing::TestWithParam<LoginCase> {};

TEST_P(LoginAddressTable, EncodesEveryValueAndSignsTheRawTexts) {
  const LoginValues& values = GetParam().values;
  const std::string signature =
      ReferenceMd5Hex(kSigningToken + values.timestamp.bytes() + values.nonce.bytes() + values.userId.bytes());
  EXPECT_EQ(LoginSignature(values.timestamp, values.nonce, values.userId).bytes(), signature);
  EXPECT_EQ(LoginAddress(values).bytes(),
            Base() + "client_login?" + GetParam().query + "&signature=" + signature);
}

INSTANTIATE_TEST_SUITE_P(
    Requests, LoginAddressTable,
    ::testing::Values(
        LoginCase{{"42", "0cc175b9c0f1b6a831c399e269772661", "1700000000", "abc"},
                  "userid=42&pwd=0cc175b9c0f1b6a831c399e269772661&timestamp=1700000000&nonce=abc"},
        LoginCase{{"4&2=", "p", "1", " n#+ "}, "userid=4%262%3D&pwd=p&timestamp=1&nonce=%20n%23%2B%20"},
        LoginCase{{"号码", "", "0", "随机"}, "userid=%BA%C5%C2%EB&pwd=&timestamp=0&nonce=%CB%E6%BB%FA"},
        // A stored password value travels as stored, whatever it holds.
        LoginCase{{"7", "not hex&x=1", "99", "n"}, "userid=7&pwd=not%20hex%26x%3D1&timestamp=99&nonce=n"}));

TEST(LoginSignature, BindsTokenTimeNonceAndUserInThatOrder) {
  const AnsiString signature = LoginSignature("1700000000", "n", "u");
  EXPECT_EQ(signature.bytes(), ReferenceMd5Hex(kSigningToken + "1700000000nu"));
  EXPECT_NE(signature, LoginSignature("1700000000", "u", "n"));
  EXPECT_NE(signature, LoginSignature("1700000001", "n", "u"));
}

}  // namespace
