#include "platform/ui/win32/thread_windows_disabled.h"

namespace quivra::ui::win32 {

namespace {

struct Search {
  HWND except;
  std::vector<HWND>* found;
};

BOOL CALLBACK CollectWindow(HWND window, LPARAM search_address) {
  const auto* search = reinterpret_cast<const Search*>(search_address);
  if (window != search->except && ::IsWindowVisible(window) && ::IsWindowEnabled(window)) {
    search->found->push_back(window);
  }
  return TRUE;
}

}  // namespace

ThreadWindowsDisabled::ThreadWindowsDisabled(HWND except) {
  std::vector<HWND> found;
  Search search{except, &found};
  ::EnumThreadWindows(::GetCurrentThreadId(), CollectWindow, reinterpret_cast<LPARAM>(&search));
  for (HWND window : found) {
    ::EnableWindow(window, FALSE);
    windows_.push_back(window);
  }
}

ThreadWindowsDisabled::~ThreadWindowsDisabled() {
  for (auto window = windows_.rbegin(); window != windows_.rend(); ++window) {
    if (::IsWindow(*window)) {
      ::EnableWindow(*window, TRUE);
    }
  }
}

}  // namespace quivra::ui::win32
