// Storage for an object whose life is started and ended explicitly (by the library's start-up
// and teardown) rather than by the static initialisation of the record that holds it.
#pragma once

#include <new>
#include <utility>

template <typename T>
class Deferred {
public:
    Deferred() = default;
    Deferred(const Deferred&) = delete;
    Deferred& operator=(const Deferred&) = delete;
    // Deliberately no destructor: the owner ends the object's life with destroy().

    template <typename... Args>
    T& construct(Args&&... args) {
        object_ = new (storage_) T(std::forward<Args>(args)...);
        return *object_;
    }
    void destroy() {
        if (object_) {
            T* object = object_;
            object_ = nullptr;
            object->~T();
        }
    }
    bool alive() const { return object_ != nullptr; }
    T* get() const { return object_; }
    T& operator*() const { return *object_; }
    T* operator->() const { return object_; }

private:
    alignas(T) unsigned char storage_[sizeof(T)]{};
    T* object_ = nullptr;
};
