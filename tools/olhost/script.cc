#include "tools/olhost/script.h"

#include <windows.h>

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <sstream>
#include <stdexcept>
#include <string>
#include <vector>

#include "host/outlook/sim/sim_world.h"
#include "tools/olhost/command_bar_objects.h"
#include "tools/olhost/dialog_answerer.h"
#include "tools/olhost/dispatch_object.h"
#include "tools/olhost/keyboard_input.h"
#include "tools/olhost/keyboard_script.h"
#include "tools/olhost/mailbox_script.h"
#include "tools/olhost/office_ui_script.h"
#include "tools/olhost/outlook_stand_in.h"
#include "tools/olhost/selection_script.h"
#include "tools/olhost/stand_in_windows.h"

namespace quivra::olhost {

namespace {

using platform::RegistryKey;
using platform::RegistryRoot;

std::string Trimmed(const std::string& text) {
  const size_t begin = text.find_first_not_of(" \t\r");
  if (begin == std::string::npos) {
    return {};
  }
  return text.substr(begin, text.find_last_not_of(" \t\r") - begin + 1);
}

// "\r" and "\n" written in a script line.
std::string Unescaped(const std::string& text) {
  std::string plain;
  for (size_t i = 0; i < text.size(); ++i) {
    if (text[i] == '\\' && i + 1 < text.size() && (text[i + 1] == 'r' || text[i + 1] == 'n')) {
      plain += text[i + 1] == 'r' ? '\r' : '\n';
      ++i;
    } else {
      plain += text[i];
    }
  }
  return plain;
}

RegistryKey ParseKey(const std::string& text) {
  RegistryKey key;
  const std::string root = text.substr(0, text.find('\\'));
  key.root = root == "HKLM"   ? RegistryRoot::kLocalMachine
             : root == "HKCR" ? RegistryRoot::kClassesRoot
                              : RegistryRoot::kCurrentUser;
  key.path = text.find('\\') == std::string::npos ? "" : text.substr(text.find('\\') + 1);
  return key;
}

class Runner {
 public:
  explicit Runner(OutlookStandIn& outlook) : outlook_(outlook) {}

  void Line(const std::string& raw) {
    const std::string line = Trimmed(raw);
    if (line.empty() || line[0] == '#') {
      return;
    }
    std::istringstream words(line);
    std::string command;
    words >> command;
    std::string rest;
    std::getline(words, rest);
    rest = Trimmed(rest);
    try {
      Run(command, rest);
    } catch (const std::exception& error) {
      Fail(line + ": " + error.what());
    }
  }

  int failures() const { return failures_; }

 private:
  void Run(const std::string& command, const std::string& rest) {
    auto& sim = outlook_.world().outlook;
    const ScriptCheck check = [this](bool ok, const std::string& what) { Check(ok, what); };
    if (command == "start") {
      outlook_.Start();
    } else if (command == "quit") {
      outlook_.Quit();
    } else if (command == "restart") {
      std::printf("user quits Outlook and starts it again\n");
      outlook_.Restart();
    } else if (command == "refuse-addin-object") {
      std::printf("Office will refuse the add-ins' COMAddIn.Object\n");
      outlook_.RefuseAddInObject();
    } else if (command == "open-inspector") {
      // open-inspector [read|compose]: a received mail (the default) or a new one in its own
      // window.
      outlook_.OpenInspector(rest == "compose" ? "Microsoft.Outlook.Mail.Compose"
                                               : "Microsoft.Outlook.Mail.Read");
    } else if (command == "close-inspector") {
      outlook_.CloseInspector();
    } else if (command == "open-explorer") {
      std::printf("user opens an explorer on %s\n", rest.c_str());
      sim.AddExplorer(sim.FolderAt(rest));
    } else if (command == "activate-explorer") {
      Explorer(rest).Activate();
    } else if (command == "show-folder") {
      std::istringstream args(rest);
      std::string index;
      args >> index;
      std::string path;
      std::getline(args, path);
      Explorer(index).ShowFolder(sim.FolderAt(Trimmed(path)));
    } else if (command == "close-explorer") {
      Explorer(rest).Close();
    } else if (command == "deactivate") {
      sim.DeactivateWindows();
    } else if (command == "disconnect") {
      outlook_.Disconnect(rest);
    } else if (command == "connect") {
      outlook_.Connect(rest);
    } else if (command == "calls") {
      // The calls the add-ins have made into Outlook's and Office's objects so far.
      std::printf("calls so far: %ld\n", CallSweep::Calls());
    } else if (command == "fail") {
      std::istringstream args(rest);
      std::string method;
      std::string mode;
      args >> method >> mode;
      sim.FailCall(method, mode == "always" ? outlook::sim::FailMode::kAlways
                                            : outlook::sim::FailMode::kOnce);
      std::printf("Outlook will fail %s\n", method.c_str());
    } else if (command == "answer") {
      DialogAnswerer::QueueAnswer(rest);
    } else if (command == "photograph-next-form") {
      // photograph-next-form <file.bmp>: the next form as it first shows.
      DialogAnswerer::PhotographNextForm(rest);
    } else if (command == "expect-selected-row") {
      // expect-selected-row <text>: the last form that showed had that row of its list selected.
      const std::string& row = DialogAnswerer::LastSelectedRow();
      Check(row == rest, "the form showed with row \"" + row + "\" selected");
    } else if (command == "form-keys") {
      // form-keys <combination> ...: typed, in order, into the next form that comes up after
      // those given keys before.
      std::istringstream args(rest);
      std::vector<std::string> keys;
      for (std::string key; args >> key;) {
        KeyboardInput::Validate(key);
        keys.push_back(key);
      }
      DialogAnswerer::QueueFormKeys(keys);
    } else if (command == "answer-keys") {
      // answer-keys <combination>: typed into the next form before it is answered.
      KeyboardInput::Validate(rest);
      DialogAnswerer::QueueKeys(rest);
    } else if (command == "expect-dialogs") {
      // expect-dialogs <count> <caption>: how many dialogs with that caption came up so far.
      const size_t space = rest.find(' ');
      const int wanted = std::stoi(rest.substr(0, space));
      const std::string caption = space == std::string::npos ? "" : Trimmed(rest.substr(space));
      int count = 0;
      for (const SeenDialog& dialog : DialogAnswerer::Seen()) {
        count += dialog.caption == caption ? 1 : 0;
      }
      Check(count == wanted, std::to_string(count) + " dialog(s) \"" + caption + "\" came up");
    } else if (command == "photograph-dialog") {
      // photograph-dialog <file.bmp>: the next form is photographed before it is answered.
      DialogAnswerer::QueuePhotograph(rest);
    } else if (command == "expect-dialog-tree" || command == "expect-no-dialog-tree") {
      // expect-dialog-tree <path>: the tree of the last form answered showed an item at that
      // path; expect-no-dialog-tree <text>: no item of it had that text as a name.
      const std::vector<SeenDialog>& seen = DialogAnswerer::Seen();
      auto last = std::find_if(seen.rbegin(), seen.rend(),
                               [](const SeenDialog& dialog) { return !dialog.tree_items.empty(); });
      if (last == seen.rend()) {
        Fail("no dialog with a tree was answered");
      } else if (command == "expect-dialog-tree") {
        const auto& items = last->tree_items;
        Check(std::find(items.begin(), items.end(), rest) != items.end(),
              "the tree of \"" + last->caption + "\" showed " + rest);
      } else {
        bool found = false;
        for (const std::string& item : last->tree_items) {
          const size_t slash = item.rfind('\\');
          found = found || item.substr(slash == std::string::npos ? 0 : slash + 1) == rest;
        }
        Check(!found, "the tree of \"" + last->caption + "\" did not show " + rest + " (" +
                          std::to_string(last->tree_items.size()) + " items)");
      }
    } else if (command == "screenshot") {
      // screenshot <file.bmp>: a photograph of the active explorer as the user sees it now.
      const outlook::ExplorerPtr explorer = sim.application()->ActiveExplorer();
      Check(explorer && StandInWindows::Photograph(explorer->WindowHandle(), rest),
            "photographed the explorer into " + rest);
    } else if (command == "interactive") {
      // The explorer windows are the user's until the last is closed, and so are the dialogs
      // that come up meanwhile.
      DialogAnswerer::Stop();
      std::printf("the explorer is yours: close its window to end\n");
      std::fflush(stdout);
      StandInWindows::RunUntilClosed();
    } else if (command == "expect-picture-depth") {
      // expect-picture-depth <bits>: every button picture so far had that many bits a pixel.
      const std::vector<int>& depths = PictureDepths();
      const int wanted = std::stoi(rest);
      const bool all = !depths.empty() && std::all_of(depths.begin(), depths.end(),
                                                      [&](int bits) { return bits == wanted; });
      Check(all, std::to_string(depths.size()) + " button picture(s), " +
                     (depths.empty() ? std::string("none") : std::to_string(depths.front())) +
                     " bits a pixel");
    } else if (command == "expect-blocking") {
      // expect-blocking <caption>: while that dialog showed, no other window could be used.
      int worst = -1;
      for (const SeenDialog& dialog : DialogAnswerer::Seen()) {
        worst = dialog.caption == rest ? std::max(worst, dialog.enabled_windows) : worst;
      }
      Check(worst == 0, "while \"" + rest + "\" showed, " +
                            (worst < 0 ? std::string("(it never showed)")
                                       : std::to_string(worst) + " other window(s) were usable"));
    } else if (command == "expect-windows-enabled") {
      // expect-windows-enabled <count>: that many visible windows, every one usable.
      const int wanted = std::stoi(rest);
      const int enabled = EnabledThreadWindows();
      Check(enabled == wanted, std::to_string(enabled) + " window(s) usable");
    } else if (command == "answer-edit") {
      // answer-edit [<text>] -> <new text>: in the next form with an edit box showing the text
      // (none: the empty box the cursor is in), the box is changed to the new text (before the
      // queued answer presses its button).
      const size_t arrow = rest.find("->");
      if (arrow == std::string::npos) {
        throw std::invalid_argument("answer-edit needs [<text>] -> <new text>");
      }
      DialogAnswerer::QueueEdit(Trimmed(rest.substr(0, arrow)), Trimmed(rest.substr(arrow + 2)));
    } else if (command == "expect-connected") {
      std::istringstream args(rest);
      std::string prog_id;
      std::string wanted;
      args >> prog_id >> wanted;
      Check(outlook_.Connected(prog_id) == (wanted != "no"),
            prog_id + (wanted != "no" ? " connected" : " not connected"));
    } else if (command == "expect-unload") {
      std::istringstream args(rest);
      std::string prog_id;
      std::string wanted;
      args >> prog_id >> wanted;
      const HRESULT result = outlook_.CanUnloadNow(prog_id);
      Check((result == S_OK ? "S_OK" : result == S_FALSE ? "S_FALSE" : "failure") == wanted,
            "DllCanUnloadNow of " + prog_id + " answers " +
                (result == S_OK ? "S_OK" : result == S_FALSE ? "S_FALSE" : "a failure"));
    } else if (command == "expect-dialog") {
      const std::string wanted = Unescaped(rest);
      bool seen = false;
      for (const SeenDialog& dialog : DialogAnswerer::Seen()) {
        seen = seen || dialog.text.find(wanted) != std::string::npos;
      }
      Check(seen, "a dialog showed \"" + rest + "\"");
    } else if (command == "expect-sinks") {
      const int count = sim.EventConnectionCount();
      Check(count == std::stoi(rest),
            "event sinks connected to Outlook: " + std::to_string(count));
    } else if (command == "expect-no-dialog") {
      Check(DialogAnswerer::Seen().empty(),
            "no dialog (" + std::to_string(DialogAnswerer::Seen().size()) + " seen)");
    } else if (command == "expect-registry" || command == "expect-no-registry") {
      std::istringstream args(rest);
      std::string key;
      std::string name;
      args >> key >> name;
      std::string wanted;
      std::getline(args, wanted);
      wanted = Trimmed(wanted);
      const std::optional<std::string> value = registry_.ReadString(ParseKey(key), name);
      if (command == "expect-no-registry") {
        Check(!value, key + " " + name + " absent");
      } else {
        Check(value == wanted, key + " " + name + " = " + (value ? *value : "(absent)"));
      }
    } else if (command == "select") {
      // select <explorer> <first> <count>: items of the view from position first (1-based).
      std::istringstream args(rest);
      std::string index;
      size_t first = 1;
      size_t count = 0;
      args >> index >> first >> count;
      const std::vector<outlook::sim::SimItem> view = Explorer(index).view();
      first = std::clamp<size_t>(first, 1, view.size() + 1) - 1;
      count = std::min(count, view.size() - first);
      selected_.assign(view.begin() + static_cast<std::ptrdiff_t>(first),
                       view.begin() + static_cast<std::ptrdiff_t>(first + count));
      std::printf("user selects %zu items in explorer %s\n", count, index.c_str());
      Explorer(index).Select(selected_);
    } else if (command == "refuse-folder-type") {
      // refuse-folder-type <type> <error code>: Folders.Add raises the error (hexadecimal, as
      // 80070057) when given that folder type, as an Outlook that does not take it.
      std::istringstream args(rest);
      int type = 0;
      std::string code;
      args >> type >> code;
      sim.RefuseFolderType(type, static_cast<std::int32_t>(std::stoul(code, nullptr, 16)));
    } else if (command == "expect-folder") {
      // expect-folder <item type>|none <path>: the folder exists and holds that kind of item
      // (0 mail, 1 appointments, 2 contacts ...), or does not exist.
      std::istringstream args(rest);
      std::string wanted;
      std::string path;
      args >> wanted;
      std::getline(args, path);
      path = Trimmed(path);
      std::string found = "none";
      try {
        found = std::to_string(sim.FolderAt(path).default_item_type());
      } catch (const std::exception&) {
        // No such folder.
      }
      Check(found == wanted, path + (wanted == "none" ? " does not exist"
                                                      : " exists holding item type " + wanted) +
                                 " (found: " + found + ")");
    } else if (command == "expect-items") {
      // expect-items <count> <path>: how many items the folder holds.
      const size_t space = rest.find(' ');
      const size_t wanted = std::stoul(rest.substr(0, space));
      const std::string path = space == std::string::npos ? "" : Trimmed(rest.substr(space));
      const size_t count = sim.FolderAt(path).items().size();
      Check(count == wanted, path + " holds " + std::to_string(count) + " item(s)");
    } else if (command == "expect-selected-in") {
      bool all_there = !selected_.empty();
      for (const outlook::sim::SimItem& item : selected_) {
        all_there = all_there && item.folder().path() == rest;
      }
      Check(all_there, "the items selected last are in " + rest);
    } else if (!RunMailboxCommand(command, rest, sim) &&
               !RunSelectionCommand(command, rest, sim) &&
               !RunKeyboardCommand(command, rest, outlook_, check) &&
               !RunOfficeUiCommand(command, rest, outlook_, check)) {
      Fail("unknown command " + command);
    }
  }

  outlook::sim::SimExplorer Explorer(const std::string& index) {
    const auto explorers = outlook_.world().outlook.explorers();
    const int number = std::stoi(index);
    if (number < 1 || number > static_cast<int>(explorers.size())) {
      throw std::out_of_range("no explorer " + index);
    }
    return explorers[static_cast<size_t>(number - 1)];
  }

  void Check(bool ok, const std::string& what) {
    std::printf("%s: %s\n", ok ? "PASS" : "FAIL", what.c_str());
    std::fflush(stdout);
    if (!ok) {
      ++failures_;
    }
  }
  void Fail(const std::string& what) { Check(false, what); }

  OutlookStandIn& outlook_;
  platform::win32::Win32Registry registry_;
  int failures_ = 0;
  // The items of the last "select".
  std::vector<outlook::sim::SimItem> selected_;
};

}  // namespace

int RunScript(std::istream& script, OutlookStandIn& outlook) {
  Runner runner(outlook);
  std::string line;
  while (std::getline(script, line)) {
    runner.Line(line);
  }
  return runner.failures() + DialogAnswerer::Failures();
}

}  // namespace quivra::olhost
