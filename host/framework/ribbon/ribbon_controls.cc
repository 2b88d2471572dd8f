#include "host/framework/ribbon/ribbon_controls.h"

#include <stdexcept>
#include <utility>

#include "host/framework/module/com_addin_module.h"
#include "host/framework/module/framework_errors.h"
#include "host/framework/ribbon/ribbon_tab.h"
#include "host/framework/ribbon/unique_id.h"

namespace quivra::framework {

// TRibbonControls

TRibbonControls::~TRibbonControls() = default;

void TRibbonControls::Adopt(std::unique_ptr<TRibbonCustomControl>& control) {
  if (tab_ != nullptr) {
    if (control->Kind() != TRibbonControlKind::Group) {
      throw TContainmentError(control->ClassName(), tab_->ClassName());
    }
    control->parent_tab_ = tab_;
    control->ribbons_ = tab_->Ribbons();
    control->ribbons2010_ = tab_->Ribbons2010();
    control->design_path_ = tab_->Name();
  } else {
    if (!control_->CanContain(control->Kind())) {
      throw TContainmentError(control->ClassName(), control_->ClassName());
    }
    control->parent_control_ = control_;
    control->ribbons_ = control_->Ribbons();
    control->ribbons2010_ = control_->Ribbons2010();
    control->design_path_ = control_->design_path_;
  }
  // Fixed by the control's place: the same id on every load.
  control->design_path_ += "/" + std::to_string(Count());
  control->id_ = DesignControlId(ComponentStem(control->ClassName()), control->design_path_);
}

// TRibbonCustomControl

TRibbonCustomControl::TRibbonCustomControl(std::string_view class_name)
    : id_(NewControlId(ComponentStem(class_name))) {}

TRibbonTab* TRibbonCustomControl::Tab() const {
  if (parent_tab_ != nullptr)
    return parent_tab_;
  return parent_control_ != nullptr ? parent_control_->Tab() : nullptr;
}

TCOMAddInModule* TRibbonCustomControl::Module() const {
  TRibbonTab* tab = Tab();
  return tab != nullptr ? &tab->Owner() : nullptr;
}

void TRibbonCustomControl::Changed(TProperty property) {
  TRibbonTab* tab = Tab();
  if (tab == nullptr)
    return;
  tab->Owner().NotifyChanged(TPropertyChange{tab, this, nullptr, property});
}

bool TRibbonCustomControl::CanContain(TRibbonControlKind) const {
  return false;
}

void TRibbonCustomControl::Click(const TRibbonOnClick& handler,
                                    const TRibbonControlInfo& RibbonControl,
                                    bool pressed) {
  SetPressed(pressed);
  if (!handler || in_click_)
    return;
  TScopedFlag guard(in_click_);
  TCOMAddInModule* module = Module();
  if (module == nullptr) {
    handler(*this, RibbonControl);
    return;
  }
  module->CallHandler([&] { handler(*this, RibbonControl); });
}

void TRibbonCustomControl::SetId(std::string value) {
  if (StoreIfChanged(id_, std::move(value)))
    Changed(TProperty::Id);
}

void TRibbonCustomControl::SetIdMso(std::string value) {
  if (StoreIfChanged(id_mso_, std::move(value)))
    Changed(TProperty::IdMso);
}

void TRibbonCustomControl::SetCaption(std::string value) {
  if (StoreIfChanged(caption_, std::move(value)))
    Changed(TProperty::Caption);
}

void TRibbonCustomControl::SetDescription(std::string value) {
  if (StoreIfChanged(description_, std::move(value)))
    Changed(TProperty::Description);
}

void TRibbonCustomControl::SetScreenTip(std::string value) {
  if (StoreIfChanged(screen_tip_, std::move(value)))
    Changed(TProperty::ScreenTip);
}

void TRibbonCustomControl::SetSuperTip(std::string value) {
  if (StoreIfChanged(super_tip_, std::move(value)))
    Changed(TProperty::SuperTip);
}

void TRibbonCustomControl::SetKeyTip(std::string value) {
  if (StoreIfChanged(key_tip_, std::move(value)))
    Changed(TProperty::KeyTip);
}

void TRibbonCustomControl::SetEnabled(bool value) {
  if (StoreIfChanged(enabled_, value))
    Changed(TProperty::Enabled);
}

void TRibbonCustomControl::SetVisible(bool value) {
  if (StoreIfChanged(visible_, value))
    Changed(TProperty::Visible);
}

void TRibbonCustomControl::SetShowCaption(bool value) {
  if (StoreIfChanged(show_caption_, value))
    Changed(TProperty::ShowCaption);
}

void TRibbonCustomControl::SetSize(TRibbonXControlSize value) {
  if (StoreIfChanged(size_, value))
    Changed(TProperty::Size);
}

void TRibbonCustomControl::SetPressed(bool value) {
  if (StoreIfChanged(pressed_, value))
    Changed(TProperty::Pressed);
}

void TRibbonCustomControl::SetGlyph(TBitmap value) {
  // A picture is always sent again: the same bitmap may have been redrawn.
  glyph_ = std::move(value);
  Changed(TProperty::Glyph);
}

void TRibbonCustomControl::SetImageIndex(int value) {
  if (StoreIfChanged(image_index_, value))
    Changed(TProperty::ImageIndex);
}

void TRibbonCustomControl::SetImageMso(std::string value) {
  if (StoreIfChanged(image_mso_, std::move(value)))
    Changed(TProperty::ImageMso);
}

void TRibbonCustomControl::SetInsertAfterIdMso(std::string value) {
  if (StoreIfChanged(insert_after_id_mso_, std::move(value))) {
    Changed(TProperty::InsertAfterIdMso);
  }
}

void TRibbonCustomControl::SetInsertBeforeIdMso(std::string value) {
  if (StoreIfChanged(insert_before_id_mso_, std::move(value))) {
    Changed(TProperty::InsertBeforeIdMso);
  }
}

void TRibbonCustomControl::SetInsertAfterId(std::string value) {
  if (StoreIfChanged(insert_after_id_, std::move(value)))
    Changed(TProperty::InsertAfterId);
}

void TRibbonCustomControl::SetInsertBeforeId(std::string value) {
  if (StoreIfChanged(insert_before_id_, std::move(value)))
    Changed(TProperty::InsertBeforeId);
}

void TRibbonCustomControl::SetRibbons(TRibbons value) {
  if (StoreIfChanged(ribbons_, value))
    Changed(TProperty::Ribbons);
}

void TRibbonCustomControl::SetRibbons2010(TRibbons2010 value) {
  if (StoreIfChanged(ribbons2010_, value))
    Changed(TProperty::Ribbons2010);
}

void TRibbonCustomControl::SetTag(int value) {
  if (StoreIfChanged(tag_, value))
    Changed(TProperty::Tag);
}

// TRibbonGroup

TRibbonGroup::TRibbonGroup() : TRibbonCustomControl(kClassName) {}

bool TRibbonGroup::CanContain(TRibbonControlKind kind) const {
  return kind == TRibbonControlKind::Button || kind == TRibbonControlKind::SplitButton ||
         kind == TRibbonControlKind::Menu;
}

void TRibbonGroup::SetAutoScale(bool value) {
  if (StoreIfChanged(auto_scale_, value))
    Changed(TProperty::AutoScale);
}

void TRibbonGroup::SetCenterVertically(bool value) {
  if (StoreIfChanged(center_vertically_, value))
    Changed(TProperty::CenterVertically);
}

void TRibbonGroup::SetShared(bool value) {
  if (StoreIfChanged(shared_, value))
    Changed(TProperty::Shared);
}

// TRibbonButton

TRibbonButton::TRibbonButton() : TRibbonCustomControl(kClassName) {}

void TRibbonButton::SetToggleButton(bool value) {
  if (StoreIfChanged(toggle_button_, value))
    Changed(TProperty::ToggleButton);
}

// TRibbonSplitButton

TRibbonSplitButton::TRibbonSplitButton() : TRibbonCustomControl(kClassName) {}

bool TRibbonSplitButton::CanContain(TRibbonControlKind kind) const {
  return kind == TRibbonControlKind::Menu;
}

void TRibbonSplitButton::SetToggleButton(bool value) {
  if (StoreIfChanged(toggle_button_, value))
    Changed(TProperty::ToggleButton);
}

// TRibbonMenu

TRibbonMenu::TRibbonMenu() : TRibbonCustomControl(kClassName) {}

bool TRibbonMenu::CanContain(TRibbonControlKind kind) const {
  return kind == TRibbonControlKind::Button || kind == TRibbonControlKind::SplitButton ||
         kind == TRibbonControlKind::Menu;
}

void TRibbonMenu::SetItemSize(TRibbonXItemSize value) {
  if (StoreIfChanged(item_size_, value))
    Changed(TProperty::ItemSize);
}

void TRibbonMenu::SetDynamic(bool value) {
  if (StoreIfChanged(dynamic_, value))
    Changed(TProperty::Dynamic);
}

void TRibbonMenu::SetTitle(std::string value) {
  if (StoreIfChanged(title_, std::move(value)))
    Changed(TProperty::Title);
}

}  // namespace quivra::framework
