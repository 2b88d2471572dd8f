// olhost.exe, the Outlook stand-in: plays Outlook 2007, 2010, 2013, 2016 or Microsoft 365 over
// the simulated mailbox for the COM add-ins registered on this machine, driven by a script.
//
//   olhost.exe [--outlook 2007|2010|2013|2016|365] --install   registers Outlook of that version
//   olhost.exe [--outlook 2007|2010|2013|2016|365] [--locale en|de] [--fail-call K]
//              [--script FILE]
//
// --locale de plays a German Outlook: the mailbox's folders carry German names, and Outlook's
// own folders are there, marked hidden as Outlook marks them.
// --fail-call K fails the K-th call the add-ins make into Outlook's and Office's objects. The
// last lines say how many calls there were, how many returned a failure, which call was failed
// and how many dialogs were answered.
// Without a script, Outlook starts, then quits. Exits with the number of failed expectations.
#include <windows.h>

#include <objbase.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <sstream>
#include <string>

#include "tools/olhost/dialog_answerer.h"
#include "tools/olhost/dispatch_object.h"
#include "tools/olhost/outlook_stand_in.h"
#include "tools/olhost/script.h"

namespace {

// A library loaded for as long as the stand-in runs.
class LoadedLibrary {
 public:
  explicit LoadedLibrary(const wchar_t* name) : module_(::LoadLibraryW(name)) {}
  ~LoadedLibrary() {
    if (module_ != nullptr) {
      ::FreeLibrary(module_);
    }
  }
  LoadedLibrary(const LoadedLibrary&) = delete;
  LoadedLibrary& operator=(const LoadedLibrary&) = delete;

 private:
  HMODULE module_;
};

}  // namespace

int main(int argc, char** argv) {
  std::string outlook_name = "2010";
  bool install = false;
  quivra::outlook::sim::Language language = quivra::outlook::sim::Language::kEnglish;
  const char* script_path = nullptr;
  for (int i = 1; i < argc; ++i) {
    if (std::strcmp(argv[i], "--outlook") == 0 && i + 1 < argc) {
      outlook_name = argv[++i];
    } else if (std::strcmp(argv[i], "--locale") == 0 && i + 1 < argc) {
      const char* locale = argv[++i];
      if (std::strcmp(locale, "de") == 0) {
        language = quivra::outlook::sim::Language::kGerman;
      } else if (std::strcmp(locale, "en") != 0) {
        std::fprintf(stderr, "olhost: no sample mailbox for the locale %s\n", locale);
        return 100;
      }
    } else if (std::strcmp(argv[i], "--install") == 0) {
      install = true;
    } else if (std::strcmp(argv[i], "--fail-call") == 0 && i + 1 < argc) {
      quivra::olhost::CallSweep::FailCallNumber(std::strtol(argv[++i], nullptr, 10));
    } else if (std::strcmp(argv[i], "--script") == 0 && i + 1 < argc) {
      script_path = argv[++i];
    } else {
      std::fprintf(stderr,
                   "usage: olhost [--outlook 2007|2010|2013|2016|365] [--locale en|de] [--install] "
                   "[--fail-call K] [--script FILE]\n");
      return 100;
    }
  }
  if (FAILED(::OleInitialize(nullptr))) {
    std::fprintf(stderr, "olhost: COM could not be initialised\n");
    return 101;
  }
  // Outlook has the common controls and the shell loaded long before it loads its add-ins;
  // so does the stand-in, so that an add-in's start-up is not charged with starting them.
  const LoadedLibrary common_controls(L"comctl32.dll");
  const LoadedLibrary shell(L"shell32.dll");
  int failures = 0;
  try {
    quivra::olhost::OutlookStandIn outlook(outlook_name, language);
    if (install) {
      outlook.Install();
    } else {
      quivra::olhost::DialogAnswerer::Start();
      if (script_path) {
        std::ifstream script(script_path);
        if (!script) {
          std::fprintf(stderr, "olhost: cannot read %s\n", script_path);
          failures = 102;
        } else {
          failures = quivra::olhost::RunScript(script, outlook);
        }
      } else {
        std::istringstream script("start\nquit\n");
        failures = quivra::olhost::RunScript(script, outlook);
      }
    }
  } catch (const std::exception& error) {
    std::fprintf(stderr, "olhost: %s\n", error.what());
    failures = 103;
  }
  ::CoFreeUnusedLibraries();
  ::OleUninitialize();
  using quivra::olhost::CallSweep;
  std::printf("olhost: %ld calls into Outlook and Office, %ld failure results returned\n",
              CallSweep::Calls(), CallSweep::FailureResults());
  std::printf("olhost: failed call: %s\n",
              CallSweep::Struck() ? CallSweep::StruckCall().c_str() : "none");
  std::printf("olhost: %zu dialogs answered\n", quivra::olhost::DialogAnswerer::Seen().size());
  std::printf("olhost: %d failed\n", failures);
  return failures;
}
