#include "host/framework/ribbon/ribbon_controls.h"

#include <stdexcept>
#include <utility>

#include "host/framework/module/com_addin_module.h"
#include "host/framework/module/framework_errors.h"
#include "host/framework/ribbon/ribbon_tab.h"
#include "host/framework/ribbon/unique_id.h"

namespace quivra::framework {

// TadxRibbonControls

TadxRibbonControls::~TadxRibbonControls() = default;

void TadxRibbonControls::Adopt(std::unique_ptr<TadxRibbonCustomControl>& control) {
  if (tab_ != nullptr) {
    if (control->Kind() != TadxRibbonControlKind::Group) {
      throw TadxContainmentError(control->ClassName(), tab_->ClassName());
    }
    control->parent_tab_ = tab_;
    control->ribbons_ = tab_->Ribbons();
    control->ribbons2010_ = tab_->Ribbons2010();
    control->design_path_ = tab_->Name();
  } else {
    if (!control_->CanContain(control->Kind())) {
      throw TadxContainmentError(control->ClassName(), control_->ClassName());
    }
    control->parent_control_ = control_;
    control->ribbons_ = control_->Ribbons();
    control->ribbons2010_ = control_->Ribbons2010();
    control->design_path_ = control_->design_path_;
  }
  // Fixed by the control's place: the same id on every load.
  control->design_path_ += "/" + std::to_string(Count());
  control->id_ = DesignControlId(control->ClassName().substr(1), control->design_path_);
}

// TadxRibbonCustomControl

TadxRibbonCustomControl::TadxRibbonCustomControl(std::string_view class_name)
    : id_(NewControlId(class_name.substr(1))) {}

TadxRibbonTab* TadxRibbonCustomControl::Tab() const {
  if (parent_tab_ != nullptr)
    return parent_tab_;
  return parent_control_ != nullptr ? parent_control_->Tab() : nullptr;
}

TadxCOMAddInModule* TadxRibbonCustomControl::Module() const {
  TadxRibbonTab* tab = Tab();
  return tab != nullptr ? &tab->Owner() : nullptr;
}

void TadxRibbonCustomControl::Changed(TadxProperty property) {
  TadxRibbonTab* tab = Tab();
  if (tab == nullptr)
    return;
  tab->Owner().NotifyChanged(TadxPropertyChange{tab, this, nullptr, property});
}

bool TadxRibbonCustomControl::CanContain(TadxRibbonControlKind) const {
  return false;
}

void TadxRibbonCustomControl::Click(const TadxRibbonOnClick& handler,
                                    const TadxRibbonControlInfo& RibbonControl,
                                    bool pressed) {
  SetPressed(pressed);
  if (!handler || in_click_)
    return;
  TadxScopedFlag guard(in_click_);
  TadxCOMAddInModule* module = Module();
  if (module == nullptr) {
    handler(*this, RibbonControl);
    return;
  }
  module->CallHandler([&] { handler(*this, RibbonControl); });
}

void TadxRibbonCustomControl::SetId(std::string value) {
  if (StoreIfChanged(id_, std::move(value)))
    Changed(TadxProperty::Id);
}

void TadxRibbonCustomControl::SetIdMso(std::string value) {
  if (StoreIfChanged(id_mso_, std::move(value)))
    Changed(TadxProperty::IdMso);
}

void TadxRibbonCustomControl::SetCaption(std::string value) {
  if (StoreIfChanged(caption_, std::move(value)))
    Changed(TadxProperty::Caption);
}

void TadxRibbonCustomControl::SetDescription(std::string value) {
  if (StoreIfChanged(description_, std::move(value)))
    Changed(TadxProperty::Description);
}

void TadxRibbonCustomControl::SetScreenTip(std::string value) {
  if (StoreIfChanged(screen_tip_, std::move(value)))
    Changed(TadxProperty::ScreenTip);
}

void TadxRibbonCustomControl::SetSuperTip(std::string value) {
  if (StoreIfChanged(super_tip_, std::move(value)))
    Changed(TadxProperty::SuperTip);
}

void TadxRibbonCustomControl::SetKeyTip(std::string value) {
  if (StoreIfChanged(key_tip_, std::move(value)))
    Changed(TadxProperty::KeyTip);
}

void TadxRibbonCustomControl::SetEnabled(bool value) {
  if (StoreIfChanged(enabled_, value))
    Changed(TadxProperty::Enabled);
}

void TadxRibbonCustomControl::SetVisible(bool value) {
  if (StoreIfChanged(visible_, value))
    Changed(TadxProperty::Visible);
}

void TadxRibbonCustomControl::SetShowCaption(bool value) {
  if (StoreIfChanged(show_caption_, value))
    Changed(TadxProperty::ShowCaption);
}

void TadxRibbonCustomControl::SetSize(TadxRibbonXControlSize value) {
  if (StoreIfChanged(size_, value))
    Changed(TadxProperty::Size);
}

void TadxRibbonCustomControl::SetPressed(bool value) {
  if (StoreIfChanged(pressed_, value))
    Changed(TadxProperty::Pressed);
}

void TadxRibbonCustomControl::SetGlyph(TadxBitmap value) {
  // A picture is always sent again: the same bitmap may have been redrawn.
  glyph_ = std::move(value);
  Changed(TadxProperty::Glyph);
}

void TadxRibbonCustomControl::SetImageIndex(int value) {
  if (StoreIfChanged(image_index_, value))
    Changed(TadxProperty::ImageIndex);
}

void TadxRibbonCustomControl::SetImageMso(std::string value) {
  if (StoreIfChanged(image_mso_, std::move(value)))
    Changed(TadxProperty::ImageMso);
}

void TadxRibbonCustomControl::SetInsertAfterIdMso(std::string value) {
  if (StoreIfChanged(insert_after_id_mso_, std::move(value))) {
    Changed(TadxProperty::InsertAfterIdMso);
  }
}

void TadxRibbonCustomControl::SetInsertBeforeIdMso(std::string value) {
  if (StoreIfChanged(insert_before_id_mso_, std::move(value))) {
    Changed(TadxProperty::InsertBeforeIdMso);
  }
}

void TadxRibbonCustomControl::SetInsertAfterId(std::string value) {
  if (StoreIfChanged(insert_after_id_, std::move(value)))
    Changed(TadxProperty::InsertAfterId);
}

void TadxRibbonCustomControl::SetInsertBeforeId(std::string value) {
  if (StoreIfChanged(insert_before_id_, std::move(value)))
    Changed(TadxProperty::InsertBeforeId);
}

void TadxRibbonCustomControl::SetRibbons(TadxRibbons value) {
  if (StoreIfChanged(ribbons_, value))
    Changed(TadxProperty::Ribbons);
}

void TadxRibbonCustomControl::SetRibbons2010(TadxRibbons2010 value) {
  if (StoreIfChanged(ribbons2010_, value))
    Changed(TadxProperty::Ribbons2010);
}

void TadxRibbonCustomControl::SetTag(int value) {
  if (StoreIfChanged(tag_, value))
    Changed(TadxProperty::Tag);
}

// TadxRibbonGroup

TadxRibbonGroup::TadxRibbonGroup() : TadxRibbonCustomControl(kClassName) {}

bool TadxRibbonGroup::CanContain(TadxRibbonControlKind kind) const {
  return kind == TadxRibbonControlKind::Button || kind == TadxRibbonControlKind::SplitButton ||
         kind == TadxRibbonControlKind::Menu;
}

void TadxRibbonGroup::SetAutoScale(bool value) {
  if (StoreIfChanged(auto_scale_, value))
    Changed(TadxProperty::AutoScale);
}

void TadxRibbonGroup::SetCenterVertically(bool value) {
  if (StoreIfChanged(center_vertically_, value))
    Changed(TadxProperty::CenterVertically);
}

void TadxRibbonGroup::SetShared(bool value) {
  if (StoreIfChanged(shared_, value))
    Changed(TadxProperty::Shared);
}

// TadxRibbonButton

TadxRibbonButton::TadxRibbonButton() : TadxRibbonCustomControl(kClassName) {}

void TadxRibbonButton::SetToggleButton(bool value) {
  if (StoreIfChanged(toggle_button_, value))
    Changed(TadxProperty::ToggleButton);
}

// TadxRibbonSplitButton

TadxRibbonSplitButton::TadxRibbonSplitButton() : TadxRibbonCustomControl(kClassName) {}

bool TadxRibbonSplitButton::CanContain(TadxRibbonControlKind kind) const {
  return kind == TadxRibbonControlKind::Menu;
}

void TadxRibbonSplitButton::SetToggleButton(bool value) {
  if (StoreIfChanged(toggle_button_, value))
    Changed(TadxProperty::ToggleButton);
}

// TadxRibbonMenu

TadxRibbonMenu::TadxRibbonMenu() : TadxRibbonCustomControl(kClassName) {}

bool TadxRibbonMenu::CanContain(TadxRibbonControlKind kind) const {
  return kind == TadxRibbonControlKind::Button || kind == TadxRibbonControlKind::SplitButton ||
         kind == TadxRibbonControlKind::Menu;
}

void TadxRibbonMenu::SetItemSize(TadxRibbonXItemSize value) {
  if (StoreIfChanged(item_size_, value))
    Changed(TadxProperty::ItemSize);
}

void TadxRibbonMenu::SetDynamic(bool value) {
  if (StoreIfChanged(dynamic_, value))
    Changed(TadxProperty::Dynamic);
}

void TadxRibbonMenu::SetTitle(std::string value) {
  if (StoreIfChanged(title_, std::move(value)))
    Changed(TadxProperty::Title);
}

}  // namespace quivra::framework
