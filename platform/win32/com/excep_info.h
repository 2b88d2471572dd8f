#ifndef QUIVRA_PLATFORM_WIN32_COM_EXCEP_INFO_H_
#define QUIVRA_PLATFORM_WIN32_COM_EXCEP_INFO_H_

#include <windows.h>

#include <oaidl.h>

#include <string>

namespace quivra::com {

// Owns the EXCEPINFO an IDispatch::Invoke fills in: its texts are freed when it goes.
class ExcepInfo {
 public:
  ExcepInfo() = default;
  ~ExcepInfo();
  ExcepInfo(const ExcepInfo&) = delete;
  ExcepInfo& operator=(const ExcepInfo&) = delete;

  EXCEPINFO* get() { return &info_; }
  const EXCEPINFO& ref() const { return info_; }
  // The description the callee gave, in UTF-8; empty when it gave none.
  std::string Description() const;
  // Lets a callee that defers its texts fill them in now (pfnDeferredFillIn, which Outlook uses
  // for many of its errors; see Microsoft's EXCEPINFO documentation); before it, only the code
  // is there. Called once, before the texts are read; a later call does nothing.
  void FillInDeferred() noexcept;

  // Reports a failure to the caller of an Invoke through its EXCEPINFO (which may be null):
  // `code` as scode, the source and the description. Never raises: without memory for the
  // texts they are left out.
  static void Fill(EXCEPINFO* out,
                   HRESULT code,
                   const wchar_t* source,
                   const std::string& description) noexcept;

 private:
  EXCEPINFO info_{};
};

}  // namespace quivra::com

#endif  // QUIVRA_PLATFORM_WIN32_COM_EXCEP_INFO_H_
