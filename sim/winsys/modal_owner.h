// The owner of a modal dialog or message box takes no input from the window's opening to its
// close. Windows keeps that rule itself; elsewhere the stand-in keeps it with this holder,
// which disables the owner for its lifetime (a null owner: nothing is disabled).
#pragma once

#if !defined(_WIN32)
#include "host/winsys.h"

namespace sim {

class DisabledOwner {
  public:
    explicit DisabledOwner(winsys::Hwnd owner);
    ~DisabledOwner();
    DisabledOwner(const DisabledOwner&) = delete;
    DisabledOwner& operator=(const DisabledOwner&) = delete;

  private:
    winsys::Hwnd owner_;
};

}  // namespace sim
#endif
