#include "tools/olhost/office_ui_script.h"

#include <cstdint>
#include <cstdio>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "host/office/sim/sim_command_bars.h"
#include "platform/caption_text.h"
#include "tools/olhost/outlook_stand_in.h"
#include "tools/olhost/ribbon_host.h"

namespace quivra::olhost {

namespace {

std::string Trimmed(const std::string& text) {
  const size_t begin = text.find_first_not_of(" \t\r");
  if (begin == std::string::npos) {
    return {};
  }
  return text.substr(begin, text.find_last_not_of(" \t\r") - begin + 1);
}

// The controls of a bar as the user sees them, one line each, a pop-up's own controls indented
// below it.
void AppendControls(const std::vector<office::sim::SimControlView>& controls,
                    const std::string& indent,
                    std::string& text) {
  for (const office::sim::SimControlView& control : controls) {
    text += indent;
    text += control.type == office::msoControlButton  ? "button"
            : control.type == office::msoControlPopup ? "popup"
                                                      : "control " + std::to_string(control.type);
    text += " \"" + platform::CaptionAsShown(control.caption) + "\"";
    if (!control.enabled)
      text += " disabled";
    if (!control.visible)
      text += " hidden";
    if (control.begin_group)
      text += " group";
    if (control.has_picture)
      text += " picture";
    if (!control.tooltip.empty())
      text += " tip=\"" + control.tooltip + "\"";
    if (!control.tag.empty())
      text += " tag=" + control.tag;
    // The access key, when the caption marks one.
    if (platform::CaptionAsShown(control.caption) != control.caption)
      text += " caption=\"" + control.caption + "\"";
    text += "\n";
    AppendControls(control.controls, indent + "  ", text);
  }
}

std::string BarText(const office::sim::SimBarView& bar) {
  std::string text = "bar \"" + bar.name + "\"" + (bar.visible ? "" : " hidden") +
                     (bar.enabled ? "" : " disabled") + "\n";
  AppendControls(bar.controls, "  ", text);
  return text;
}

// The caption of the control shown with that caption or carrying that tag; empty when none.
std::string CaptionOf(const std::vector<office::sim::SimControlView>& controls,
                      const std::string& caption_or_tag) {
  for (const office::sim::SimControlView& control : controls) {
    if (control.caption == caption_or_tag ||
        platform::CaptionAsShown(control.caption) == caption_or_tag ||
        (!control.tag.empty() && control.tag == caption_or_tag)) {
      return control.caption;
    }
    const std::string inner = CaptionOf(control.controls, caption_or_tag);
    if (!inner.empty())
      return inner;
  }
  return {};
}

}  // namespace

bool RunOfficeUiCommand(const std::string& command,
                        const std::string& rest,
                        OutlookStandIn& outlook,
                        const ScriptCheck& check) {
  if (command == "save-custom-ui") {
    // save-custom-ui <ribbon id> <file>: the customUI text the add-in returned for that
    // ribbon, as UTF-8, byte for byte.
    std::istringstream args(rest);
    std::string ribbon_id;
    args >> ribbon_id;
    std::string file;
    std::getline(args, file);
    file = Trimmed(file);
    std::string prog_id;
    RibbonHost* ribbon = outlook.LoadedRibbon(ribbon_id, &prog_id);
    if (ribbon == nullptr || file.empty()) {
      check(false, "no add-in has the ribbon " + ribbon_id + " loaded");
      return true;
    }
    const std::string text = ribbon->CustomUI();
    std::ofstream out(file, std::ios::binary | std::ios::trunc);
    out.write(text.data(), static_cast<std::streamsize>(text.size()));
    out.close();
    check(static_cast<bool>(out), "saved the " + ribbon_id + " customUI of " + prog_id + " (" +
                                      std::to_string(text.size()) + " bytes) to " + file);
  } else if (command == "ribbon" || command == "ribbon-click" || command == "expect-ribbon") {
    // ribbon <prog id>: prints the add-in's explorer ribbon as the user sees it;
    // ribbon-click <prog id> <label>: clicks the control shown with that label;
    // expect-ribbon <prog id> <text>: some line of the ribbon contains the text.
    std::istringstream args(rest);
    std::string prog_id;
    args >> prog_id;
    std::string text;
    std::getline(args, text);
    text = Trimmed(text);
    RibbonHost* ribbon = outlook.Ribbon(prog_id);
    if (ribbon == nullptr) {
      check(false, prog_id + " has no ribbon");
    } else if (command == "ribbon") {
      std::printf("ribbon of %s:\n%s", prog_id.c_str(), ribbon->Text().c_str());
    } else if (command == "ribbon-click") {
      std::printf("user clicks %s on the ribbon\n", text.c_str());
      check(ribbon->ClickLabel(text), "the ribbon took the click on " + text);
    } else {
      check(ribbon->Text().find(text) != std::string::npos, "the ribbon shows " + text);
    }
  } else if (command == "command-bar" || command == "command-bar-click" ||
             command == "expect-command-bar") {
    // command-bar <bar>: prints the bar of the active explorer as the user sees it;
    // command-bar-click <bar> <caption or tag>: clicks the button shown with that caption or
    // carrying that tag; expect-command-bar <bar> <text>: some line of the bar contains the text.
    std::istringstream args(rest);
    std::string name;
    args >> name;
    std::string text;
    std::getline(args, text);
    text = Trimmed(text);
    office::sim::SimCommandBarsHost* bars = outlook.CommandBars();
    outlook::ExplorerPtr explorer = outlook.world().outlook.application()->ActiveExplorer();
    if (bars == nullptr || !explorer) {
      check(false, "Outlook shows no command bars");
      return true;
    }
    const std::uintptr_t window = explorer->WindowHandle();
    const office::sim::SimBarView bar = bars->Bar(window, name);
    if (bar.name.empty()) {
      check(false, "the active explorer has no bar " + name);
    } else if (command == "command-bar") {
      std::printf("command bar of the active explorer:\n%s", BarText(bar).c_str());
    } else if (command == "command-bar-click") {
      std::printf("user clicks %s on the bar %s\n", text.c_str(), name.c_str());
      const std::string caption = CaptionOf(bar.controls, text);
      check(!caption.empty() && bars->Click(window, name, caption),
            "the bar took the click on " + text);
    } else {
      check(BarText(bar).find(text) != std::string::npos, "the bar " + name + " shows " + text);
    }
  } else {
    return false;
  }
  return true;
}

}  // namespace quivra::olhost
