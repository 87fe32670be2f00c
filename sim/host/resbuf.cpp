#include <cstdarg>
#include <cstring>
#include <new>

#include "host/vx_resbuf.h"

namespace {

char16_t* copyText(const char16_t* text) {
    std::size_t length = 0;
    while (text[length] != 0) {
        ++length;
    }
    auto* copy = new char16_t[length + 1];
    std::memcpy(copy, text, (length + 1) * sizeof(char16_t));
    return copy;
}

}  // namespace

VxResBuf* vxutBuildList(int type, ...) {
    VxResBuf* head = nullptr;
    VxResBuf** tail = &head;
    bool malformed = false;
    std::va_list args;
    va_start(args, type);
    try {
        // The next type is read only after a well-formed element: reading past the caller's
        // arguments would take garbage.
        while (type != kRtNone && type != 0) {
            auto* element = new VxResBuf();
            element->restype = static_cast<short>(type);
            *tail = element;
            tail = &element->rbnext;
            switch (type) {
                case kRtStr: {
                    const char16_t* text = va_arg(args, const char16_t*);
                    if (text == nullptr) {
                        malformed = true;
                        element->restype = kRtNone;  // nothing for vxutRelRb to free
                    } else {
                        element->resval.rstring = copyText(text);
                    }
                    break;
                }
                case kRtShort:
                case kRtLong:
                    element->resval.rint = va_arg(args, int);
                    break;
                case kRtReal:
                    element->resval.rreal = va_arg(args, double);
                    break;
                case kRtPoint: {
                    const double* point = va_arg(args, const double*);
                    if (point == nullptr) {
                        malformed = true;
                    } else {
                        std::memcpy(element->resval.rpoint, point, sizeof element->resval.rpoint);
                    }
                    break;
                }
                default:
                    malformed = true;
                    break;  // an unknown type: its value cannot be skipped
            }
            if (malformed) {
                break;
            }
            type = va_arg(args, int);
        }
    } catch (const std::bad_alloc&) {
        malformed = true;
    }
    va_end(args);
    if (malformed) {
        vxutRelRb(head);
        return nullptr;
    }
    return head;
}

int vxutRelRb(VxResBuf* list) {
    while (list != nullptr) {
        VxResBuf* next = list->rbnext;
        if (list->restype == kRtStr) {
            delete[] list->resval.rstring;
        }
        delete list;
        list = next;
    }
    return kRtNorm;
}
