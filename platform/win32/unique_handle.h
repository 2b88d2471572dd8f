#ifndef QUIVRA_PLATFORM_WIN32_UNIQUE_HANDLE_H_
#define QUIVRA_PLATFORM_WIN32_UNIQUE_HANDLE_H_

#include <windows.h>

#include <utility>

namespace quivra::platform::win32 {

// Owns one Windows handle and releases it with `Release` when dropped. A null handle is none;
// handles whose "none" is INVALID_HANDLE_VALUE are taken through ValidOrNull.
template <typename Handle, auto Release>
class Unique {
 public:
  Unique() = default;
  explicit Unique(Handle handle) : handle_(handle) {}
  ~Unique() { reset(); }
  Unique(Unique&& other) noexcept : handle_(std::exchange(other.handle_, nullptr)) {}
  Unique& operator=(Unique&& other) noexcept {
    if (this != &other) {
      reset(std::exchange(other.handle_, nullptr));
    }
    return *this;
  }
  Unique(const Unique&) = delete;
  Unique& operator=(const Unique&) = delete;

  Handle get() const { return handle_; }
  explicit operator bool() const { return handle_ != nullptr; }
  // Releases the handle held and takes `handle`.
  void reset(Handle handle = nullptr) {
    if (handle_ != nullptr) {
      Release(handle_);
    }
    handle_ = handle;
  }
  // Gives the handle up without releasing it.
  Handle release() { return std::exchange(handle_, nullptr); }
  // Releases the handle held and hands out its place for a function that returns a new one.
  Handle* Receive() {
    reset();
    return &handle_;
  }

 private:
  Handle handle_ = nullptr;
};

// A handle of a function that answers INVALID_HANDLE_VALUE for none (CreateFileW), as null.
inline HANDLE ValidOrNull(HANDLE handle) {
  return handle == INVALID_HANDLE_VALUE ? nullptr : handle;
}

using UniqueFile = Unique<HANDLE, &::CloseHandle>;
// A search of FindFirstFileW.
using UniqueFind = Unique<HANDLE, &::FindClose>;
using UniqueKey = Unique<HKEY, &::RegCloseKey>;
using UniqueHook = Unique<HHOOK, &::UnhookWindowsHookEx>;
// A library loaded by LoadLibraryW.
using UniqueModule = Unique<HMODULE, &::FreeLibrary>;
// A top-level window; its child windows go with it.
using UniqueWindow = Unique<HWND, &::DestroyWindow>;

}  // namespace quivra::platform::win32

#endif  // QUIVRA_PLATFORM_WIN32_UNIQUE_HANDLE_H_
