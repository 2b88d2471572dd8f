#include "host/framework/ribbon/ribbon_tab.h"

#include <utility>

#include "host/framework/ribbon/unique_id.h"

namespace quivra::framework {

TRibbonTab::TRibbonTab(TCOMAddInModule& owner)
    : TComponent(owner), id_(NewControlId("ribbonTab")) {}

void TRibbonTab::Named() {
  id_ = DesignControlId("ribbonTab", Name());
}

void TRibbonTab::SetId(std::string value) {
  if (StoreIfChanged(id_, std::move(value)))
    Changed(TProperty::Id);
}

void TRibbonTab::SetIdMso(std::string value) {
  if (StoreIfChanged(id_mso_, std::move(value)))
    Changed(TProperty::IdMso);
}

void TRibbonTab::SetCaption(std::string value) {
  if (StoreIfChanged(caption_, std::move(value)))
    Changed(TProperty::Caption);
}

void TRibbonTab::SetVisible(bool value) {
  if (StoreIfChanged(visible_, value))
    Changed(TProperty::Visible);
}

void TRibbonTab::SetKeyTip(std::string value) {
  if (StoreIfChanged(key_tip_, std::move(value)))
    Changed(TProperty::KeyTip);
}

void TRibbonTab::SetRibbons(TRibbons value) {
  if (StoreIfChanged(ribbons_, value))
    Changed(TProperty::Ribbons);
}

void TRibbonTab::SetRibbons2010(TRibbons2010 value) {
  if (StoreIfChanged(ribbons2010_, value))
    Changed(TProperty::Ribbons2010);
}

void TRibbonTab::SetImages(TImageList* value) {
  if (StoreIfChanged(images_, value))
    Changed(TProperty::Images);
}

void TRibbonTab::SetInsertAfterIdMso(std::string value) {
  if (StoreIfChanged(insert_after_id_mso_, std::move(value))) {
    Changed(TProperty::InsertAfterIdMso);
  }
}

void TRibbonTab::SetInsertBeforeIdMso(std::string value) {
  if (StoreIfChanged(insert_before_id_mso_, std::move(value))) {
    Changed(TProperty::InsertBeforeIdMso);
  }
}

void TRibbonTab::SetInsertAfterId(std::string value) {
  if (StoreIfChanged(insert_after_id_, std::move(value)))
    Changed(TProperty::InsertAfterId);
}

void TRibbonTab::SetInsertBeforeId(std::string value) {
  if (StoreIfChanged(insert_before_id_, std::move(value)))
    Changed(TProperty::InsertBeforeId);
}

void TRibbonTab::SetContext(std::string value) {
  if (StoreIfChanged(context_, std::move(value)))
    Changed(TProperty::Context);
}

void TRibbonTab::SetShared(bool value) {
  if (StoreIfChanged(shared_, value))
    Changed(TProperty::Shared);
}

}  // namespace quivra::framework
