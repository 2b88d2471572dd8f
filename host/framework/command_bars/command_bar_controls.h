#ifndef QUIVRA_HOST_FRAMEWORK_COMMAND_BARS_COMMAND_BAR_CONTROLS_H_
#define QUIVRA_HOST_FRAMEWORK_COMMAND_BARS_COMMAND_BAR_CONTROLS_H_

#include <functional>
#include <memory>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "host/framework/module/bitmap.h"
#include "host/framework/module/component.h"
#include "host/framework/module/control_list.h"
#include "host/framework/module/enum_set.h"

namespace quivra::framework {

class TadxCommandBarButton;
class TadxCommandBarControl;
class TadxCommandBarPopup;
class TadxOlExplorerCommandBar;

// Outlook's item types; a member's number is Outlook's OlItemType.
enum class TadxOLItemType {
  adxOLMailItem,
  adxOLAppointmentItem,
  adxOLContactItem,
  adxOLTaskItem,
  adxOLJournalItem,
  adxOLNoteItem,
  adxOLPostItem,
  adxOLDistributionListItem,
};
using TadxOLItemTypes = TadxEnumSet<TadxOLItemType>;

// The item classes of Outlook's inspector windows.
enum class TadxOLItemClass {
  adxOLMail,
  adxOLAppointment,
  adxOLContact,
  adxOLTask,
  adxOLJournal,
  adxOLNote,
  adxOLPost,
  adxOLDistributionList,
};
using TadxOLItemClasses = TadxEnumSet<TadxOLItemClass>;

// What a control does when the folder's item type is not among its own item types.
enum class TadxOLItemTypeAction { adxOLActionNone, adxOLActionShow, adxOLActionEnable };

// Button styles; the numbers are Office's.
enum class TadxMsoButtonStyle {
  adxMsoButtonAutomatic = 0,
  adxMsoButtonIcon = 1,
  adxMsoButtonCaption = 2,
  adxMsoButtonIconAndCaption = 3,
  adxMsoButtonIconAndWrapCaption = 7,
  adxMsoButtonIconAndCaptionBelow = 11,
  adxMsoButtonWrapCaption = 14,
  adxMsoButtonIconAndWrapCaptionBelow = 15,
};

// The ordered, owning list of the controls of a command bar or of a pop-up. A new control
// takes the bar's Temporary and ItemTypes.
class TadxCommandBarControls
    : public TadxControlList<TadxCommandBarControls, TadxCommandBarControl> {
 public:
  explicit TadxCommandBarControls(TadxOlExplorerCommandBar& owner) : bar_(&owner) {}
  explicit TadxCommandBarControls(TadxCommandBarPopup& owner) : popup_(&owner) {}
  ~TadxCommandBarControls();

 private:
  friend class TadxControlList<TadxCommandBarControls, TadxCommandBarControl>;
  void Adopt(std::unique_ptr<TadxCommandBarControl>& control);

  TadxOlExplorerCommandBar* bar_ = nullptr;
  TadxCommandBarPopup* popup_ = nullptr;
};

// What every command-bar control has. Setters store a value only when it differs from the
// stored one and then tell the module once (TadxCOMAddInModule::PropertyChanged); a glyph
// assignment always tells. A control on no bar yet only stores.
class TadxCommandBarControl {
 public:
  TadxCommandBarControl(const TadxCommandBarControl&) = delete;
  TadxCommandBarControl& operator=(const TadxCommandBarControl&) = delete;
  virtual ~TadxCommandBarControl() = default;

  virtual std::string_view ClassName() const = 0;
  // The kind of control: 0 button, 4 pop-up.
  virtual int ItemKind() const = 0;
  // Office's control type for the kind: 1 button, 10 pop-up.
  virtual int OfficeControlType() const = 0;

  // The bar the control is on (through its pop-ups), or null.
  TadxOlExplorerCommandBar* Bar() const;
  // The pop-up holding this control, or null when the bar holds it (or nothing).
  TadxCommandBarPopup* ParentPopup() const { return parent_popup_; }
  TadxCOMAddInModule* Module() const;

  const std::string& Caption() const { return caption_; }
  void SetCaption(std::string value);
  const std::string& TooltipText() const { return tooltip_text_; }
  void SetTooltipText(std::string value);
  const std::string& DescriptionText() const { return description_text_; }
  void SetDescriptionText(std::string value);
  const std::string& HelpFile() const { return help_file_; }
  void SetHelpFile(std::string value);
  int HelpContextID() const { return help_context_id_; }
  void SetHelpContextID(int value);
  const std::string& Parameter() const { return parameter_; }
  void SetParameter(std::string value);
  int Priority() const { return priority_; }
  void SetPriority(int value);
  // 0: Office's own size.
  int Height() const { return height_; }
  void SetHeight(int value);
  int Width() const { return width_; }
  void SetWidth(int value);
  bool Enabled() const { return enabled_; }
  void SetEnabled(bool value);
  bool Visible() const { return visible_; }
  void SetVisible(bool value);
  // A separator before the control.
  bool BeginGroup() const { return begin_group_; }
  void SetBeginGroup(bool value);
  // The key by which the framework finds its controls in Office; a new control has a new GUID.
  const std::string& OfficeTag() const { return office_tag_; }
  void SetOfficeTag(std::string value);
  // 1: a control of the add-in's own; else a built-in Office control.
  int OfficeID() const { return office_id_; }
  void SetOfficeID(int value);
  // Whether Office forgets the control when it closes.
  bool Temporary() const { return temporary_; }
  void SetTemporary(bool value);
  int Before() const { return before_; }
  void SetBefore(int value);
  int BeforeID() const { return before_id_; }
  void SetBeforeID(int value);
  int AfterID() const { return after_id_; }
  void SetAfterID(int value);
  TadxOLItemTypes olExplorerItemTypes() const { return ol_explorer_item_types_; }
  void SetOlExplorerItemTypes(TadxOLItemTypes value);
  TadxOLItemClasses olInspectorItemTypes() const { return ol_inspector_item_types_; }
  void SetOlInspectorItemTypes(TadxOLItemClasses value);
  TadxOLItemTypeAction olItemTypeAction() const { return ol_item_type_action_; }
  void SetOlItemTypeAction(TadxOLItemTypeAction value);
  // A number for the add-in's own use (which button a shared handler serves).
  int Tag() const { return tag_; }
  void SetTag(int value);

 protected:
  TadxCommandBarControl();

  // The one place every stored change of this control passes through.
  void Changed(TadxProperty property);

 private:
  friend class TadxCommandBarControls;

  TadxOlExplorerCommandBar* parent_bar_ = nullptr;
  TadxCommandBarPopup* parent_popup_ = nullptr;

  std::string caption_;
  std::string tooltip_text_;
  std::string description_text_;
  std::string help_file_;
  int help_context_id_ = 0;
  std::string parameter_;
  int priority_ = 0;
  int height_ = 0;
  int width_ = 0;
  bool enabled_ = true;
  bool visible_ = true;
  bool begin_group_ = false;
  std::string office_tag_;
  int office_id_ = 1;
  bool temporary_ = true;
  int before_ = 0;
  int before_id_ = 0;
  int after_id_ = 0;
  TadxOLItemTypes ol_explorer_item_types_{TadxOLItemType::adxOLMailItem};
  TadxOLItemClasses ol_inspector_item_types_{TadxOLItemClass::adxOLMail};
  TadxOLItemTypeAction ol_item_type_action_ = TadxOLItemTypeAction::adxOLActionNone;
  int tag_ = 0;
};

using TadxCommandBarButtonOnClick = std::function<void(TadxCommandBarButton& Sender)>;

// A button on a command bar or in a pop-up.
class TadxCommandBarButton : public TadxCommandBarControl {
 public:
  static constexpr std::string_view kClassName = "TadxCommandBarButton";

  TadxCommandBarButton() = default;
  std::string_view ClassName() const override { return kClassName; }
  int ItemKind() const override { return 0; }
  int OfficeControlType() const override { return 1; }

  TadxMsoButtonStyle Style() const { return style_; }
  void SetStyle(TadxMsoButtonStyle value);
  const TadxBitmap& Glyph() const { return glyph_; }
  void SetGlyph(TadxBitmap value);
  // The glyph's colour that shows the button face; clDefault: its bottom-left pixel.
  TadxColor GlyphTransparentColor() const { return glyph_transparent_color_; }
  void SetGlyphTransparentColor(TadxColor value);
  // An Office face id; 0: none.
  int FaceID() const { return face_id_; }
  void SetFaceID(int value);
  // Shown in the control, and a keyboard shortcut of the button ("Ctrl+Shift+F").
  const std::string& ShortcutText() const { return shortcut_text_; }
  void SetShortcutText(std::string value);
  int State() const { return state_; }
  void SetState(int value);
  int HyperlinkType() const { return hyperlink_type_; }
  void SetHyperlinkType(int value);
  bool DisableStandardAction() const { return disable_standard_action_; }
  void SetDisableStandardAction(bool value);

  TadxCommandBarButtonOnClick OnClick;
  // A click on the button (in Office, or through its shortcut): calls OnClick unless the button
  // is already inside it; an exception from the handler goes to the module's ReportError.
  void DoClick();

 private:
  TadxMsoButtonStyle style_ = TadxMsoButtonStyle::adxMsoButtonAutomatic;
  TadxBitmap glyph_;
  TadxColor glyph_transparent_color_ = clDefault;
  int face_id_ = 0;
  std::string shortcut_text_;
  int state_ = 0;
  int hyperlink_type_ = 0;
  bool disable_standard_action_ = false;
  bool in_click_ = false;
};

// A pop-up (drop-down) on a command bar or in another pop-up; holds buttons and pop-ups.
class TadxCommandBarPopup : public TadxCommandBarControl {
 public:
  static constexpr std::string_view kClassName = "TadxCommandBarPopup";

  TadxCommandBarPopup() = default;
  std::string_view ClassName() const override { return kClassName; }
  int ItemKind() const override { return 4; }
  int OfficeControlType() const override { return 10; }

  TadxCommandBarControls& Controls() { return controls_; }
  const TadxCommandBarControls& Controls() const { return controls_; }

 private:
  TadxCommandBarControls controls_{*this};
};

}  // namespace quivra::framework

#endif  // QUIVRA_HOST_FRAMEWORK_COMMAND_BARS_COMMAND_BAR_CONTROLS_H_
