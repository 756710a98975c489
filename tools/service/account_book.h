#pragma once
// The service's accounts: user numbers with the MD5 hex of their passwords, both taken in
// code page 936 as the client sends and hashes them.

#include <map>
#include <string>

#include "tools/service/service_options.h"

class AccountBook final {
 public:
  // user and password are UTF-8, as written in a file or on the command line.
  void Add(const AccountLine& account);
  // Reads "USER:PASSWORD" lines (UTF-8); blank lines and lines starting with "#" are
  // skipped. Raises UsageError naming the file and line of anything else.
  void Load(const std::string& path);

  // user is in code page 936, as it arrives in a request.
  [[nodiscard]] bool Knows(const std::string& user) const { return digests_.contains(user); }
  // The MD5 hex of the user's password, or empty for an unknown user.
  [[nodiscard]] std::string PasswordDigest(const std::string& user) const;
  [[nodiscard]] std::size_t Size() const { return digests_.size(); }

 private:
  std::map<std::string, std::string> digests_;
};
