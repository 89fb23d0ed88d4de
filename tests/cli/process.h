#pragma once

// A program run as a process for a test: its stdout and stderr read with a bound, signalled,
// reaped. TKV9D_PROGRAM and TKV9D_SIM_PROGRAM are the programs' paths.

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

namespace cli_test {

// The locales the programs take their language from: German, as the rows of most tests are,
// and English.
inline constexpr const char* kGerman = "de_DE.UTF-8";
inline constexpr const char* kEnglish = "C";

// A program with its stdout and stderr in pipes, killed if still running at the end; its
// messages in the language of `locale`.
class Process {
  public:
    Process(const char* program, std::vector<std::string> args, const std::string& configHome,
            const char* locale = kGerman) {
        int out[2], err[2];
        if (::pipe2(out, O_CLOEXEC) != 0 || ::pipe2(err, O_CLOEXEC) != 0) return;
        pid_ = ::fork();
        if (pid_ == 0) {
            ::dup2(out[1], STDOUT_FILENO);
            ::dup2(err[1], STDERR_FILENO);
            ::setenv("XDG_CONFIG_HOME", configHome.c_str(), 1);
            ::setenv("LC_ALL", locale, 1);
            std::vector<char*> argv{const_cast<char*>(program)};
            for (auto& arg : args) argv.push_back(arg.data());
            argv.push_back(nullptr);
            ::execv(program, argv.data());
            ::_exit(127);
        }
        ::close(out[1]);
        ::close(err[1]);
        out_ = out[0];
        err_ = err[0];
    }
    ~Process() {
        if (pid_ > 0 && !reaped_) {
            ::kill(pid_, SIGKILL);
            ::waitpid(pid_, nullptr, 0);
        }
        for (int fd : {out_, err_})
            if (fd >= 0) ::close(fd);
    }
    Process(const Process&) = delete;
    Process& operator=(const Process&) = delete;

    // Reads stdout until it holds `lines` line ends, it closes, or the bound passes.
    const std::string& readLines(std::size_t lines, std::chrono::milliseconds bound) {
        const auto deadline = std::chrono::steady_clock::now() + bound;
        while (static_cast<std::size_t>(std::count(out.begin(), out.end(), '\n')) < lines &&
               readSome(deadline)) {
        }
        return out;
    }

    void signal(int number) { ::kill(pid_, number); }

    // Reads both outputs to their end and reaps the process, within the bound; its exit
    // status, or -1.
    int wait(std::chrono::milliseconds bound) {
        const auto deadline = std::chrono::steady_clock::now() + bound;
        while (readSome(deadline)) {
        }
        if (out_ >= 0 || err_ >= 0) return -1;
        int status = 0;
        if (::waitpid(pid_, &status, 0) != pid_) return -1;
        reaped_ = true;
        return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    }

    std::string out;
    std::string err;

  private:
    // One read from whichever output has something; false when both are closed or time is up.
    bool readSome(std::chrono::steady_clock::time_point deadline) {
        pollfd fds[2] = {{out_, POLLIN, 0}, {err_, POLLIN, 0}};
        const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(
            deadline - std::chrono::steady_clock::now());
        if ((out_ < 0 && err_ < 0) || left.count() <= 0 ||
            ::poll(fds, 2, static_cast<int>(left.count())) <= 0)
            return false;
        for (int i = 0; i < 2; ++i) {
            int& fd = i == 0 ? out_ : err_;
            if (fd < 0 || fds[i].revents == 0) continue;
            char buffer[4096];
            const ssize_t n = ::read(fd, buffer, sizeof buffer);
            if (n <= 0) {
                ::close(fd);
                fd = -1;
            } else {
                (i == 0 ? out : err).append(buffer, static_cast<std::size_t>(n));
            }
        }
        return true;
    }

    pid_t pid_ = -1;
    int out_ = -1;
    int err_ = -1;
    bool reaped_ = false;
};

}  // namespace cli_test
