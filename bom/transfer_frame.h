// The framing of a parts-list transfer to the PDM, as two guards.
//
// TransferFrame: Start() sends "BOMSTART"; once the PDM has accepted it, exactly one
// "BOMEND" goes out on every way out: "0" from Finish(), or "1" from the destructor when the
// transfer ends any other way (a failure unwinding included).
//
// ElementFrame: sends "BOMELEMENTSTART" when built and "BOMELEMENTEND" when destroyed, so the
// two always come in pairs; the end carries "1" when the last call made for the element was
// refused (or the element was abandoned by an exception), else "0".
#pragma once

#include <cstdint>
#include <exception>

#include "pdm/pdm_link.h"

class TransferFrame {
  public:
    TransferFrame() = default;
    ~TransferFrame() {
        if (open_) {
            SendEnd(u"1");
        }
    }
    TransferFrame(const TransferFrame&) = delete;
    TransferFrame& operator=(const TransferFrame&) = delete;

    // The PDM's code for "BOMSTART"; the frame is open when it is 0.
    std::int32_t Start() {
        const std::int32_t code = PdmLink::Instance().CallCommand(u"BOMSTART", u"");
        open_ = code == 0;
        return code;
    }
    void Finish() {
        open_ = false;
        PdmLink::Instance().CallCommand(u"BOMEND", u"0");
    }

  private:
    void SendEnd(const char16_t* failed) noexcept {
        open_ = false;
        try {
            PdmLink::Instance().CallCommand(u"BOMEND", failed);
        } catch (...) {  // NOLINT: nothing can be done about a PDM that throws while unwinding
        }
    }

    bool open_ = false;
};

class ElementFrame {
  public:
    ElementFrame() : uncaught_(std::uncaught_exceptions()) {
        result_ = PdmLink::Instance().CallCommand(u"BOMELEMENTSTART", u"");
    }
    ~ElementFrame() {
        const bool abandoned = std::uncaught_exceptions() > uncaught_;
        try {
            PdmLink::Instance().CallCommand(u"BOMELEMENTEND",
                                            abandoned || result_ != 0 ? u"1" : u"0");
        } catch (...) {  // NOLINT: the end must not turn one failure into two
        }
    }
    ElementFrame(const ElementFrame&) = delete;
    ElementFrame& operator=(const ElementFrame&) = delete;

    // Sends one field; answers whether the PDM accepted it (its code becomes the result).
    bool Send(const char16_t* argument) {
        result_ = PdmLink::Instance().CallCommand(u"BOMELEMENTINFO", argument);
        return result_ == 0;
    }

  private:
    int uncaught_;
    std::int32_t result_ = 0;
};
