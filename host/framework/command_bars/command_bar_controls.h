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

class TCommandBarButton;
class TCommandBarControl;
class TCommandBarPopup;
class TOlExplorerCommandBar;

// Outlook's item types; a member's number is Outlook's OlItemType.
enum class TOLItemType {
  olMailItem,
  olAppointmentItem,
  olContactItem,
  olTaskItem,
  olJournalItem,
  olNoteItem,
  olPostItem,
  olDistributionListItem,
};
using TOLItemTypes = TEnumSet<TOLItemType>;

// The item classes of Outlook's inspector windows.
enum class TOLItemClass {
  olMail,
  olAppointment,
  olContact,
  olTask,
  olJournal,
  olNote,
  olPost,
  olDistributionList,
};
using TOLItemClasses = TEnumSet<TOLItemClass>;

// What a control does when the folder's item type is not among its own item types.
enum class TOLItemTypeAction { olActionNone, olActionShow, olActionEnable };

// Button styles; the numbers are Office's.
enum class TMsoButtonStyle {
  msoButtonAutomatic = 0,
  msoButtonIcon = 1,
  msoButtonCaption = 2,
  msoButtonIconAndCaption = 3,
  msoButtonIconAndWrapCaption = 7,
  msoButtonIconAndCaptionBelow = 11,
  msoButtonWrapCaption = 14,
  msoButtonIconAndWrapCaptionBelow = 15,
};

// The ordered, owning list of the controls of a command bar or of a pop-up. A new control
// takes the bar's Temporary and ItemTypes.
class TCommandBarControls
    : public TControlList<TCommandBarControls, TCommandBarControl> {
 public:
  explicit TCommandBarControls(TOlExplorerCommandBar& owner) : bar_(&owner) {}
  explicit TCommandBarControls(TCommandBarPopup& owner) : popup_(&owner) {}
  ~TCommandBarControls();

 private:
  friend class TControlList<TCommandBarControls, TCommandBarControl>;
  void Adopt(std::unique_ptr<TCommandBarControl>& control);

  TOlExplorerCommandBar* bar_ = nullptr;
  TCommandBarPopup* popup_ = nullptr;
};

// What every command-bar control has. Setters store a value only when it differs from the
// stored one and then tell the module once (TCOMAddInModule::PropertyChanged); a glyph
// assignment always tells. A control on no bar yet only stores.
class TCommandBarControl {
 public:
  TCommandBarControl(const TCommandBarControl&) = delete;
  TCommandBarControl& operator=(const TCommandBarControl&) = delete;
  virtual ~TCommandBarControl() = default;

  virtual std::string_view ClassName() const = 0;
  // The kind of control: 0 button, 4 pop-up.
  virtual int ItemKind() const = 0;
  // Office's control type for the kind: 1 button, 10 pop-up.
  virtual int OfficeControlType() const = 0;

  // The bar the control is on (through its pop-ups), or null.
  TOlExplorerCommandBar* Bar() const;
  // The pop-up holding this control, or null when the bar holds it (or nothing).
  TCommandBarPopup* ParentPopup() const { return parent_popup_; }
  TCOMAddInModule* Module() const;

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
  TOLItemTypes olExplorerItemTypes() const { return ol_explorer_item_types_; }
  void SetOlExplorerItemTypes(TOLItemTypes value);
  TOLItemClasses olInspectorItemTypes() const { return ol_inspector_item_types_; }
  void SetOlInspectorItemTypes(TOLItemClasses value);
  TOLItemTypeAction olItemTypeAction() const { return ol_item_type_action_; }
  void SetOlItemTypeAction(TOLItemTypeAction value);
  // A number for the add-in's own use (which button a shared handler serves).
  int Tag() const { return tag_; }
  void SetTag(int value);

 protected:
  TCommandBarControl();

  // The one place every stored change of this control passes through.
  void Changed(TProperty property);

 private:
  friend class TCommandBarControls;

  TOlExplorerCommandBar* parent_bar_ = nullptr;
  TCommandBarPopup* parent_popup_ = nullptr;

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
  TOLItemTypes ol_explorer_item_types_{TOLItemType::olMailItem};
  TOLItemClasses ol_inspector_item_types_{TOLItemClass::olMail};
  TOLItemTypeAction ol_item_type_action_ = TOLItemTypeAction::olActionNone;
  int tag_ = 0;
};

using TCommandBarButtonOnClick = std::function<void(TCommandBarButton& Sender)>;

// A button on a command bar or in a pop-up.
class TCommandBarButton : public TCommandBarControl {
 public:
  static constexpr std::string_view kClassName = "TCommandBarButton";

  TCommandBarButton() = default;
  std::string_view ClassName() const override { return kClassName; }
  int ItemKind() const override { return 0; }
  int OfficeControlType() const override { return 1; }

  TMsoButtonStyle Style() const { return style_; }
  void SetStyle(TMsoButtonStyle value);
  const TBitmap& Glyph() const { return glyph_; }
  void SetGlyph(TBitmap value);
  // The glyph's colour that shows the button face; clDefault: its bottom-left pixel.
  TColor GlyphTransparentColor() const { return glyph_transparent_color_; }
  void SetGlyphTransparentColor(TColor value);
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

  TCommandBarButtonOnClick OnClick;
  // A click on the button (in Office, or through its shortcut): calls OnClick unless the button
  // is already inside it; an exception from the handler goes to the module's ReportError.
  void DoClick();

 private:
  TMsoButtonStyle style_ = TMsoButtonStyle::msoButtonAutomatic;
  TBitmap glyph_;
  TColor glyph_transparent_color_ = clDefault;
  int face_id_ = 0;
  std::string shortcut_text_;
  int state_ = 0;
  int hyperlink_type_ = 0;
  bool disable_standard_action_ = false;
  bool in_click_ = false;
};

// A pop-up (drop-down) on a command bar or in another pop-up; holds buttons and pop-ups.
class TCommandBarPopup : public TCommandBarControl {
 public:
  static constexpr std::string_view kClassName = "TCommandBarPopup";

  TCommandBarPopup() = default;
  std::string_view ClassName() const override { return kClassName; }
  int ItemKind() const override { return 4; }
  int OfficeControlType() const override { return 10; }

  TCommandBarControls& Controls() { return controls_; }
  const TCommandBarControls& Controls() const { return controls_; }

 private:
  TCommandBarControls controls_{*this};
};

}  // namespace quivra::framework

#endif  // QUIVRA_HOST_FRAMEWORK_COMMAND_BARS_COMMAND_BAR_CONTROLS_H_
