#include "tools/sim/service_admin.h"

#include <httplib.h>

AdminReply AskService(const std::string& address, const std::string& host, const std::string& path_and_query) {
  const std::size_t colon = address.rfind(':');
  httplib::Client client(address.substr(0, colon), std::stoi(address.substr(colon + 1)));
  // A service that stops answering must not hold the scenario for ever.
  client.set_connection_timeout(10);
  client.set_read_timeout(10);
  const auto reply = client.Get(path_and_query, httplib::Headers{{"Host", host}});
  if (!reply) return AdminReply{0, httplib::to_string(reply.error())};
  return AdminReply{reply->status, reply->body};
}
