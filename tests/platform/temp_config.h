#pragma once

#include <cstdlib>
#include <filesystem>
#include <string>

#include <unistd.h>

// A private XDG_CONFIG_HOME for one test, removed afterwards.
class TempConfigHome {
  public:
    TempConfigHome() {
        char pattern[] = "/tmp/tkv9d-config-XXXXXX";
        dir_ = ::mkdtemp(pattern);
        const char* old = std::getenv("XDG_CONFIG_HOME");
        hadOld_ = old != nullptr;
        if (hadOld_) old_ = old;
        ::setenv("XDG_CONFIG_HOME", dir_.c_str(), 1);
    }
    ~TempConfigHome() {
        if (hadOld_)
            ::setenv("XDG_CONFIG_HOME", old_.c_str(), 1);
        else
            ::unsetenv("XDG_CONFIG_HOME");
        std::error_code ec;
        std::filesystem::remove_all(dir_, ec);
    }
    const std::string& path() const { return dir_; }

  private:
    std::string dir_;
    std::string old_;
    bool hadOld_ = false;
};
