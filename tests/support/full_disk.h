// Test output whose every write fails as on a full disk.
#pragma once

#include <cerrno>
#include <streambuf>

class FullDisk : public std::streambuf {
  protected:
    int_type overflow(int_type) override {
        errno = ENOSPC;
        return traits_type::eof();
    }
    std::streamsize xsputn(const char*, std::streamsize) override {
        errno = ENOSPC;
        return 0;
    }
};
