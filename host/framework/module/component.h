#ifndef QUIVRA_HOST_FRAMEWORK_MODULE_COMPONENT_H_
#define QUIVRA_HOST_FRAMEWORK_MODULE_COMPONENT_H_

#include <string>
#include <string_view>
#include <utility>

namespace quivra::framework {

class TCOMAddInModule;
class TCommandBarControl;
class TComponent;
class TRibbonCustomControl;

// The stored properties of components and their controls, named as the components name them.
enum class TProperty {
  // Every component and control.
  Tag,
  // Ribbon tabs and controls.
  Id,
  IdMso,
  Caption,
  Description,
  ScreenTip,
  SuperTip,
  KeyTip,
  Enabled,
  Visible,
  ShowCaption,
  Size,
  Pressed,
  Glyph,
  ImageIndex,
  ImageMso,
  InsertAfterIdMso,
  InsertBeforeIdMso,
  InsertAfterId,
  InsertBeforeId,
  Ribbons,
  Ribbons2010,
  Images,
  Context,
  Shared,
  AutoScale,
  CenterVertically,
  ToggleButton,
  ItemSize,
  Dynamic,
  Title,
  // Command bars and their controls.
  CommandBarName,
  Position,
  Protection,
  CommandBarLeft,
  CommandBarTop,
  RowIndex,
  Temporary,
  SupportedApps,
  ItemTypes,
  FolderName,
  FolderNames,
  UseForRibbon,
  TooltipText,
  DescriptionText,
  HelpFile,
  HelpContextID,
  Parameter,
  Priority,
  Height,
  Width,
  BeginGroup,
  OfficeTag,
  OfficeID,
  Before,
  BeforeID,
  AfterID,
  olExplorerItemTypes,
  olInspectorItemTypes,
  olItemTypeAction,
  Style,
  GlyphTransparentColor,
  FaceID,
  ShortcutText,
  State,
  HyperlinkType,
  DisableStandardAction,
};

// One stored change: the component it happened in, the ribbon or command-bar control when it
// was one of the component's controls (else both null), and the property.
struct TPropertyChange {
  TComponent* Component;
  TRibbonCustomControl* RibbonControl;
  TCommandBarControl* CommandBarControl;
  TProperty Property;
};

// Stores `value` into `field` when they differ; tells whether it did.
template <typename T, typename U>
bool StoreIfChanged(T& field, U&& value) {
  if (field == value)
    return false;
  field = std::forward<U>(value);
  return true;
}

// Holds a flag set for its lifetime: the re-entry guard of click handlers, cleared however the
// handler ends so that one failed click does not disable the control.
class TScopedFlag {
 public:
  explicit TScopedFlag(bool& flag) : flag_(flag) { flag_ = true; }
  TScopedFlag(const TScopedFlag&) = delete;
  TScopedFlag& operator=(const TScopedFlag&) = delete;
  ~TScopedFlag() { flag_ = false; }

 private:
  bool& flag_;
};

// The stem of a class's component names and control ids: the class name without its "T", its
// leading capitals lowered up to the one that starts the next word ("TRibbonTab" gives
// "ribbonTab", "TOlExplorerCommandBar" "olExplorerCommandBar", "TCOMAddInModule"
// "comAddInModule").
std::string ComponentStem(std::string_view class_name);

// A part of the module's design data (ribbon tab, command bar, keyboard shortcut, image list):
// created by and owned by the module (TCOMAddInModule::CreateComponent), freed with it.
class TComponent {
 public:
  TComponent(const TComponent&) = delete;
  TComponent& operator=(const TComponent&) = delete;
  virtual ~TComponent() = default;

  // The class name, as error messages show it: "TRibbonTab".
  virtual std::string_view ClassName() const = 0;

  TCOMAddInModule& Owner() const { return owner_; }
  // "ribbonTab1" and the like; unique within the module, not regarding case.
  const std::string& Name() const { return name_; }

  // A number for the add-in's own use; the framework never reads it.
  int Tag() const { return tag_; }
  void SetTag(int value);

 protected:
  explicit TComponent(TCOMAddInModule& owner) : owner_(owner) {}

  // Called once the module has given the component its name.
  virtual void Named() {}

  // Tells the module of a stored change of one of this component's own properties. Every
  // setter that stores a new value calls it once; a value set to what it already was does not.
  void Changed(TProperty property);

 private:
  friend class TCOMAddInModule;

  TCOMAddInModule& owner_;
  std::string name_;
  int tag_ = 0;
};

}  // namespace quivra::framework

#endif  // QUIVRA_HOST_FRAMEWORK_MODULE_COMPONENT_H_
