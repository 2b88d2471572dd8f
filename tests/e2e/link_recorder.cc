// A stand-in for the user's web browser: a Windows program without a window (so it takes
// neither the foreground nor the keyboard from the dialog that opened it) that appends the
// address it was asked to open, one line each, to the file named first on its command line.
// Usage: link_recorder.exe <file> <address>
#include <windows.h>

#include <shellapi.h>

#include <cstdio>
#include <cwchar>
#include <memory>

namespace {

struct LocalFreer {
  void operator()(wchar_t** block) const { ::LocalFree(block); }
};
struct FileCloser {
  void operator()(FILE* file) const { std::fclose(file); }
};

}  // namespace

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int) {
  int count = 0;
  const std::unique_ptr<wchar_t*, LocalFreer> arguments(
      ::CommandLineToArgvW(::GetCommandLineW(), &count));
  if (!arguments || count < 3) {
    return 2;
  }
  const std::unique_ptr<FILE, FileCloser> file(_wfopen(arguments.get()[1], L"a"));
  if (!file) {
    return 1;
  }
  return std::fwprintf(file.get(), L"%ls\n", arguments.get()[2]) > 0 ? 0 : 1;
}
