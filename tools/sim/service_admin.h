#pragma once
// The demo service's admin interface as the world outside the program uses it: a message
// delivered to a user, an exit requested, the log of requests read. The driver asks the
// service directly, at the address the scenario routed the service's host to.

#include <string>

struct AdminReply {
  int status = 0;     // the HTTP status; 0 when no reply came
  std::string body;   // the reply, or what went wrong when none came
};

// GETs path_and_query from the service listening at address ("127.0.0.1:PORT"), naming
// host in the request as the program would. Waits for the reply, for at most ten seconds.
[[nodiscard]] AdminReply AskService(const std::string& address, const std::string& host,
                                    const std::string& path_and_query);
