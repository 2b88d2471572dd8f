#include "host/framework/ribbon/ribbon_tab.h"

#include <utility>

#include "host/framework/ribbon/unique_id.h"

namespace quivra::framework {

TadxRibbonTab::TadxRibbonTab(TadxCOMAddInModule& owner)
    : TadxComponent(owner), id_(NewControlId("adxRibbonTab")) {}

void TadxRibbonTab::Named() {
  id_ = DesignControlId("adxRibbonTab", Name());
}

void TadxRibbonTab::SetId(std::string value) {
  if (StoreIfChanged(id_, std::move(value)))
    Changed(TadxProperty::Id);
}

void TadxRibbonTab::SetIdMso(std::string value) {
  if (StoreIfChanged(id_mso_, std::move(value)))
    Changed(TadxProperty::IdMso);
}

void TadxRibbonTab::SetCaption(std::string value) {
  if (StoreIfChanged(caption_, std::move(value)))
    Changed(TadxProperty::Caption);
}

void TadxRibbonTab::SetVisible(bool value) {
  if (StoreIfChanged(visible_, value))
    Changed(TadxProperty::Visible);
}

void TadxRibbonTab::SetKeyTip(std::string value) {
  if (StoreIfChanged(key_tip_, std::move(value)))
    Changed(TadxProperty::KeyTip);
}

void TadxRibbonTab::SetRibbons(TadxRibbons value) {
  if (StoreIfChanged(ribbons_, value))
    Changed(TadxProperty::Ribbons);
}

void TadxRibbonTab::SetRibbons2010(TadxRibbons2010 value) {
  if (StoreIfChanged(ribbons2010_, value))
    Changed(TadxProperty::Ribbons2010);
}

void TadxRibbonTab::SetImages(TadxImageList* value) {
  if (StoreIfChanged(images_, value))
    Changed(TadxProperty::Images);
}

void TadxRibbonTab::SetInsertAfterIdMso(std::string value) {
  if (StoreIfChanged(insert_after_id_mso_, std::move(value))) {
    Changed(TadxProperty::InsertAfterIdMso);
  }
}

void TadxRibbonTab::SetInsertBeforeIdMso(std::string value) {
  if (StoreIfChanged(insert_before_id_mso_, std::move(value))) {
    Changed(TadxProperty::InsertBeforeIdMso);
  }
}

void TadxRibbonTab::SetInsertAfterId(std::string value) {
  if (StoreIfChanged(insert_after_id_, std::move(value)))
    Changed(TadxProperty::InsertAfterId);
}

void TadxRibbonTab::SetInsertBeforeId(std::string value) {
  if (StoreIfChanged(insert_before_id_, std::move(value)))
    Changed(TadxProperty::InsertBeforeId);
}

void TadxRibbonTab::SetContext(std::string value) {
  if (StoreIfChanged(context_, std::move(value)))
    Changed(TadxProperty::Context);
}

void TadxRibbonTab::SetShared(bool value) {
  if (StoreIfChanged(shared_, value))
    Changed(TadxProperty::Shared);
}

}  // namespace quivra::framework
