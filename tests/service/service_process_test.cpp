// vor-service as a process: what it prints, how it refuses, and how it stops.

#include <gtest/gtest.h>
#include <httplib.h>
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdio>
#include <regex>

extern char** environ;

namespace {

// A child process with its standard output and error read through pipes.
class ServiceProcess {
 public:
  explicit ServiceProcess(std::vector<std::string> args) {
    int out[2];
    int err[2];
    if (pipe(out) != 0 || pipe(err) != 0) throw std::runtime_error("no pipes");
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_adddup2(&actions, out[1], STDOUT_FILENO);
    posix_spawn_file_actions_adddup2(&actions, err[1], STDERR_FILENO);
    args.insert(args.begin(), VOR_SERVICE_BINARY);
    std::vector<char*> argv;
    for (std::string& arg : args) argv.push_back(arg.data());
    argv.push_back(nullptr);
    if (posix_spawn(&pid_, VOR_SERVICE_BINARY, &actions, nullptr, argv.data(), environ) != 0) {
      throw std::runtime_error("cannot start " VOR_SERVICE_BINARY);
    }
    posix_spawn_file_actions_destroy(&actions);
    close(out[1]);
    close(err[1]);
    out_ = fdopen(out[0], "r");
    err_ = fdopen(err[0], "r");
  }
  ~ServiceProcess() {
    if (pid_ > 0) {
      kill(pid_, SIGKILL);
      waitpid(pid_, nullptr, 0);
    }
    fclose(out_);
    fclose(err_);
  }

  // The next line of standard output, empty at its end.
  std::string Line() { return ReadLine(out_); }
  std::string ErrorText() {
    std::string text;
    for (std::string line; !(line = ReadLine(err_)).empty();) text += line;
    return text;
  }
  // Sends signal (0 sends none) and returns the exit status.
  int Stop(int signal) {
    if (signal != 0) kill(pid_, signal);
    int status = 0;
    waitpid(pid_, &status, 0);
    pid_ = -1;
    return WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
  }

 private:
  static std::string ReadLine(FILE* stream) {
    std::string line;
    for (int c; (c = std::fgetc(stream)) != EOF;) {
      line += static_cast<char>(c);
      if (c == '\n') break;
    }
    return line;
  }
  pid_t pid_ = -1;
  FILE* out_ = nullptr;
  FILE* err_ = nullptr;
};

class ServiceSignals : public ::testing::TestWithParam<std::pair<int, const char*>> {};

TEST_P(ServiceSignals, PrintsItsPortFirstLogsEachRequestAndStopsCleanly) {
  ServiceProcess service({"--port", "0", "--account", "10001:demo-pass"});
  const std::string first = service.Line();
  std::smatch match;
  ASSERT_TRUE(std::regex_match(first, match, std::regex(R"(\{"event":"listening","port":(\d+),.*\}\n)"))) << first;
  httplib::Client client("127.0.0.1", std::stoi(match[1]));
  const auto reply = client.Get("/ringpost_v2/index.php/Login/client_get_param");
  ASSERT_TRUE(reply);
  EXPECT_EQ(reply->body, "1.00||5");
  EXPECT_EQ(service.Line(),
            R"({"event":"request","path":"/ringpost_v2/index.php/Login/client_get_param","raw":"","query":{},)"
            R"("status":200,"answer":"1.00||5"})"
            "\n");
  EXPECT_EQ(service.Stop(GetParam().first), 0);
  EXPECT_EQ(service.Line(), std::string(R"({"event":"stopped","signal":")") + GetParam().second + "\"}\n");
}

INSTANTIATE_TEST_SUITE_P(Signals, ServiceSignals,
                         ::testing::Values(std::pair{SIGINT, "SIGINT"}, std::pair{SIGTERM, "SIGTERM"}),
                         [](const auto& info) { return std::string(info.param.second); });

TEST(ServiceProcess, RefusesANonLoopbackAddressUnlessTold) {
  ServiceProcess service({"--listen", "0.0.0.0", "--account", "10001:demo-pass"});
  EXPECT_EQ(service.Stop(0), 2);
  EXPECT_EQ(service.Line(), "");
  EXPECT_NE(service.ErrorText().find("not a loopback address"), std::string::npos);
}

}  // namespace
