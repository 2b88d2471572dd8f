// Where the 32-bit library's unwind tables are registered.
//
// The 32-bit library carries its own copy of the GCC runtime, whose C++ exceptions find the
// library's code through unwind tables registered when the library loads. GCC's start-up code
// registers them with the shared runtime DLL "libgcc_s_dw2-1.dll" instead whenever some other
// component has already loaded that DLL into the host process; every exception the library
// raised afterwards would find no tables and end the process, Outlook with it. The start-up
// code asks through GetModuleHandleA, and the linker sends this library's calls of
// GetModuleHandleA here (--wrap, see CMakeLists.txt): the shared runtime is reported absent,
// every other module is looked up as usual. Under Wine the question also cost a search of the
// whole library path, about 0.7 ms of every start of Outlook.

#include <windows.h>

#include <cstring>

namespace {

using ModuleHandleFunction = HMODULE(WINAPI*)(LPCSTR);

constexpr char kSharedRuntime[] = "libgcc_s_dw2-1.dll";

}  // namespace

// The import the linker renamed, and the one it calls instead (i386 names: a leading
// underscore and the stdcall argument size).
extern "C" ModuleHandleFunction quivra_real_module_handle_a __asm__(
    "___real__imp__GetModuleHandleA@4");

namespace {

HMODULE WINAPI ModuleHandleA(LPCSTR name) {
  if (name != nullptr && ::_stricmp(name, kSharedRuntime) == 0) {
    return nullptr;
  }
  return quivra_real_module_handle_a(name);
}

}  // namespace

extern "C" {
ModuleHandleFunction quivra_wrapped_module_handle_a __asm__("___wrap__imp__GetModuleHandleA@4") =
    &ModuleHandleA;
}
