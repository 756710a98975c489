#include "tools/service/service_server.h"

#include <httplib.h>

#include <atomic>
#include <stdexcept>
#include <thread>  // with the durations; <chrono> does not compile with a GBK execution charset

#include "tools/service/service_core.h"
#include "tools/service/service_pages.h"

class ServiceServer::Impl final {
 public:
  explicit Impl(ServiceCore& core) : core_(core) {
    // Idle keep-alive connections hold a worker; a short wait lets Stop come back soon.
    server_.set_keep_alive_timeout(1);
    // Headers and body leave in separate writes; without this, the body of every reply on a
    // kept-alive connection waits for the client's delayed acknowledgement.
    server_.set_tcp_nodelay(true);
    server_.Get(".*", [this](const httplib::Request& request, httplib::Response& response) {
      Serve(request, response);
    });
    // Requests the HTTP layer refuses before they reach the core still get an answer the
    // client can read.
    server_.set_error_handler(httplib::Server::HandlerWithResponse(
        [](const httplib::Request&, httplib::Response& response) {
          if (response.status != 414) return httplib::Server::HandlerResponse::Unhandled;
          response.set_content(TextPage("FALSE|请求过长"), kPageType);
          return httplib::Server::HandlerResponse::Handled;
        }));
  }

  int Bind(const std::string& address, int port) {
    const int bound = port == 0 ? server_.bind_to_any_port(address) : (server_.bind_to_port(address, port) ? port : -1);
    if (bound < 0) throw std::runtime_error("cannot listen on " + address + ":" + std::to_string(port));
    return bound;
  }

  // Returns once the server accepts connections: a Stop that came earlier would find no
  // server running and leave the listening thread to wait for ever.
  void Start() {
    thread_ = std::thread([this] {
      server_.listen_after_bind();
      listening_ended_ = true;
    });
    while (!server_.is_running() && !listening_ended_) std::this_thread::sleep_for(std::chrono::milliseconds(1));
  }

  void Stop() {
    stopping_ = true;
    server_.stop();
    if (thread_.joinable()) thread_.join();
  }

 private:
  void Serve(const httplib::Request& request, httplib::Response& response) {
    ServiceRequest asked;
    asked.path = request.path;
    const auto mark = request.target.find('?');
    if (mark != std::string::npos) asked.query = request.target.substr(mark + 1);
    asked.host = request.get_header_value("Host");
    asked.from_loopback = IsLoopbackAddress(request.remote_addr);
    ServiceReply reply = core_.Handle(asked);
    response.status = reply.status;
    if (!reply.transport_fault) {
      response.set_content(reply.body, reply.content_type.c_str());
      return;
    }
    // Half the page goes out under the full length; then the connection either stalls
    // until the server stops or is dropped.
    const bool stall = *reply.transport_fault == Fault::fStall;
    const std::size_t length = reply.body.size();
    response.set_content_provider(
        length, reply.content_type,
        [this, stall, body = std::move(reply.body)](std::size_t offset, std::size_t, httplib::DataSink& sink) {
          if (offset == 0 && body.size() > 1) return sink.write(body.data(), body.size() / 2);
          while (stall && !stopping_) std::this_thread::sleep_for(std::chrono::milliseconds(20));
          return false;
        });
  }

  ServiceCore& core_;
  httplib::Server server_;
  std::thread thread_;
  std::atomic<bool> stopping_ = false;
  std::atomic<bool> listening_ended_ = false;
};

ServiceServer::ServiceServer(ServiceCore& core) : impl_(std::make_unique<Impl>(core)) {}

ServiceServer::~ServiceServer() { impl_->Stop(); }

int ServiceServer::Bind(const std::string& address, int port) { return impl_->Bind(address, port); }

void ServiceServer::Start() { impl_->Start(); }

void ServiceServer::Stop() { impl_->Stop(); }
