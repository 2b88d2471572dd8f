// Builds a ribbon design from the input (tabs, groups, buttons, split buttons and menus, built-in
// or custom, with arbitrary captions, tips, image names and insert positions), writes its customUI
// description for Outlook 2007, 2010 or 2013, and checks that the description parses as XML
// with a customUI root and that every design text written into it comes back unchanged: no text
// can break the markup or be cut short.
#include <fuzzer/FuzzedDataProvider.h>

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <optional>
#include <set>
#include <string>
#include <string_view>

#include "host/framework/module/com_addin_module.h"
#include "host/framework/module/host_apps.h"
#include "host/framework/ribbon/ribbon_controls.h"
#include "host/framework/ribbon/ribbon_custom_ui.h"
#include "host/framework/ribbon/ribbon_tab.h"
#include "platform/compositions/sim/sim_platform.h"
#include "xml/document.h"
#include "xml/xml_error.h"

namespace {

namespace fw = quivra::framework;

// Every design text starts with this mark, so that the written values that came from the design
// can be told from the writer's own callback names and ids.
constexpr std::string_view kMark = "~";

// Pieces of design text: plain letters, every markup character, references, non-ASCII text.
constexpr const char* kPieces[] = {"a", "Z",  "7", " ",     "&",    "<",  ">",   "\"",
                                   "'", ";",  "=", "&amp;", "&lt;", "&#", "]]>", "/>",
                                   "é", "漢", "😀", "&#38;", "<!--", "?>", "x",   "--"};

// A design large enough for every nesting the writer knows, small enough to keep each run fast.
constexpr int kMaxControls = 24;

class Design {
 public:
  explicit Design(FuzzedDataProvider& input) : input_(input) {}

  // A design text, or empty.
  std::string Text() {
    const size_t pieces = input_.ConsumeIntegralInRange<size_t>(0, 8);
    if (pieces == 0) {
      return {};
    }
    std::string text(kMark);
    for (size_t i = 0; i < pieces; ++i) {
      text += kPieces[input_.ConsumeIntegralInRange<size_t>(0, std::size(kPieces) - 1)];
    }
    texts_.insert(text);
    return text;
  }

  void Common(fw::TRibbonCustomControl& control) {
    if (input_.ConsumeBool()) {
      control.SetIdMso(Text());
    }
    control.SetCaption(Text());
    control.SetSuperTip(Text());
    control.SetScreenTip(Text());
    control.SetDescription(Text());
    control.SetKeyTip(Text());
    control.SetImageMso(Text());
    control.SetShowCaption(input_.ConsumeBool());
    control.SetEnabled(input_.ConsumeBool());
    control.SetVisible(input_.ConsumeBool());
    control.SetSize(input_.ConsumeBool() ? fw::TRibbonXControlSize::csLarge
                                         : fw::TRibbonXControlSize::csRegular);
    switch (input_.ConsumeIntegralInRange(0, 4)) {
      case 1:
        control.SetInsertAfterIdMso(Text());
        break;
      case 2:
        control.SetInsertBeforeIdMso(Text());
        break;
      case 3:
        control.SetInsertAfterId(Text());
        break;
      case 4:
        control.SetInsertBeforeId(Text());
        break;
      default:
        break;
    }
  }

  // Controls of a group or menu (`depth` levels of menus at most below).
  void Items(fw::TRibbonControls& controls, int depth) {
    const int count = input_.ConsumeIntegralInRange(0, 4);
    for (int i = 0; i < count && input_.remaining_bytes() > 0 && controls_ < kMaxControls;
         ++i, ++controls_) {
      switch (input_.ConsumeIntegralInRange(0, depth > 0 ? 2 : 0)) {
        case 0: {
          auto& button = controls.Add<fw::TRibbonButton>();
          Common(button);
          button.SetToggleButton(input_.ConsumeBool());
          break;
        }
        case 1: {
          auto& split = controls.Add<fw::TRibbonSplitButton>();
          Common(split);
          split.SetToggleButton(input_.ConsumeBool());
          if (input_.ConsumeBool()) {
            Menu(split.Controls(), depth - 1);
          }
          break;
        }
        default:
          Menu(controls, depth - 1);
          break;
      }
    }
  }

  void Menu(fw::TRibbonControls& controls, int depth) {
    auto& menu = controls.Add<fw::TRibbonMenu>();
    Common(menu);
    menu.SetTitle(Text());
    menu.SetDynamic(input_.ConsumeBool());
    menu.SetItemSize(input_.ConsumeBool() ? fw::TRibbonXItemSize::isLarge
                                          : fw::TRibbonXItemSize::isNormal);
    Items(menu.Controls(), depth);
  }

  void Tab(fw::TRibbonTab& tab) {
    if (input_.ConsumeBool()) {
      tab.SetIdMso(Text());
    }
    tab.SetCaption(Text());
    tab.SetKeyTip(Text());
    tab.SetVisible(input_.ConsumeBool());
    fw::TRibbons ribbons;
    ribbons.Include(input_.ConsumeBool() ? fw::TRibbon::msrOutlookExplorer
                                         : fw::TRibbon::msrOutlookMailRead);
    tab.SetRibbons(ribbons);
    if (input_.ConsumeBool()) {
      tab.SetRibbons2010({fw::TRibbon2010::msrOutlookExplorer2010});
    }
    const int groups = input_.ConsumeIntegralInRange(0, 3);
    for (int i = 0; i < groups && input_.remaining_bytes() > 0 && controls_ < kMaxControls;
         ++i, ++controls_) {
      auto& group = tab.Controls().Add<fw::TRibbonGroup>();
      Common(group);
      group.SetAutoScale(input_.ConsumeBool());
      group.SetCenterVertically(input_.ConsumeBool());
      Items(group.Controls(), 2);
    }
  }

  const std::set<std::string>& texts() const { return texts_; }

 private:
  FuzzedDataProvider& input_;
  std::set<std::string> texts_;
  int controls_ = 0;
};

// Every attribute value that came from the design is one of its texts, whole; no element holds
// more than the line breaks and indentation of an element written open with nothing inside.
void CheckValues(const quivra::xml::Node& node, const std::set<std::string>& texts) {
  if (node.kind() != quivra::xml::Node::Kind::kElement) {
    return;
  }
  if (node.Text().find_first_not_of(" \t\r\n") != std::string::npos) {
    std::abort();
  }
  for (const quivra::xml::Attribute& attribute : node.attributes()) {
    if (attribute.value.starts_with(kMark) && texts.count(attribute.value) == 0) {
      std::abort();
    }
  }
  for (size_t i = 0; i < node.ChildCount(); ++i) {
    CheckValues(node.Child(i), texts);
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  static quivra::platform::sim::SimPlatform sim;
  FuzzedDataProvider input(data, size);
  fw::TCOMAddInModule module(sim.platform());
  module.SetAddInName("QuivraOL");
  module.SetSupportedApps({fw::TOfficeHostApp::ohaOutlook});
  Design design(input);
  const int tabs = input.ConsumeIntegralInRange(1, 3);
  for (int i = 0; i < tabs; ++i) {
    auto& tab = module.CreateComponent<fw::TRibbonTab>();
    design.Tab(tab);
    if (input.ConsumeBool()) {
      tab.SetContext(design.Text());
    }
  }
  // One ribbon of one Outlook version per input: Outlook 2007, 2010 or 2013, its explorer or
  // its mail reader.
  const int version = input.PickValueInArray({12, 14, 15});
  const char* ribbon =
      input.ConsumeBool() ? "Microsoft.Outlook.Explorer" : "Microsoft.Outlook.Mail.Read";
  const std::string text = fw::WriteCustomUI(module, ribbon, version);
  std::optional<quivra::xml::Document> document;
  try {
    document = quivra::xml::Document::Parse(text);
  } catch (const quivra::xml::ParseError&) {
    std::abort();
  }
  if (!document || document->DocumentElement() == nullptr ||
      document->DocumentElement()->Name() != "customUI") {
    std::abort();
  }
  CheckValues(*document->DocumentElement(), design.texts());
  return 0;
}
