// VxArray<T>: the host's growable array of trivially copyable values.
//
// It grows to the needed length, at least by its grow length (8 by default): the
// allocation doubles while it is under 64 KiB and grows by 64 KiB after that.
// The array owns its buffer and frees it when destroyed; it is movable, not copyable.
//
// VxmCObjArray<T>: an array of pointers to T that owns them. Lowering its logical length
// deletes the elements that fall off, from the last one down; raising it fills the new
// slots with null. Destroying it sets the length to 0 and frees the buffer.
#pragma once

#include <cstddef>
#include <cstdlib>
#include <cstring>
#include <new>
#include <type_traits>
#include <utility>

#include "host/vx_db_object_id.h"

template <typename T>
class VxArray {
    static_assert(std::is_trivially_copyable_v<T>, "VxArray holds plain values");

  public:
    explicit VxArray(int initialLength = 0, int growLength = 8)
        : grow_(growLength > 0 ? growLength : 8) {
        if (initialLength > 0) {
            reserve(initialLength);
        }
    }
    ~VxArray() { std::free(data_); }
    VxArray(const VxArray&) = delete;
    VxArray& operator=(const VxArray&) = delete;
    VxArray(VxArray&& other) noexcept { swap(other); }
    VxArray& operator=(VxArray&& other) noexcept {
        if (this != &other) {
            VxArray gone(std::move(other));
            swap(gone);
        }
        return *this;
    }

    int length() const { return length_; }
    int logicalLength() const { return length_; }
    int physicalLength() const { return capacity_; }
    int growLength() const { return grow_; }
    bool isEmpty() const { return length_ == 0; }

    T& operator[](int i) { return data_[i]; }
    const T& operator[](int i) const { return data_[i]; }
    T& at(int i) { return data_[i]; }
    const T& at(int i) const { return data_[i]; }
    const T* asArrayPtr() const { return data_; }
    T* begin() { return data_; }
    T* end() { return data_ + length_; }
    const T* begin() const { return data_; }
    const T* end() const { return data_ + length_; }

    VxArray& append(const T& value) {
        reserve(length_ + 1);
        data_[length_++] = value;
        return *this;
    }
    // Removes element i, keeping the order of the others.
    VxArray& removeAt(int i) {
        if (i >= 0 && i < length_) {
            std::memmove(data_ + i, data_ + i + 1,
                         sizeof(T) * static_cast<std::size_t>(length_ - i - 1));
            --length_;
        }
        return *this;
    }
    // Index of the first element equal to value, or -1.
    int find(const T& value) const {
        for (int i = 0; i < length_; ++i) {
            if (data_[i] == value) {
                return i;
            }
        }
        return -1;
    }
    bool remove(const T& value) {
        const int i = find(value);
        if (i < 0) {
            return false;
        }
        removeAt(i);
        return true;
    }
    VxArray& setLogicalLength(int length) {
        if (length < 0) {
            length = 0;
        }
        reserve(length);
        for (int i = length_; i < length; ++i) {
            data_[i] = T{};
        }
        length_ = length;
        return *this;
    }
    VxArray& removeAll() {
        length_ = 0;
        return *this;
    }

  private:
    void reserve(int needed) {
        if (needed <= capacity_) {
            return;
        }
        const std::size_t bytes = sizeof(T) * static_cast<std::size_t>(capacity_);
        int grown = capacity_ + grow_;
        if (bytes < 65536) {
            grown = capacity_ * 2 > grown ? capacity_ * 2 : grown;
        } else {
            const int step = static_cast<int>(65536 / sizeof(T));
            grown = capacity_ + (step > grow_ ? step : grow_);
        }
        if (grown < needed) {
            grown = needed;
        }
        T* bigger =
            static_cast<T*>(std::realloc(data_, sizeof(T) * static_cast<std::size_t>(grown)));
        if (bigger == nullptr) {
            throw std::bad_alloc();
        }
        data_ = bigger;
        capacity_ = grown;
    }
    void swap(VxArray& other) noexcept {
        std::swap(data_, other.data_);
        std::swap(length_, other.length_);
        std::swap(capacity_, other.capacity_);
        std::swap(grow_, other.grow_);
    }

    T* data_ = nullptr;
    int length_ = 0;
    int capacity_ = 0;
    int grow_ = 8;
};

using VxDbObjectIdArray = VxArray<VxDbObjectId>;

template <typename T>
class VxmCObjArray {
  public:
    explicit VxmCObjArray(int growLength = 8) : slots_(0, growLength) {}
    ~VxmCObjArray() { setLogicalLength(0); }
    VxmCObjArray(const VxmCObjArray&) = delete;
    VxmCObjArray& operator=(const VxmCObjArray&) = delete;

    int length() const { return slots_.length(); }
    T* operator[](int i) const { return slots_[i]; }
    T* at(int i) const { return slots_[i]; }
    // Takes ownership of element.
    void append(T* element) { slots_.append(element); }
    void setLogicalLength(int length) {
        for (int i = slots_.length() - 1; i >= length && i >= 0; --i) {
            delete slots_[i];
            slots_[i] = nullptr;
        }
        slots_.setLogicalLength(length);
    }

  private:
    VxArray<T*> slots_;
};
