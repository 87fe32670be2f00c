// SmartPtr<T> and PtrRep<T>: holders of an opened host object.
//
// A holder starts empty; a host open call (getSymbolTable, getAt, vxdbOpenVxDbObject) writes
// the opened object straight into slot(). When the last holder of a record is released the
// record disposes of the object: an object that is in no database (null id) is deleted, any
// other is closed. So every open is matched by one close on every path, unwinding included.
// Holders are not copied; each is released once, by its destructor.
#pragma once

#include <cstdint>

template <class T>
class PtrRep {
  public:
    PtrRep() = default;
    virtual ~PtrRep() {
        if (object != nullptr && (closeOnRelease & 1) != 0) {
            if (object->objectId().isNull()) {
                delete object;
            } else {
                object->close();
            }
        }
    }
    PtrRep(const PtrRep&) = delete;
    PtrRep& operator=(const PtrRep&) = delete;

    T* object = nullptr;
    std::int32_t closeOnRelease = 1;
    std::int32_t refCount = 1;
};

template <class T>
class SmartPtr {
  public:
    SmartPtr() : rep_(new PtrRep<T>()) {}
    virtual ~SmartPtr() {
        if (--rep_->refCount == 0) {
            delete rep_;
        }
    }
    SmartPtr(const SmartPtr&) = delete;
    SmartPtr& operator=(const SmartPtr&) = delete;

    // The place an open call fills; must be null when passed to it.
    T*& slot() { return rep_->object; }
    T* get() const { return rep_->object; }
    T* operator->() const { return rep_->object; }
    T& operator*() const { return *rep_->object; }
    explicit operator bool() const { return rep_->object != nullptr; }

  private:
    PtrRep<T>* rep_;
};
