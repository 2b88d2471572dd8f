#ifndef QUIVRA_HOST_FRAMEWORK_RIBBON_RIBBON_CONTROLS_H_
#define QUIVRA_HOST_FRAMEWORK_RIBBON_RIBBON_CONTROLS_H_

#include <functional>
#include <memory>
#include <string>
#include <string_view>
#include <utility>
#include <variant>
#include <vector>

#include "host/framework/module/bitmap.h"
#include "host/framework/module/component.h"
#include "host/framework/module/control_list.h"
#include "host/framework/ribbon/ribbon_sets.h"

namespace quivra::framework {

class TRibbonCustomControl;
class TRibbonTab;

enum class TRibbonXControlSize { csRegular = 0, csLarge = 1 };
enum class TRibbonXItemSize { isNormal, isLarge };

// The values Office asks of a control, in the framework's order.
enum class TRibbonPropertyType {
  rcptVisible,
  rcptKeyTip,
  rcptCaption,
  rcptEnabled,
  rcptPressed,
  rcptGlyph,
  rcptScreenTip,
  rcptSuperTip,
  rcptShowCaption,
  rcptShowImage,
  rcptSize,
  rcptDescription,
};
using TRibbonPropertyValue = std::variant<bool, int, std::string, TBitmap>;

// What Office says of the control it calls about: its id as the ribbon knows it and its tag.
struct TRibbonControlInfo {
  std::string Id;
  std::string Tag;
};

// A click on a button (Sender), as Office reported it (RibbonControl).
using TRibbonOnClick = std::function<void(TRibbonCustomControl& Sender,
                                             const TRibbonControlInfo& RibbonControl)>;
// Office is about to be answered Value for PropertyType of Sender in the window of Context; the
// handler may change the value.
using TRibbonPropertyChanging = std::function<void(TRibbonCustomControl& Sender,
                                                      TRibbonPropertyType PropertyType,
                                                      TRibbonPropertyValue& Value,
                                                      const TRibbonControlInfo& Context)>;

enum class TRibbonControlKind { Group, Button, SplitButton, Menu };

// The ordered, owning list of the controls of a ribbon tab or of a ribbon control. A tab takes
// groups only; a control takes what its kind may contain. A new control takes its parent's
// Ribbons and Ribbons2010.
class TRibbonControls : public TControlList<TRibbonControls, TRibbonCustomControl> {
 public:
  explicit TRibbonControls(TRibbonTab& owner) : tab_(&owner) {}
  explicit TRibbonControls(TRibbonCustomControl& owner) : control_(&owner) {}
  ~TRibbonControls();

 private:
  friend class TControlList<TRibbonControls, TRibbonCustomControl>;
  void Adopt(std::unique_ptr<TRibbonCustomControl>& control);

  TRibbonTab* tab_ = nullptr;
  TRibbonCustomControl* control_ = nullptr;
};

// What every ribbon control has. Setters store a value only when it differs from the stored one
// and then tell the module once (TCOMAddInModule::PropertyChanged); a glyph assignment always
// tells. A control that is in no tab yet only stores.
class TRibbonCustomControl {
 public:
  TRibbonCustomControl(const TRibbonCustomControl&) = delete;
  TRibbonCustomControl& operator=(const TRibbonCustomControl&) = delete;
  virtual ~TRibbonCustomControl() = default;

  virtual std::string_view ClassName() const = 0;
  virtual TRibbonControlKind Kind() const = 0;
  // The controls this one holds, or null for a kind that holds none.
  virtual TRibbonControls* Children() { return nullptr; }

  // The tab the control is in (through its holders), or null.
  TRibbonTab* Tab() const;
  // The control holding this one, or null when a tab holds it (or none).
  TRibbonCustomControl* ParentControl() const { return parent_control_; }
  // The module owning the tab, or null.
  TCOMAddInModule* Module() const;

  // The ribbon's key of the control (kind + 32 hex digits): a new control has a unique one, and a
  // control added to a tab or control one fixed by its place there, the same on every load.
  const std::string& Id() const { return id_; }
  void SetId(std::string value);
  // The built-in Office control this one stands for, if any.
  const std::string& IdMso() const { return id_mso_; }
  void SetIdMso(std::string value);
  const std::string& Caption() const { return caption_; }
  void SetCaption(std::string value);
  const std::string& Description() const { return description_; }
  void SetDescription(std::string value);
  const std::string& ScreenTip() const { return screen_tip_; }
  void SetScreenTip(std::string value);
  const std::string& SuperTip() const { return super_tip_; }
  void SetSuperTip(std::string value);
  const std::string& KeyTip() const { return key_tip_; }
  void SetKeyTip(std::string value);
  bool Enabled() const { return enabled_; }
  void SetEnabled(bool value);
  bool Visible() const { return visible_; }
  void SetVisible(bool value);
  bool ShowCaption() const { return show_caption_; }
  void SetShowCaption(bool value);
  TRibbonXControlSize Size() const { return size_; }
  void SetSize(TRibbonXControlSize value);
  bool Pressed() const { return pressed_; }
  void SetPressed(bool value);
  const TBitmap& Glyph() const { return glyph_; }
  void SetGlyph(TBitmap value);
  // The image of the tab's image list to show when there is no glyph; -1 for none.
  int ImageIndex() const { return image_index_; }
  void SetImageIndex(int value);
  const std::string& ImageMso() const { return image_mso_; }
  void SetImageMso(std::string value);
  const std::string& InsertAfterIdMso() const { return insert_after_id_mso_; }
  void SetInsertAfterIdMso(std::string value);
  const std::string& InsertBeforeIdMso() const { return insert_before_id_mso_; }
  void SetInsertBeforeIdMso(std::string value);
  const std::string& InsertAfterId() const { return insert_after_id_; }
  void SetInsertAfterId(std::string value);
  const std::string& InsertBeforeId() const { return insert_before_id_; }
  void SetInsertBeforeId(std::string value);
  TRibbons Ribbons() const { return ribbons_; }
  void SetRibbons(TRibbons value);
  TRibbons2010 Ribbons2010() const { return ribbons2010_; }
  void SetRibbons2010(TRibbons2010 value);
  // A number for the add-in's own use (which button a shared handler serves).
  int Tag() const { return tag_; }
  void SetTag(int value);

  TRibbonPropertyChanging OnPropertyChanging;

 protected:
  explicit TRibbonCustomControl(std::string_view class_name);

  // The one place every stored change of this control passes through.
  void Changed(TProperty property);
  // Whether this control can hold a control of `kind`.
  virtual bool CanContain(TRibbonControlKind kind) const;
  // Office's action on the control: stores the pressed state, then calls `handler` unless the
  // control is already inside it. An exception from the handler goes to the module's
  // ReportError.
  void Click(const TRibbonOnClick& handler,
             const TRibbonControlInfo& RibbonControl,
             bool pressed);

 private:
  friend class TRibbonControls;

  TRibbonTab* parent_tab_ = nullptr;
  TRibbonCustomControl* parent_control_ = nullptr;
  // The control's place in the design data, from which its id is made when it is added.
  std::string design_path_;
  bool in_click_ = false;

  std::string id_;
  std::string id_mso_;
  std::string caption_;
  std::string description_;
  std::string screen_tip_;
  std::string super_tip_;
  std::string key_tip_;
  bool enabled_ = true;
  bool visible_ = true;
  bool show_caption_ = true;
  TRibbonXControlSize size_ = TRibbonXControlSize::csRegular;
  bool pressed_ = false;
  TBitmap glyph_;
  int image_index_ = -1;
  std::string image_mso_;
  std::string insert_after_id_mso_;
  std::string insert_before_id_mso_;
  std::string insert_after_id_;
  std::string insert_before_id_;
  TRibbons ribbons_;
  TRibbons2010 ribbons2010_;
  int tag_ = 0;
};

// A group of a tab: holds buttons, split buttons and menus.
class TRibbonGroup : public TRibbonCustomControl {
 public:
  static constexpr std::string_view kClassName = "TRibbonGroup";

  TRibbonGroup();
  std::string_view ClassName() const override { return kClassName; }
  TRibbonControlKind Kind() const override { return TRibbonControlKind::Group; }
  TRibbonControls* Children() override { return &controls_; }

  TRibbonControls& Controls() { return controls_; }
  bool AutoScale() const { return auto_scale_; }
  void SetAutoScale(bool value);
  bool CenterVertically() const { return center_vertically_; }
  void SetCenterVertically(bool value);
  bool Shared() const { return shared_; }
  void SetShared(bool value);

 protected:
  bool CanContain(TRibbonControlKind kind) const override;

 private:
  TRibbonControls controls_{*this};
  bool auto_scale_ = false;
  bool center_vertically_ = false;
  bool shared_ = false;
};

// A push button, or a toggle button when `ToggleButton` is set.
class TRibbonButton : public TRibbonCustomControl {
 public:
  static constexpr std::string_view kClassName = "TRibbonButton";

  TRibbonButton();
  std::string_view ClassName() const override { return kClassName; }
  TRibbonControlKind Kind() const override { return TRibbonControlKind::Button; }

  bool ToggleButton() const { return toggle_button_; }
  void SetToggleButton(bool value);

  TRibbonOnClick OnClick;
  // Office's action on the button (`pressed` is the toggle state, false for a push button).
  void DoClick(const TRibbonControlInfo& RibbonControl, bool pressed = false) {
    Click(OnClick, RibbonControl, pressed);
  }

 private:
  bool toggle_button_ = false;
};

// A button with a drop-down menu beside it; holds its one menu. Its inner button stands for the
// split button itself: clicks on it are the split button's.
class TRibbonSplitButton : public TRibbonCustomControl {
 public:
  static constexpr std::string_view kClassName = "TRibbonSplitButton";

  TRibbonSplitButton();
  std::string_view ClassName() const override { return kClassName; }
  TRibbonControlKind Kind() const override { return TRibbonControlKind::SplitButton; }
  TRibbonControls* Children() override { return &controls_; }

  TRibbonControls& Controls() { return controls_; }
  bool ToggleButton() const { return toggle_button_; }
  void SetToggleButton(bool value);

  TRibbonOnClick OnClick;
  void DoClick(const TRibbonControlInfo& RibbonControl, bool pressed = false) {
    Click(OnClick, RibbonControl, pressed);
  }

 protected:
  bool CanContain(TRibbonControlKind kind) const override;

 private:
  TRibbonControls controls_{*this};
  bool toggle_button_ = false;
};

class TRibbonMenu;
using TRibbonMenuOnCreate = std::function<void(TRibbonMenu& Sender)>;

// A drop-down menu; holds buttons, split buttons and menus. A dynamic menu is filled when it
// drops down.
class TRibbonMenu : public TRibbonCustomControl {
 public:
  static constexpr std::string_view kClassName = "TRibbonMenu";

  TRibbonMenu();
  std::string_view ClassName() const override { return kClassName; }
  TRibbonControlKind Kind() const override { return TRibbonControlKind::Menu; }
  TRibbonControls* Children() override { return &controls_; }

  TRibbonControls& Controls() { return controls_; }
  TRibbonXItemSize ItemSize() const { return item_size_; }
  void SetItemSize(TRibbonXItemSize value);
  bool Dynamic() const { return dynamic_; }
  void SetDynamic(bool value);
  const std::string& Title() const { return title_; }
  void SetTitle(std::string value);

  // Raised just before the menu's description is written for Office.
  TRibbonMenuOnCreate OnCreate;

 protected:
  bool CanContain(TRibbonControlKind kind) const override;

 private:
  TRibbonControls controls_{*this};
  TRibbonXItemSize item_size_ = TRibbonXItemSize::isNormal;
  bool dynamic_ = false;
  std::string title_;
};

}  // namespace quivra::framework

#endif  // QUIVRA_HOST_FRAMEWORK_RIBBON_RIBBON_CONTROLS_H_
