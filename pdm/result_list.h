// ResultList: holds a result-buffer list of the host and releases it with vxutRelRb when the
// holder goes out of scope.
#pragma once

#include "host/vx_resbuf.h"

class ResultList {
  public:
    explicit ResultList(VxResBuf* list = nullptr) : list_(list) {}
    ~ResultList() { vxutRelRb(list_); }
    ResultList(const ResultList&) = delete;
    ResultList& operator=(const ResultList&) = delete;

    VxResBuf* get() const { return list_; }
    // For functions that hand out a list through a pointer argument; releases the old one.
    VxResBuf** receive() {
        vxutRelRb(list_);
        list_ = nullptr;
        return &list_;
    }

  private:
    VxResBuf* list_;
};
