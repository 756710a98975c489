#pragma once
// The service on HTTP: a server on a thread of its own that hands every GET to the core
// and plays the faults that only a connection can play.

#include <memory>
#include <string>

class ServiceCore;

class ServiceServer final {
 public:
  explicit ServiceServer(ServiceCore& core);
  // Stops the server if it still runs.
  ~ServiceServer();
  ServiceServer(const ServiceServer&) = delete;
  ServiceServer& operator=(const ServiceServer&) = delete;

  // Binds address and port (0 picks a free one) and returns the port. Raises
  // std::runtime_error when the address cannot be had.
  int Bind(const std::string& address, int port);
  // Serves until Stop, on its own thread; returns once connections are accepted.
  void Start();
  // Ends every connection, stalled ones included, and returns once the server is down.
  void Stop();

 private:
  class Impl;
  std::unique_ptr<Impl> impl_;
};
