#include "host/framework/ribbon/ribbon_connection.h"

#include <algorithm>
#include <cctype>
#include <exception>
#include <functional>

#include "host/framework/module/com_addin_module.h"
#include "host/framework/module/image_list.h"
#include "host/framework/ribbon/ribbon_custom_ui.h"

namespace quivra::framework {

namespace {

struct CallbackName {
  int dispid;
  std::string_view name;
};

// Every callback name Office may call, with its DISPID; the add-in's customUI text uses
// 10 ... 17, 19 ... 24 and 50.
constexpr CallbackName kCallbacks[] = {
    {10, "RibbonLoaded_Callback"},
    {11, "GetImages_Callback"},
    {12, "GetVisible_Callback"},
    {13, "GetKeyTip_Callback"},
    {14, "GetLabel_Callback"},
    {15, "GetEnabled_Callback"},
    {16, "GetPressed_Callback"},
    {17, "GetImage_Callback"},
    {19, "GetSuperTip_Callback"},
    {20, "GetScreenTip_Callback"},
    {21, "GetSize_Callback"},
    {22, "GetShowLabel_Callback"},
    {23, "GetShowImage_Callback"},
    {24, "GetDescription_Callback"},
    {25, "GetText_Callback"},
    {26, "GetItemCount_Callback"},
    {27, "GetItemID_Callback"},
    {28, "GetItemImage_Callback"},
    {29, "GetItemLabel_Callback"},
    {30, "GetItemScreenTip_Callback"},
    {31, "GetItemSuperTip_Callback"},
    {32, "GetShowItemImage_Callback"},
    {33, "GetSelectedItemIndex_Callback"},
    {34, "GetSelectedItemId_Callback"},
    {35, "GetItemHeight_Callback"},
    {36, "GetItemWidth_Callback"},
    {37, "GetContent_Callback"},
    {38, "GetTitle_Callback"},
    {50, "OnActionCommon_Callback"},
    {51, "OnActionCommonRepurposed_Callback"},
    {52, "OnActionState_Callback"},
    {53, "OnActionStateRepurposed_Callback"},
    {54, "OnActionSelected_Callback"},
    {55, "OnChange_Callback"},
    {60, "OnBackstageShow_Callback"},
    {61, "OnBackstageHide_Callback"},
    {62, "GetTarget_Callback"},
    {63, "GetAltText_Callback"},
    {64, "GetHelperText_Callback"},
    {65, "GetStyle_Callback"},
};

// Ids compare without regard to case, as Office compares them: the index keeps them lower-cased.
std::string LowerCased(std::string text) {
  for (char& c : text) {
    if (c >= 'A' && c <= 'Z')
      c = static_cast<char>(c - 'A' + 'a');
  }
  return text;
}

// The id of the component Office means: the inner button of a split button is the split button,
// a context-menu copy is the control it copies.
std::string ComponentId(std::string_view id) {
  std::string key(id);
  constexpr std::string_view kWrapped = "wrapped";
  if (const size_t at = key.find(kWrapped); at != std::string::npos)
    key.erase(at, kWrapped.size());
  constexpr std::string_view kContextMenu = "_context_menu_";
  if (const size_t at = key.find(kContextMenu); at != std::string::npos)
    key.erase(at, 22);
  return key;
}

// The properties whose change Office must be told of; the others (Tag, ids, ribbons, ...) only
// matter when the ribbon is built.
bool ShownProperty(TProperty property) {
  switch (property) {
    case TProperty::Caption:
    case TProperty::Description:
    case TProperty::ScreenTip:
    case TProperty::SuperTip:
    case TProperty::KeyTip:
    case TProperty::Enabled:
    case TProperty::Visible:
    case TProperty::ShowCaption:
    case TProperty::Size:
    case TProperty::Pressed:
    case TProperty::Glyph:
    case TProperty::ImageIndex:
    case TProperty::ImageMso:
    case TProperty::InsertAfterIdMso:
    case TProperty::InsertBeforeIdMso:
    case TProperty::InsertAfterId:
    case TProperty::InsertBeforeId:
      return true;
    default:
      return false;
  }
}

template <typename T>
T ValueAs(const TRibbonPropertyValue& value, T fallback) {
  if (const T* typed = std::get_if<T>(&value))
    return *typed;
  return fallback;
}

}  // namespace

std::optional<int> RibbonCallbackDispId(std::string_view name) {
  for (const CallbackName& callback : kCallbacks) {
    if (callback.name == name)
      return callback.dispid;
  }
  return std::nullopt;
}

std::string_view RibbonCallbackName(int dispid) {
  for (const CallbackName& callback : kCallbacks) {
    if (callback.dispid == dispid)
      return callback.name;
  }
  return {};
}

office::RibbonPicture RibbonPictureOf(const TBitmap& bitmap, bool transparent_corner) {
  office::RibbonPicture picture;
  if (bitmap.Empty() || bitmap.Pixels.size() < static_cast<size_t>(bitmap.Width) *
                                                   static_cast<size_t>(bitmap.Height)) {
    return picture;
  }
  picture.Width = bitmap.Width;
  picture.Height = bitmap.Height;
  picture.Pixels.assign(bitmap.Pixels.begin(),
                        bitmap.Pixels.begin() + static_cast<std::ptrdiff_t>(bitmap.Width) *
                                                    static_cast<std::ptrdiff_t>(bitmap.Height));
  if (bitmap.BitsPerPixel < 32) {
    for (std::uint32_t& pixel : picture.Pixels)
      pixel |= 0xFF000000u;
  }
  if (transparent_corner) {
    const std::uint32_t corner =
        picture
            .Pixels[static_cast<size_t>(picture.Height - 1) * static_cast<size_t>(picture.Width)] &
        0x00FFFFFFu;
    for (std::uint32_t& pixel : picture.Pixels) {
      if ((pixel & 0x00FFFFFFu) == corner)
        pixel &= 0x00FFFFFFu;
    }
  }
  return picture;
}

TRibbonConnection::TRibbonConnection(TCOMAddInModule& module)
    : module_(module), self_(std::make_shared<TRibbonConnection*>(this)) {
  std::weak_ptr<TRibbonConnection*> self = self_;
  module_.PropertyChanged =
      [self, previous = std::move(module_.PropertyChanged)](const TPropertyChange& change) {
        if (previous)
          previous(change);
        if (auto connection = self.lock())
          (*connection)->Changed(change);
      };
}

TRibbonConnection::~TRibbonConnection() = default;

std::string TRibbonConnection::GetCustomUI(const std::string& RibbonID, int HostMajorVersion) {
  BuildIndex(IsOutlookRibbon(RibbonID));
  return WriteCustomUI(module_, RibbonID, HostMajorVersion);
}

void TRibbonConnection::BuildIndex(bool outlook_only) {
  index_.clear();
  auto add = [this](const std::string& key, Target target) {
    if (!key.empty())
      index_.emplace(LowerCased(key), target);
  };
  auto applies = [outlook_only](TRibbons ribbons, TRibbons2010 ribbons2010) {
    return !outlook_only || AppliesToOutlook(ribbons, ribbons2010);
  };
  std::function<void(TRibbonControls&)> walk = [&](TRibbonControls& controls) {
    for (const auto& control : controls.Items()) {
      if (applies(control->Ribbons(), control->Ribbons2010()))
        add(control->IdMso().empty() ? control->Id() : control->IdMso(), control.get());
      if (TRibbonControls* children = control->Children())
        walk(*children);
    }
  };
  for (TRibbonTab* tab : module_.ComponentsOf<TRibbonTab>()) {
    if (applies(tab->Ribbons(), tab->Ribbons2010()))
      add(tab->IdMso().empty() ? tab->Id() : tab->IdMso(), tab);
    walk(tab->Controls());
  }
  indexed_ = true;
}

TRibbonConnection::Target TRibbonConnection::Find(std::string_view id) {
  if (!indexed_)
    BuildIndex(false);
  const auto found = index_.find(LowerCased(ComponentId(id)));
  return found == index_.end() ? Target{} : found->second;
}

void TRibbonConnection::RibbonLoaded(office::RibbonUIPtr ribbon) {
  if (!ribbon)
    return;
  auto known = std::find(ribbon_uis_.begin(), ribbon_uis_.end(), ribbon);
  if (known != ribbon_uis_.end())
    ribbon_uis_.erase(known);
  ribbon_uis_.push_back(std::move(ribbon));
}

office::RibbonValue TRibbonConnection::Callback(TRibbonCallback callback,
                                                   const TRibbonControlInfo& control,
                                                   bool pressed) {
  const Target target = Find(control.Id);
  if (auto* tab = std::get_if<TRibbonTab*>(&target))
    return TabValue(**tab, callback, control);
  if (auto* item = std::get_if<TRibbonCustomControl*>(&target))
    return ControlValue(**item, callback, control, pressed);
  // Not one of the add-in's: the defaults.
  switch (callback) {
    case TRibbonCallback::GetVisible:
    case TRibbonCallback::GetEnabled:
    case TRibbonCallback::GetShowLabel:
      return true;
    case TRibbonCallback::GetPressed:
    case TRibbonCallback::GetShowImage:
      return false;
    case TRibbonCallback::GetSize:
      return 0;
    case TRibbonCallback::GetLabel:
    case TRibbonCallback::GetKeyTip:
    case TRibbonCallback::GetScreenTip:
    case TRibbonCallback::GetSuperTip:
    case TRibbonCallback::GetDescription:
      return std::string();
    default:
      return {};
  }
}

office::RibbonValue TRibbonConnection::TabValue(TRibbonTab& tab,
                                                   TRibbonCallback callback,
                                                   const TRibbonControlInfo& control) {
  TRibbonPropertyType type;
  TRibbonPropertyValue value;
  switch (callback) {
    case TRibbonCallback::GetVisible:
      type = TRibbonPropertyType::rcptVisible;
      value = tab.Visible();
      break;
    case TRibbonCallback::GetLabel:
      type = TRibbonPropertyType::rcptCaption;
      value = tab.Caption();
      break;
    case TRibbonCallback::GetKeyTip:
      type = TRibbonPropertyType::rcptKeyTip;
      value = tab.KeyTip();
      break;
    default:
      return {};
  }
  if (tab.OnPropertyChanging)
    module_.CallHandler([&] { tab.OnPropertyChanging(tab, type, value, control); });
  if (type == TRibbonPropertyType::rcptVisible)
    return ValueAs<bool>(value, tab.Visible());
  return ValueAs<std::string>(value, std::string());
}

office::RibbonValue TRibbonConnection::ControlValue(TRibbonCustomControl& item,
                                                       TRibbonCallback callback,
                                                       const TRibbonControlInfo& control,
                                                       bool pressed) {
  if (callback == TRibbonCallback::OnActionCommon ||
      callback == TRibbonCallback::OnActionState) {
    const bool state = callback == TRibbonCallback::OnActionState && pressed;
    if (auto* button = dynamic_cast<TRibbonButton*>(&item)) {
      button->DoClick(control, state);
    } else if (auto* split = dynamic_cast<TRibbonSplitButton*>(&item)) {
      split->DoClick(control, state);
    }
    return {};
  }

  TRibbonPropertyType type;
  TRibbonPropertyValue value;
  bool from_image_list = false;
  switch (callback) {
    case TRibbonCallback::GetVisible:
      type = TRibbonPropertyType::rcptVisible;
      value = item.Visible();
      break;
    case TRibbonCallback::GetEnabled:
      type = TRibbonPropertyType::rcptEnabled;
      value = item.Enabled();
      break;
    case TRibbonCallback::GetLabel:
      type = TRibbonPropertyType::rcptCaption;
      value = item.Caption();
      break;
    case TRibbonCallback::GetScreenTip:
      type = TRibbonPropertyType::rcptScreenTip;
      value = item.ScreenTip();
      break;
    case TRibbonCallback::GetSuperTip:
      type = TRibbonPropertyType::rcptSuperTip;
      value = item.SuperTip();
      break;
    case TRibbonCallback::GetKeyTip:
      type = TRibbonPropertyType::rcptKeyTip;
      value = item.KeyTip();
      break;
    case TRibbonCallback::GetDescription:
      type = TRibbonPropertyType::rcptDescription;
      value = item.Description();
      break;
    case TRibbonCallback::GetShowLabel:
      type = TRibbonPropertyType::rcptShowCaption;
      value = item.ShowCaption();
      break;
    case TRibbonCallback::GetShowImage:
      type = TRibbonPropertyType::rcptShowImage;
      value = !(item.Glyph().Empty() && item.ImageIndex() < 0 && item.ImageMso().empty());
      break;
    case TRibbonCallback::GetSize:
      type = TRibbonPropertyType::rcptSize;
      value = static_cast<int>(item.Size());
      break;
    case TRibbonCallback::GetPressed:
      type = TRibbonPropertyType::rcptPressed;
      value = item.Pressed();
      break;
    case TRibbonCallback::GetImage: {
      type = TRibbonPropertyType::rcptGlyph;
      TBitmap source = item.Glyph();
      if (source.Empty()) {
        const TRibbonTab* tab = item.Tab();
        const TImageList* images = tab != nullptr ? tab->Images() : nullptr;
        if (images != nullptr && item.ImageIndex() >= 0 && item.ImageIndex() < images->Count()) {
          source = (*images)[item.ImageIndex()];
          from_image_list = true;
        }
      }
      value = std::move(source);
      break;
    }
    default:
      return {};
  }
  if (item.OnPropertyChanging) {
    const TRibbonPropertyValue before = value;
    module_.CallHandler([&] { item.OnPropertyChanging(item, type, value, control); });
    if (!(value == before))
      from_image_list = false;
  }
  switch (type) {
    case TRibbonPropertyType::rcptSize:
      return ValueAs<int>(value, 0);
    case TRibbonPropertyType::rcptGlyph: {
      const TBitmap bitmap = ValueAs<TBitmap>(value, TBitmap());
      if (bitmap.Empty())
        return {};
      return RibbonPictureOf(bitmap, !from_image_list);
    }
    case TRibbonPropertyType::rcptVisible:
    case TRibbonPropertyType::rcptEnabled:
    case TRibbonPropertyType::rcptShowCaption:
    case TRibbonPropertyType::rcptShowImage:
    case TRibbonPropertyType::rcptPressed:
      return ValueAs<bool>(value, false);
    default:
      return ValueAs<std::string>(value, std::string());
  }
}

void TRibbonConnection::Changed(const TPropertyChange& change) {
  if (ribbon_uis_.empty() || !ShownProperty(change.Property))
    return;
  if (holds_ > 0) {
    AddInvalidations(change, held_ids_, held_whole_);
    return;
  }
  std::vector<std::string> ids;
  bool whole = false;
  AddInvalidations(change, ids, whole);
  SendInvalidations(ids, whole);
}

void TRibbonConnection::SendInvalidations(const std::vector<std::string>& ids, bool whole) {
  if (!whole && ids.empty())
    return;
  // Every ribbon Office handed over is told; one that fails does not keep the others from
  // hearing. Office keeps showing the old value where it cannot be told; the add-in's work goes
  // on.
  for (const office::RibbonUIPtr& ribbon : ribbon_uis_) {
    try {
      if (whole) {
        ribbon->Invalidate();
        continue;
      }
      for (const std::string& id : ids)
        ribbon->InvalidateControl(id);
    } catch (const std::exception&) {
    }
  }
}

void TRibbonConnection::AddInvalidations(const TPropertyChange& change,
                                            std::vector<std::string>& ids,
                                            bool& whole) {
  auto add = [&ids](std::string id) {
    if (std::find(ids.begin(), ids.end(), id) == ids.end())
      ids.push_back(std::move(id));
  };
  if (TRibbonCustomControl* control = change.RibbonControl) {
    if (!control->IdMso().empty()) {
      whole = true;
      return;
    }
    add(control->Id());
    if (control->Kind() == TRibbonControlKind::SplitButton)
      add(control->Id() + "wrapped");
    return;
  }
  // Of a tab's own properties only the key tip reaches Office before the ribbon is rebuilt.
  auto* tab = dynamic_cast<TRibbonTab*>(change.Component);
  if (tab != nullptr && change.Property == TProperty::KeyTip) {
    if (tab->IdMso().empty()) {
      add(tab->Id());
    } else {
      whole = true;
    }
  }
}

TRibbonConnection::InvalidationHold::InvalidationHold(TRibbonConnection& connection)
    : connection_(connection.self_) {
  ++connection.holds_;
}

TRibbonConnection::InvalidationHold::~InvalidationHold() {
  try {
    if (auto connection = connection_.lock())
      (*connection)->ReleaseHeldInvalidations();
  } catch (...) {
    // Out of memory for the list: Office keeps what it shows until the next change.
  }
}

void TRibbonConnection::ReleaseHeldInvalidations() {
  if (--holds_ > 0)
    return;
  std::vector<std::string> ids;
  ids.swap(held_ids_);
  const bool whole = std::exchange(held_whole_, false);
  SendInvalidations(ids, whole);
}

}  // namespace quivra::framework
