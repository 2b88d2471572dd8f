#include "tools/olhost/keyboard_script.h"

#include <cstdio>
#include <sstream>
#include <stdexcept>

#include "tools/olhost/keyboard_input.h"
#include "tools/olhost/outlook_stand_in.h"
#include "tools/olhost/stand_in_windows.h"

namespace quivra::olhost {

namespace {

ExplorerPart PartNamed(const std::string& name) {
  if (name == "search")
    return ExplorerPart::kSearchBox;
  if (name == "reading")
    return ExplorerPart::kReadingPane;
  if (name == "inline-reply")
    return ExplorerPart::kInlineReply;
  if (name == "list")
    return ExplorerPart::kMessageList;
  throw std::invalid_argument("no part " + name);
}

std::uintptr_t ActiveExplorerWindow(OutlookStandIn& outlook) {
  const outlook::ExplorerPtr explorer = outlook.world().outlook.application()->ActiveExplorer();
  if (!explorer) {
    throw std::invalid_argument("no active explorer");
  }
  return explorer->WindowHandle();
}

}  // namespace

bool RunKeyboardCommand(const std::string& command,
                        const std::string& rest,
                        OutlookStandIn& outlook,
                        const ScriptCheck& check) {
  if (command == "key") {
    std::printf("user types %s\n", rest.c_str());
    KeyboardInput::Type(rest);
  } else if (command == "key-loop") {
    std::istringstream args(rest);
    std::string key;
    int count = 0;
    args >> key >> count;
    if (count <= 0) {
      throw std::invalid_argument("key-loop needs a key and a count");
    }
    const double ms = KeyboardInput::TypeRepeatedly(key, count);
    std::printf("key loop: %d key-downs of %s in %.1f ms, %.0f per second, %.2f us each\n", count,
                key.c_str(), ms, count * 1000.0 / ms, ms * 1000.0 / count);
    std::fflush(stdout);
  } else if (command == "alt-code") {
    std::printf("user holds Alt and types %s on the numeric keypad\n", rest.c_str());
    KeyboardInput::TypeAltCode(rest);
  } else if (command == "focus") {
    StandInWindows::Focus(ActiveExplorerWindow(outlook), PartNamed(rest));
    std::printf("user clicks into the %s\n", rest.c_str());
  } else if (command == "expect-key") {
    check(KeyboardInput::MainKeyReached() == (rest != "no"),
          std::string("the key ") + (rest != "no" ? "reached " : "did not reach ") +
              KeyboardInput::TargetName());
  } else if (command == "expect-text") {
    const size_t space = rest.find(' ');
    const std::string part = rest.substr(0, space);
    const std::string wanted = space == std::string::npos ? "" : rest.substr(space + 1);
    const std::string text = StandInWindows::TextOf(ActiveExplorerWindow(outlook), PartNamed(part));
    check(text == wanted, "the " + part + " holds \"" + text + "\"");
  } else if (command == "expect-key-tips") {
    const bool showing = StandInWindows::KeyTipsShowing(ActiveExplorerWindow(outlook));
    check(showing == (rest != "no"),
          std::string("the ribbon's key tips ") + (showing ? "show" : "do not show"));
  } else {
    return false;
  }
  return true;
}

}  // namespace quivra::olhost
