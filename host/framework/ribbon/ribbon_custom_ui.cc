#include "host/framework/ribbon/ribbon_custom_ui.h"

#include "host/framework/module/com_addin_module.h"

namespace quivra::framework {

namespace {

constexpr char kGetVisible[] = "GetVisible_Callback";
constexpr char kGetKeyTip[] = "GetKeyTip_Callback";
constexpr char kGetLabel[] = "GetLabel_Callback";
constexpr char kGetEnabled[] = "GetEnabled_Callback";
constexpr char kGetPressed[] = "GetPressed_Callback";
constexpr char kGetImage[] = "GetImage_Callback";
constexpr char kGetSuperTip[] = "GetSuperTip_Callback";
constexpr char kGetScreenTip[] = "GetScreenTip_Callback";
constexpr char kGetSize[] = "GetSize_Callback";
constexpr char kGetShowLabel[] = "GetShowLabel_Callback";
constexpr char kGetShowImage[] = "GetShowImage_Callback";
constexpr char kGetDescription[] = "GetDescription_Callback";
constexpr char kGetContent[] = "GetContent_Callback";
constexpr char kOnActionCommon[] = "OnActionCommon_Callback";
constexpr char kOnActionState[] = "OnActionState_Callback";

std::string Escaped(std::string_view value) {
  std::string escaped;
  escaped.reserve(value.size());
  for (char c : value) {
    switch (c) {
      case '&':
        escaped += "&amp;";
        break;
      case '<':
        escaped += "&lt;";
        break;
      case '>':
        escaped += "&gt;";
        break;
      case '"':
        escaped += "&quot;";
        break;
      default:
        escaped += c;
    }
  }
  return escaped;
}

// The attributes of one element, in order; a pair with an empty value is left out.
class AttributeList {
 public:
  void Add(std::string_view name, std::string_view value) {
    if (!value.empty())
      items_.emplace_back(std::string(name), std::string(value));
  }
  const TXMLHelper::Attributes& items() const { return items_; }

 private:
  TXMLHelper::Attributes items_;
};

// What holds a control, as far as its attributes depend on it.
enum class ParentKind { Tab, Group, SplitButton, Menu };

ParentKind KindOf(const TRibbonCustomControl& control) {
  switch (control.Kind()) {
    case TRibbonControlKind::SplitButton:
      return ParentKind::SplitButton;
    case TRibbonControlKind::Menu:
      return ParentKind::Menu;
    default:
      return ParentKind::Group;
  }
}

// The first insert position that is set, as its attribute.
template <typename T>
void AddInsert(AttributeList& list, const T& node) {
  if (!node.InsertAfterIdMso().empty()) {
    list.Add("insertAfterMso", node.InsertAfterIdMso());
  } else if (!node.InsertBeforeIdMso().empty()) {
    list.Add("insertBeforeMso", node.InsertBeforeIdMso());
  } else if (!node.InsertAfterId().empty()) {
    list.Add("insertAfterQ", node.InsertAfterId());
  } else if (!node.InsertBeforeId().empty()) {
    list.Add("insertBeforeQ", node.InsertBeforeId());
  }
}

void AddGetImage(AttributeList& list, const TRibbonCustomControl& control) {
  if (!control.Glyph().Empty() || control.ImageIndex() >= 0)
    list.Add("getImage", kGetImage);
}

bool HasGroupNeeding2009(const TRibbonTab& tab, std::string_view ribbon_id) {
  for (const auto& group : tab.Controls().Items()) {
    const auto* typed = dynamic_cast<const TRibbonGroup*>(group.get());
    if (typed != nullptr && AppliesTo(ribbon_id, typed->Ribbons(), typed->Ribbons2010()) &&
        (typed->AutoScale() || typed->CenterVertically())) {
      return true;
    }
  }
  return false;
}

class NodeWriter {
 public:
  NodeWriter(TCOMAddInModule& module, std::string_view ribbon_id, bool namespace_2009)
      : module_(module), ribbon_id_(ribbon_id), namespace_2009_(namespace_2009) {}

  TXMLHelper& xml() { return xml_; }

  void Tab(TRibbonTab& tab) {
    AttributeList list;
    list.Add("getVisible", kGetVisible);
    if (!tab.IdMso().empty()) {
      list.Add("idMso", tab.IdMso());
    } else {
      list.Add("id", tab.Id());
      AddInsert(list, tab);
      list.Add("getKeytip", kGetKeyTip);
      list.Add("getLabel", kGetLabel);
    }
    Element("tab", list, &tab.Controls(), nullptr, false);
  }

 private:
  void Control(TRibbonCustomControl& control, ParentKind parent, bool parent_mso) {
    if (!AppliesTo(ribbon_id_, control.Ribbons(), control.Ribbons2010()))
      return;
    switch (control.Kind()) {
      case TRibbonControlKind::Group:
        Group(static_cast<TRibbonGroup&>(control));
        break;
      case TRibbonControlKind::Button:
        Button(static_cast<TRibbonButton&>(control), parent, parent_mso);
        break;
      case TRibbonControlKind::SplitButton:
        SplitButton(static_cast<TRibbonSplitButton&>(control), parent, parent_mso);
        break;
      case TRibbonControlKind::Menu:
        Menu(static_cast<TRibbonMenu&>(control), parent, parent_mso);
        break;
    }
  }

  void Group(TRibbonGroup& group) {
    AttributeList list;
    list.Add("getVisible", kGetVisible);
    if (!group.IdMso().empty()) {
      list.Add("idMso", group.IdMso());
    } else {
      list.Add("id", group.Id());
      AddInsert(list, group);
      AddGetImage(list, group);
      list.Add("imageMso", group.ImageMso());
      list.Add("getKeytip", kGetKeyTip);
      list.Add("getLabel", kGetLabel);
      list.Add("getSupertip", kGetSuperTip);
      list.Add("getScreentip", kGetScreenTip);
      if (namespace_2009_) {
        list.Add("autoScale", group.AutoScale() ? "true" : "");
        list.Add("centerVertically", group.CenterVertically() ? "true" : "");
      }
    }
    Element("group", list, &group.Controls(), &group, false);
  }

  // A control standing for a built-in one: its idMso and, inside a custom parent, its texts as
  // fixed values.
  void BuiltIn(std::string_view element, const TRibbonCustomControl& control, bool parent_mso) {
    AttributeList list;
    list.Add("idMso", control.IdMso());
    if (!parent_mso) {
      list.Add("label", control.Caption());
      list.Add("supertip", control.SuperTip());
      list.Add("screentip", control.ScreenTip());
      list.Add("showLabel", control.ShowCaption() ? "true" : "false");
      list.Add("enabled", control.Enabled() ? "true" : "false");
    }
    xml_.EmptyElement(element, list.items());
  }

  void Button(TRibbonButton& button, ParentKind parent, bool parent_mso) {
    const char* element = button.ToggleButton() ? "toggleButton" : "button";
    if (!button.IdMso().empty()) {
      BuiltIn(element, button, parent_mso);
      return;
    }
    AttributeList list;
    list.Add("id", button.Id());
    AddGetImage(list, button);
    list.Add("getKeytip", kGetKeyTip);
    list.Add("getLabel", kGetLabel);
    list.Add("getSupertip", kGetSuperTip);
    list.Add("getScreentip", kGetScreenTip);
    list.Add("getShowLabel", kGetShowLabel);
    list.Add("getShowImage", kGetShowImage);
    list.Add("getEnabled", kGetEnabled);
    if (button.ToggleButton()) {
      list.Add("getPressed", kGetPressed);
      list.Add("onAction", kOnActionState);
    } else {
      list.Add("onAction", kOnActionCommon);
    }
    AddInsert(list, button);
    list.Add("imageMso", button.ImageMso());
    list.Add("getDescription", kGetDescription);
    if (parent != ParentKind::Menu && parent != ParentKind::SplitButton)
      list.Add("getSize", kGetSize);
    if (parent != ParentKind::SplitButton)
      list.Add("getVisible", kGetVisible);
    xml_.EmptyElement(element, list.items());
  }

  void SplitButton(TRibbonSplitButton& split, ParentKind parent, bool parent_mso) {
    if (!split.IdMso().empty()) {
      BuiltIn("splitButton", split, parent_mso);
      return;
    }
    AttributeList list;
    list.Add("id", split.Id());
    list.Add("getShowLabel", kGetShowLabel);
    list.Add("getEnabled", kGetEnabled);
    list.Add("getKeytip", kGetKeyTip);
    AddInsert(list, split);
    if (parent != ParentKind::Menu)
      list.Add("getSize", kGetSize);
    list.Add("getVisible", kGetVisible);
    Element("splitButton", list, &split.Controls(), &split, true);
  }

  // The button inside a split button, standing for the split button itself.
  void InnerButton(const TRibbonSplitButton& split) {
    AttributeList list;
    list.Add("id", split.Id() + "wrapped");
    AddGetImage(list, split);
    list.Add("imageMso", split.ImageMso());
    list.Add("getLabel", kGetLabel);
    list.Add("getSupertip", kGetSuperTip);
    list.Add("getScreentip", kGetScreenTip);
    list.Add("getShowImage", kGetShowImage);
    list.Add("getDescription", kGetDescription);
    if (split.ToggleButton()) {
      list.Add("getPressed", kGetPressed);
      list.Add("onAction", kOnActionState);
    } else {
      list.Add("onAction", kOnActionCommon);
    }
    xml_.EmptyElement(split.ToggleButton() ? "toggleButton" : "button", list.items());
  }

  void Menu(TRibbonMenu& menu, ParentKind parent, bool parent_mso) {
    if (menu.OnCreate)
      module_.CallHandler([&] { menu.OnCreate(menu); });
    if (!menu.IdMso().empty()) {
      BuiltIn("menu", menu, parent_mso);
      return;
    }
    AttributeList list;
    list.Add("id", menu.Id());
    if (menu.Dynamic()) {
      list.Add("getContent", kGetContent);
      list.Add("invalidateContentOnDrop", "true");
    } else {
      list.Add("itemSize", menu.ItemSize() == TRibbonXItemSize::isLarge ? "large" : "normal");
    }
    AddGetImage(list, menu);
    list.Add("getShowLabel", kGetShowLabel);
    list.Add("getShowImage", kGetShowImage);
    list.Add("getEnabled", kGetEnabled);
    list.Add("getDescription", kGetDescription);
    list.Add("getKeytip", kGetKeyTip);
    list.Add("getLabel", kGetLabel);
    if (parent == ParentKind::SplitButton) {
      list.Add("supertip", menu.SuperTip());
    } else {
      list.Add("getSupertip", kGetSuperTip);
    }
    list.Add("getScreentip", kGetScreenTip);
    AddInsert(list, menu);
    list.Add("imageMso", menu.ImageMso());
    if (parent != ParentKind::Menu && parent != ParentKind::SplitButton)
      list.Add("getSize", kGetSize);
    list.Add("getVisible", kGetVisible);
    if (menu.Dynamic()) {
      // Filled by Office through getContent when it drops down.
      xml_.EmptyElement("dynamicMenu", list.items());
      return;
    }
    Element("menu", list, &menu.Controls(), &menu, false);
  }

  // Writes a node with a children collection: empty when it holds nothing, else opened, its
  // children (a split button's inner button first), closed.
  void Element(std::string_view name,
               const AttributeList& list,
               TRibbonControls* children,
               TRibbonCustomControl* holder,
               bool split_button) {
    if (children->Count() == 0) {
      xml_.EmptyElement(name, list.items());
      return;
    }
    xml_.OpenElement(name);
    for (const auto& [attribute, value] : list.items())
      xml_.AddAttribute(attribute, value);
    if (split_button)
      InnerButton(static_cast<TRibbonSplitButton&>(*holder));
    const ParentKind parent = holder == nullptr ? ParentKind::Tab : KindOf(*holder);
    const bool parent_mso = holder != nullptr && !holder->IdMso().empty();
    for (const auto& child : children->Items())
      Control(*child, parent, parent_mso);
    xml_.CloseElement(name);
  }

  TCOMAddInModule& module_;
  std::string_view ribbon_id_;
  bool namespace_2009_;
  TXMLHelper xml_;
};

}  // namespace

void TXMLHelper::StartLine() {
  text_ += separator_;
  text_.append(static_cast<size_t>(depth_), '\t');
}

void TXMLHelper::OpenElement(std::string_view name) {
  StartLine();
  text_ += '<';
  text_ += name;
  text_ += '>';
  separator_ = "\r\n";
  ++depth_;
}

void TXMLHelper::AddAttribute(std::string_view name, std::string_view value) {
  if (text_.empty())
    return;
  std::string attribute = " ";
  attribute += name;
  attribute += "=\"";
  attribute += Escaped(value);
  attribute += '"';
  text_.insert(text_.size() - 1, attribute);
}

void TXMLHelper::EmptyElement(std::string_view name, const Attributes& attributes) {
  StartLine();
  text_ += '<';
  text_ += name;
  for (const auto& [attribute, value] : attributes) {
    text_ += ' ';
    text_ += attribute;
    text_ += "=\"";
    text_ += Escaped(value);
    text_ += '"';
  }
  text_ += " />";
}

void TXMLHelper::CloseElement(std::string_view name) {
  if (depth_ > 0)
    --depth_;
  StartLine();
  text_ += "</";
  text_ += name;
  text_ += '>';
}

bool AppliesTo(std::string_view RibbonID, TRibbons Ribbons, TRibbons2010 Ribbons2010) {
  if (Ribbons.Empty() && Ribbons2010.Empty())
    return false;
  if (RibbonID == "DynamicMenu" || RibbonID == "Microsoft.Mso.IMLayerUI")
    return true;
  for (int bit = 0; bit <= static_cast<int>(TRibbon::msrOutlookExplorer); ++bit) {
    const auto member = static_cast<TRibbon>(bit);
    if (Ribbons.Contains(member) && RibbonId(member) == RibbonID)
      return true;
  }
  for (int bit = 0; bit <= static_cast<int>(TRibbon2010::msrVisioDrawing); ++bit) {
    const auto member = static_cast<TRibbon2010>(bit);
    if (Ribbons2010.Contains(member) && RibbonId(member) == RibbonID)
      return true;
  }
  if (RibbonID == "Microsoft.OMS.SMS" && (Ribbons2010.Contains(TRibbon2010::msrOMSSMSRead) ||
                                          Ribbons2010.Contains(TRibbon2010::msrOMSSMSCompose))) {
    return true;
  }
  return RibbonID == "Microsoft.OMS.MMS" &&
         (Ribbons2010.Contains(TRibbon2010::msrOMSMMSRead) ||
          Ribbons2010.Contains(TRibbon2010::msrOMSMMSCompose));
}

bool AppliesToOutlook(TRibbons Ribbons, TRibbons2010 Ribbons2010) {
  // Bits 4 ... 23 of the first set and 0 ... 4 of the second are Outlook's ribbons.
  return (Ribbons.Bits() & 0xFFFFF0u) != 0 || (Ribbons2010.Bits() & 0x1Fu) != 0;
}

bool IsOutlookRibbon(std::string_view RibbonID) {
  return RibbonID.starts_with("Microsoft.Outlook.") || RibbonID.starts_with("Microsoft.OMS.MMS") ||
         RibbonID.starts_with("Microsoft.OMS.SMS");
}

std::vector<TRibbonTab*> RibbonTabs(const TCOMAddInModule& module) {
  std::vector<TRibbonTab*> tabs;
  for (TRibbonTab* tab : module.ComponentsOf<TRibbonTab>()) {
    if (tab->Context().empty())
      tabs.push_back(tab);
  }
  return tabs;
}

std::string WriteCustomUI(TCOMAddInModule& module,
                          const std::string& RibbonID,
                          int HostMajorVersion) {
  const std::vector<TRibbonTab*> tabs = RibbonTabs(module);
  bool namespace_2009 = false;
  if (HostMajorVersion > 13) {
    for (const TRibbonTab* tab : tabs) {
      if (AppliesTo(RibbonID, tab->Ribbons(), tab->Ribbons2010()) &&
          HasGroupNeeding2009(*tab, RibbonID)) {
        namespace_2009 = true;
      }
    }
  }
  NodeWriter writer(module, RibbonID, namespace_2009);
  TXMLHelper& xml = writer.xml();
  xml.OpenElement("customUI");
  xml.AddAttribute("xmlns", namespace_2009 ? kCustomUINamespace2009 : kCustomUINamespace2006);
  xml.AddAttribute("onLoad", "RibbonLoaded_Callback");
  xml.AddAttribute("loadImage", "GetImages_Callback");
  if (!tabs.empty()) {
    xml.OpenElement("ribbon");
    bool tabs_open = false;
    for (TRibbonTab* tab : tabs) {
      if (!AppliesTo(RibbonID, tab->Ribbons(), tab->Ribbons2010()))
        continue;
      if (!tabs_open) {
        xml.OpenElement("tabs");
        tabs_open = true;
      }
      writer.Tab(*tab);
    }
    if (tabs_open)
      xml.CloseElement("tabs");
    xml.CloseElement("ribbon");
  }
  xml.CloseElement("customUI");
  return xml.Text();
}

}  // namespace quivra::framework
