#pragma once
// vor-service as a child process, its standard output and error read through pipes. The
// including target defines VOR_SERVICE_BINARY, the path of the executable.

#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdio>
#include <stdexcept>
#include <string>
#include <vector>

extern char** environ;

class ServiceProcess final {
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
