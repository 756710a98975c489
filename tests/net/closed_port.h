#pragma once
// A loopback port where nothing listens, for as long as this object lives. The socket is
// bound but never listens: connections to it are refused, and no other test running at
// the same time can take the port and answer in its place (a port merely closed again
// could be handed to a server that stalls, and the client would wait for ever).

#include <arpa/inet.h>
#include <netinet/in.h>
#include <sys/socket.h>
#include <unistd.h>

#include <stdexcept>

class ClosedPort final {
 public:
  ClosedPort() {
    socket_ = ::socket(AF_INET, SOCK_STREAM, 0);
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    socklen_t size = sizeof address;
    if (socket_ < 0 || ::bind(socket_, reinterpret_cast<sockaddr*>(&address), size) != 0 ||
        ::getsockname(socket_, reinterpret_cast<sockaddr*>(&address), &size) != 0) {
      if (socket_ >= 0) ::close(socket_);
      throw std::runtime_error("no loopback port to hold");
    }
    port_ = ntohs(address.sin_port);
  }
  ~ClosedPort() { ::close(socket_); }
  ClosedPort(const ClosedPort&) = delete;
  ClosedPort& operator=(const ClosedPort&) = delete;

  [[nodiscard]] int Port() const { return port_; }

 private:
  int socket_ = -1;
  int port_ = 0;
};
