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

class TadxRibbonCustomControl;
class TadxRibbonTab;

enum class TadxRibbonXControlSize { csRegular = 0, csLarge = 1 };
enum class TadxRibbonXItemSize { isNormal, isLarge };

// The values Office asks of a control, in the framework's order.
enum class TadxRibbonPropertyType {
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
using TadxRibbonPropertyValue = std::variant<bool, int, std::string, TadxBitmap>;

// What Office says of the control it calls about: its id as the ribbon knows it and its tag.
struct TadxRibbonControlInfo {
  std::string Id;
  std::string Tag;
};

// A click on a button (Sender), as Office reported it (RibbonControl).
using TadxRibbonOnClick = std::function<void(TadxRibbonCustomControl& Sender,
                                             const TadxRibbonControlInfo& RibbonControl)>;
// Office is about to be answered Value for PropertyType of Sender in the window of Context; the
// handler may change the value.
using TadxRibbonPropertyChanging = std::function<void(TadxRibbonCustomControl& Sender,
                                                      TadxRibbonPropertyType PropertyType,
                                                      TadxRibbonPropertyValue& Value,
                                                      const TadxRibbonControlInfo& Context)>;

enum class TadxRibbonControlKind { Group, Button, SplitButton, Menu };

// The ordered, owning list of the controls of a ribbon tab or of a ribbon control. A tab takes
// groups only; a control takes what its kind may contain. A new control takes its parent's
// Ribbons and Ribbons2010.
class TadxRibbonControls : public TadxControlList<TadxRibbonControls, TadxRibbonCustomControl> {
 public:
  explicit TadxRibbonControls(TadxRibbonTab& owner) : tab_(&owner) {}
  explicit TadxRibbonControls(TadxRibbonCustomControl& owner) : control_(&owner) {}
  ~TadxRibbonControls();

 private:
  friend class TadxControlList<TadxRibbonControls, TadxRibbonCustomControl>;
  void Adopt(std::unique_ptr<TadxRibbonCustomControl>& control);

  TadxRibbonTab* tab_ = nullptr;
  TadxRibbonCustomControl* control_ = nullptr;
};

// What every ribbon control has. Setters store a value only when it differs from the stored one
// and then tell the module once (TadxCOMAddInModule::PropertyChanged); a glyph assignment always
// tells. A control that is in no tab yet only stores.
class TadxRibbonCustomControl {
 public:
  TadxRibbonCustomControl(const TadxRibbonCustomControl&) = delete;
  TadxRibbonCustomControl& operator=(const TadxRibbonCustomControl&) = delete;
  virtual ~TadxRibbonCustomControl() = default;

  virtual std::string_view ClassName() const = 0;
  virtual TadxRibbonControlKind Kind() const = 0;
  // The controls this one holds, or null for a kind that holds none.
  virtual TadxRibbonControls* Children() { return nullptr; }

  // The tab the control is in (through its holders), or null.
  TadxRibbonTab* Tab() const;
  // The control holding this one, or null when a tab holds it (or none).
  TadxRibbonCustomControl* ParentControl() const { return parent_control_; }
  // The module owning the tab, or null.
  TadxCOMAddInModule* Module() const;

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
  TadxRibbonXControlSize Size() const { return size_; }
  void SetSize(TadxRibbonXControlSize value);
  bool Pressed() const { return pressed_; }
  void SetPressed(bool value);
  const TadxBitmap& Glyph() const { return glyph_; }
  void SetGlyph(TadxBitmap value);
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
  TadxRibbons Ribbons() const { return ribbons_; }
  void SetRibbons(TadxRibbons value);
  TadxRibbons2010 Ribbons2010() const { return ribbons2010_; }
  void SetRibbons2010(TadxRibbons2010 value);
  // A number for the add-in's own use (which button a shared handler serves).
  int Tag() const { return tag_; }
  void SetTag(int value);

  TadxRibbonPropertyChanging OnPropertyChanging;

 protected:
  explicit TadxRibbonCustomControl(std::string_view class_name);

  // The one place every stored change of this control passes through.
  void Changed(TadxProperty property);
  // Whether this control can hold a control of `kind`.
  virtual bool CanContain(TadxRibbonControlKind kind) const;
  // Office's action on the control: stores the pressed state, then calls `handler` unless the
  // control is already inside it. An exception from the handler goes to the module's
  // ReportError.
  void Click(const TadxRibbonOnClick& handler,
             const TadxRibbonControlInfo& RibbonControl,
             bool pressed);

 private:
  friend class TadxRibbonControls;

  TadxRibbonTab* parent_tab_ = nullptr;
  TadxRibbonCustomControl* parent_control_ = nullptr;
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
  TadxRibbonXControlSize size_ = TadxRibbonXControlSize::csRegular;
  bool pressed_ = false;
  TadxBitmap glyph_;
  int image_index_ = -1;
  std::string image_mso_;
  std::string insert_after_id_mso_;
  std::string insert_before_id_mso_;
  std::string insert_after_id_;
  std::string insert_before_id_;
  TadxRibbons ribbons_;
  TadxRibbons2010 ribbons2010_;
  int tag_ = 0;
};

// A group of a tab: holds buttons, split buttons and menus.
class TadxRibbonGroup : public TadxRibbonCustomControl {
 public:
  static constexpr std::string_view kClassName = "TadxRibbonGroup";

  TadxRibbonGroup();
  std::string_view ClassName() const override { return kClassName; }
  TadxRibbonControlKind Kind() const override { return TadxRibbonControlKind::Group; }
  TadxRibbonControls* Children() override { return &controls_; }

  TadxRibbonControls& Controls() { return controls_; }
  bool AutoScale() const { return auto_scale_; }
  void SetAutoScale(bool value);
  bool CenterVertically() const { return center_vertically_; }
  void SetCenterVertically(bool value);
  bool Shared() const { return shared_; }
  void SetShared(bool value);

 protected:
  bool CanContain(TadxRibbonControlKind kind) const override;

 private:
  TadxRibbonControls controls_{*this};
  bool auto_scale_ = false;
  bool center_vertically_ = false;
  bool shared_ = false;
};

// A push button, or a toggle button when `ToggleButton` is set.
class TadxRibbonButton : public TadxRibbonCustomControl {
 public:
  static constexpr std::string_view kClassName = "TadxRibbonButton";

  TadxRibbonButton();
  std::string_view ClassName() const override { return kClassName; }
  TadxRibbonControlKind Kind() const override { return TadxRibbonControlKind::Button; }

  bool ToggleButton() const { return toggle_button_; }
  void SetToggleButton(bool value);

  TadxRibbonOnClick OnClick;
  // Office's action on the button (`pressed` is the toggle state, false for a push button).
  void DoClick(const TadxRibbonControlInfo& RibbonControl, bool pressed = false) {
    Click(OnClick, RibbonControl, pressed);
  }

 private:
  bool toggle_button_ = false;
};

// A button with a drop-down menu beside it; holds its one menu. Its inner button stands for the
// split button itself: clicks on it are the split button's.
class TadxRibbonSplitButton : public TadxRibbonCustomControl {
 public:
  static constexpr std::string_view kClassName = "TadxRibbonSplitButton";

  TadxRibbonSplitButton();
  std::string_view ClassName() const override { return kClassName; }
  TadxRibbonControlKind Kind() const override { return TadxRibbonControlKind::SplitButton; }
  TadxRibbonControls* Children() override { return &controls_; }

  TadxRibbonControls& Controls() { return controls_; }
  bool ToggleButton() const { return toggle_button_; }
  void SetToggleButton(bool value);

  TadxRibbonOnClick OnClick;
  void DoClick(const TadxRibbonControlInfo& RibbonControl, bool pressed = false) {
    Click(OnClick, RibbonControl, pressed);
  }

 protected:
  bool CanContain(TadxRibbonControlKind kind) const override;

 private:
  TadxRibbonControls controls_{*this};
  bool toggle_button_ = false;
};

class TadxRibbonMenu;
using TadxRibbonMenuOnCreate = std::function<void(TadxRibbonMenu& Sender)>;

// A drop-down menu; holds buttons, split buttons and menus. A dynamic menu is filled when it
// drops down.
class TadxRibbonMenu : public TadxRibbonCustomControl {
 public:
  static constexpr std::string_view kClassName = "TadxRibbonMenu";

  TadxRibbonMenu();
  std::string_view ClassName() const override { return kClassName; }
  TadxRibbonControlKind Kind() const override { return TadxRibbonControlKind::Menu; }
  TadxRibbonControls* Children() override { return &controls_; }

  TadxRibbonControls& Controls() { return controls_; }
  TadxRibbonXItemSize ItemSize() const { return item_size_; }
  void SetItemSize(TadxRibbonXItemSize value);
  bool Dynamic() const { return dynamic_; }
  void SetDynamic(bool value);
  const std::string& Title() const { return title_; }
  void SetTitle(std::string value);

  // Raised just before the menu's description is written for Office.
  TadxRibbonMenuOnCreate OnCreate;

 protected:
  bool CanContain(TadxRibbonControlKind kind) const override;

 private:
  TadxRibbonControls controls_{*this};
  TadxRibbonXItemSize item_size_ = TadxRibbonXItemSize::isNormal;
  bool dynamic_ = false;
  std::string title_;
};

}  // namespace quivra::framework

#endif  // QUIVRA_HOST_FRAMEWORK_RIBBON_RIBBON_CONTROLS_H_
