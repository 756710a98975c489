#include "tools/service/account_book.h"

#include <fstream>

#include "platform/text.h"
#include "tools/service/signing.h"

void AccountBook::Add(const AccountLine& account) {
  const std::string user = Utf8ToAnsi(account.user).bytes();
  digests_[user] = Md5HexOf(Utf8ToAnsi(account.password).bytes());
}

void AccountBook::Load(const std::string& path) {
  std::ifstream file(path);
  if (!file) throw UsageError("cannot read the accounts file '" + path + "'");
  std::string line;
  for (int number = 1; std::getline(file, line); ++number) {
    if (line.ends_with('\r')) line.pop_back();
    if (line.empty() || line.starts_with('#')) continue;
    try {
      Add(ParseAccountLine(line));
    } catch (const UsageError& error) {
      throw UsageError(path + ":" + std::to_string(number) + ": " + error.what());
    }
  }
}

std::string AccountBook::PasswordDigest(const std::string& user) const {
  const auto found = digests_.find(user);
  return found == digests_.end() ? std::string() : found->second;
}
