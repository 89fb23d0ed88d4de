#pragma once

// The tkv9d-sim program started as a process for a test: its output read with a bound, stopped
// by a signal. TKV9D_SIM_PROGRAM is the program's path.

#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdlib>
#include <string>
#include <vector>

namespace sim_test {

class SimProgram {
  public:
    // Starts the program with XDG_CONFIG_HOME set to configHome and the given arguments.
    SimProgram(const std::string& configHome, std::vector<std::string> args) {
        int out[2];
        if (::pipe2(out, O_CLOEXEC) != 0) return;
        pid_ = ::fork();
        if (pid_ == 0) {
            ::dup2(out[1], STDOUT_FILENO);
            ::setenv("XDG_CONFIG_HOME", configHome.c_str(), 1);
            std::vector<char*> argv;
            argv.push_back(const_cast<char*>(TKV9D_SIM_PROGRAM));
            for (auto& a : args) argv.push_back(a.data());
            argv.push_back(nullptr);
            ::execv(TKV9D_SIM_PROGRAM, argv.data());
            ::_exit(127);
        }
        ::close(out[1]);
        out_ = out[0];
    }
    ~SimProgram() {
        if (pid_ > 0 && !reaped_) {
            ::kill(pid_, SIGKILL);
            ::waitpid(pid_, nullptr, 0);
        }
        if (out_ >= 0) ::close(out_);
    }

    // What the program printed until the pipe closed or the bound passed.
    std::string readOutput(std::size_t lines, std::chrono::milliseconds bound) {
        const auto deadline = std::chrono::steady_clock::now() + bound;
        while (static_cast<std::size_t>(std::count(output_.begin(), output_.end(), '\n')) < lines) {
            const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(
                deadline - std::chrono::steady_clock::now());
            pollfd p{out_, POLLIN, 0};
            if (left.count() <= 0 || ::poll(&p, 1, static_cast<int>(left.count())) <= 0) break;
            char buffer[256];
            const ssize_t n = ::read(out_, buffer, sizeof buffer);
            if (n <= 0) break;
            output_.append(buffer, static_cast<std::size_t>(n));
        }
        return output_;
    }

    // Sends the signal (0: none) and waits, within the bound, for the program to close its
    // output on exit; then its exit status, or -1.
    int stop(int signal, std::chrono::milliseconds bound) {
        if (signal != 0) ::kill(pid_, signal);
        const auto deadline = std::chrono::steady_clock::now() + bound;
        char buffer[256];
        for (;;) {
            const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(
                deadline - std::chrono::steady_clock::now());
            pollfd p{out_, POLLIN, 0};
            if (left.count() <= 0 || ::poll(&p, 1, static_cast<int>(left.count())) <= 0) return -1;
            if (::read(out_, buffer, sizeof buffer) <= 0) break;
        }
        // The output closes as the process exits, so this wait is short.
        int status = 0;
        if (::waitpid(pid_, &status, 0) != pid_) return -1;
        reaped_ = true;
        return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    }

  private:
    pid_t pid_ = -1;
    int out_ = -1;
    bool reaped_ = false;
    std::string output_;
};

}  // namespace sim_test
