// HostStatusError: the one exception of an operation of the parts-list and part-reference
// subsystems. A failing host call becomes the host's status text (vexaErrorStatusText); a
// configuration failure carries its composed message. The operation that started the work
// catches it once, reports the text and returns; holders and guards release what they hold
// while it unwinds.
#pragma once

#include <string>
#include <utility>

#include "host/vx_status.h"

class HostStatusError {
  public:
    explicit HostStatusError(std::u16string text) : text_(std::move(text)) {}
    const std::u16string& text() const { return text_; }

  private:
    std::u16string text_;
};

// Throws the host's text of status unless it is 0 (Vx::eOk).
inline void ThrowIfHostFailed(int status) {
    if (status != Vx::eOk) {
        throw HostStatusError(vexaErrorStatusText(status));
    }
}
