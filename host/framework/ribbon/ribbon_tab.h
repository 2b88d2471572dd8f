#ifndef QUIVRA_HOST_FRAMEWORK_RIBBON_RIBBON_TAB_H_
#define QUIVRA_HOST_FRAMEWORK_RIBBON_RIBBON_TAB_H_

#include <functional>
#include <string>
#include <string_view>

#include "host/framework/module/component.h"
#include "host/framework/module/image_list.h"
#include "host/framework/ribbon/ribbon_controls.h"
#include "host/framework/ribbon/ribbon_sets.h"

namespace quivra::framework {

class TRibbonTab;

// Office is about to be answered Value for PropertyType of the tab in the window of Context;
// the handler may change the value.
using TRibbonTabPropertyChanging = std::function<void(TRibbonTab& Sender,
                                                         TRibbonPropertyType PropertyType,
                                                         TRibbonPropertyValue& Value,
                                                         const TRibbonControlInfo& Context)>;

// A ribbon tab of the add-in, owned by the module: a tab of its own, or, with `IdMso` set, a
// built-in Office tab the add-in's groups are added to. Holds groups. Setters store a value only
// when it differs and then tell the module once (TCOMAddInModule::PropertyChanged).
class TRibbonTab : public TComponent {
 public:
  static constexpr std::string_view kClassName = "TRibbonTab";

  explicit TRibbonTab(TCOMAddInModule& owner);
  std::string_view ClassName() const override { return kClassName; }
  void Named() override;

  TRibbonControls& Controls() { return controls_; }
  const TRibbonControls& Controls() const { return controls_; }

  // The ribbon's key of a tab of the add-in's own; a tab of the module's design data has one
  // made from its component name, the same on every load.
  const std::string& Id() const { return id_; }
  void SetId(std::string value);
  const std::string& IdMso() const { return id_mso_; }
  void SetIdMso(std::string value);
  const std::string& Caption() const { return caption_; }
  void SetCaption(std::string value);
  bool Visible() const { return visible_; }
  void SetVisible(bool value);
  const std::string& KeyTip() const { return key_tip_; }
  void SetKeyTip(std::string value);
  // The ribbons the tab belongs to; its controls take them when they are added.
  TRibbons Ribbons() const { return ribbons_; }
  void SetRibbons(TRibbons value);
  TRibbons2010 Ribbons2010() const { return ribbons2010_; }
  void SetRibbons2010(TRibbons2010 value);
  // The images the tab's controls show by ImageIndex; not owned (a component of the module).
  TImageList* Images() const { return images_; }
  void SetImages(TImageList* value);
  const std::string& InsertAfterIdMso() const { return insert_after_id_mso_; }
  void SetInsertAfterIdMso(std::string value);
  const std::string& InsertBeforeIdMso() const { return insert_before_id_mso_; }
  void SetInsertBeforeIdMso(std::string value);
  const std::string& InsertAfterId() const { return insert_after_id_; }
  void SetInsertAfterId(std::string value);
  const std::string& InsertBeforeId() const { return insert_before_id_; }
  void SetInsertBeforeId(std::string value);
  // Non-empty makes the tab contextual: shown only in that context.
  const std::string& Context() const { return context_; }
  void SetContext(std::string value);
  bool Shared() const { return shared_; }
  void SetShared(bool value);

  TRibbonTabPropertyChanging OnPropertyChanging;

 private:
  TRibbonControls controls_{*this};
  std::string id_;
  std::string id_mso_;
  std::string caption_;
  bool visible_ = true;
  std::string key_tip_;
  TRibbons ribbons_;
  TRibbons2010 ribbons2010_;
  TImageList* images_ = nullptr;
  std::string insert_after_id_mso_;
  std::string insert_before_id_mso_;
  std::string insert_after_id_;
  std::string insert_before_id_;
  std::string context_;
  bool shared_ = false;
};

}  // namespace quivra::framework

#endif  // QUIVRA_HOST_FRAMEWORK_RIBBON_RIBBON_TAB_H_
