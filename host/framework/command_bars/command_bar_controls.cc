#include "host/framework/command_bars/command_bar_controls.h"

#include <stdexcept>
#include <utility>

#include "host/framework/command_bars/command_bar.h"
#include "host/framework/module/com_addin_module.h"
#include "host/framework/ribbon/unique_id.h"

namespace quivra::framework {

// TadxCommandBarControls

TadxCommandBarControls::~TadxCommandBarControls() = default;

void TadxCommandBarControls::Adopt(std::unique_ptr<TadxCommandBarControl>& control) {
  control->parent_bar_ = bar_;
  control->parent_popup_ = popup_;
  if (const TadxOlExplorerCommandBar* bar = control->Bar()) {
    control->temporary_ = bar->Temporary();
    control->ol_explorer_item_types_ = bar->ItemTypes();
  }
}

// TadxCommandBarControl

TadxCommandBarControl::TadxCommandBarControl() : office_tag_(NewGuidText()) {}

TadxOlExplorerCommandBar* TadxCommandBarControl::Bar() const {
  if (parent_bar_ != nullptr)
    return parent_bar_;
  return parent_popup_ != nullptr ? parent_popup_->Bar() : nullptr;
}

TadxCOMAddInModule* TadxCommandBarControl::Module() const {
  TadxOlExplorerCommandBar* bar = Bar();
  return bar != nullptr ? &bar->Owner() : nullptr;
}

void TadxCommandBarControl::Changed(TadxProperty property) {
  TadxOlExplorerCommandBar* bar = Bar();
  if (bar == nullptr)
    return;
  bar->Owner().NotifyChanged(TadxPropertyChange{bar, nullptr, this, property});
}

void TadxCommandBarControl::SetCaption(std::string value) {
  if (StoreIfChanged(caption_, std::move(value)))
    Changed(TadxProperty::Caption);
}

void TadxCommandBarControl::SetTooltipText(std::string value) {
  if (StoreIfChanged(tooltip_text_, std::move(value)))
    Changed(TadxProperty::TooltipText);
}

void TadxCommandBarControl::SetDescriptionText(std::string value) {
  if (StoreIfChanged(description_text_, std::move(value)))
    Changed(TadxProperty::DescriptionText);
}

void TadxCommandBarControl::SetHelpFile(std::string value) {
  if (StoreIfChanged(help_file_, std::move(value)))
    Changed(TadxProperty::HelpFile);
}

void TadxCommandBarControl::SetHelpContextID(int value) {
  if (StoreIfChanged(help_context_id_, value))
    Changed(TadxProperty::HelpContextID);
}

void TadxCommandBarControl::SetParameter(std::string value) {
  if (StoreIfChanged(parameter_, std::move(value)))
    Changed(TadxProperty::Parameter);
}

void TadxCommandBarControl::SetPriority(int value) {
  if (StoreIfChanged(priority_, value))
    Changed(TadxProperty::Priority);
}

void TadxCommandBarControl::SetHeight(int value) {
  if (StoreIfChanged(height_, value))
    Changed(TadxProperty::Height);
}

void TadxCommandBarControl::SetWidth(int value) {
  if (StoreIfChanged(width_, value))
    Changed(TadxProperty::Width);
}

void TadxCommandBarControl::SetEnabled(bool value) {
  if (StoreIfChanged(enabled_, value))
    Changed(TadxProperty::Enabled);
}

void TadxCommandBarControl::SetVisible(bool value) {
  if (StoreIfChanged(visible_, value))
    Changed(TadxProperty::Visible);
}

void TadxCommandBarControl::SetBeginGroup(bool value) {
  if (StoreIfChanged(begin_group_, value))
    Changed(TadxProperty::BeginGroup);
}

void TadxCommandBarControl::SetOfficeTag(std::string value) {
  if (StoreIfChanged(office_tag_, std::move(value)))
    Changed(TadxProperty::OfficeTag);
}

void TadxCommandBarControl::SetOfficeID(int value) {
  if (StoreIfChanged(office_id_, value))
    Changed(TadxProperty::OfficeID);
}

void TadxCommandBarControl::SetTemporary(bool value) {
  if (StoreIfChanged(temporary_, value))
    Changed(TadxProperty::Temporary);
}

void TadxCommandBarControl::SetBefore(int value) {
  if (StoreIfChanged(before_, value))
    Changed(TadxProperty::Before);
}

void TadxCommandBarControl::SetBeforeID(int value) {
  if (StoreIfChanged(before_id_, value))
    Changed(TadxProperty::BeforeID);
}

void TadxCommandBarControl::SetAfterID(int value) {
  if (StoreIfChanged(after_id_, value))
    Changed(TadxProperty::AfterID);
}

void TadxCommandBarControl::SetOlExplorerItemTypes(TadxOLItemTypes value) {
  if (StoreIfChanged(ol_explorer_item_types_, value)) {
    Changed(TadxProperty::olExplorerItemTypes);
  }
}

void TadxCommandBarControl::SetOlInspectorItemTypes(TadxOLItemClasses value) {
  if (StoreIfChanged(ol_inspector_item_types_, value)) {
    Changed(TadxProperty::olInspectorItemTypes);
  }
}

void TadxCommandBarControl::SetOlItemTypeAction(TadxOLItemTypeAction value) {
  if (StoreIfChanged(ol_item_type_action_, value))
    Changed(TadxProperty::olItemTypeAction);
}

void TadxCommandBarControl::SetTag(int value) {
  if (StoreIfChanged(tag_, value))
    Changed(TadxProperty::Tag);
}

// TadxCommandBarButton

void TadxCommandBarButton::SetStyle(TadxMsoButtonStyle value) {
  if (StoreIfChanged(style_, value))
    Changed(TadxProperty::Style);
}

void TadxCommandBarButton::SetGlyph(TadxBitmap value) {
  // A picture is always sent again: the same bitmap may have been redrawn.
  glyph_ = std::move(value);
  Changed(TadxProperty::Glyph);
}

void TadxCommandBarButton::SetGlyphTransparentColor(TadxColor value) {
  if (StoreIfChanged(glyph_transparent_color_, value)) {
    Changed(TadxProperty::GlyphTransparentColor);
  }
}

void TadxCommandBarButton::SetFaceID(int value) {
  if (StoreIfChanged(face_id_, value))
    Changed(TadxProperty::FaceID);
}

void TadxCommandBarButton::SetShortcutText(std::string value) {
  if (StoreIfChanged(shortcut_text_, std::move(value)))
    Changed(TadxProperty::ShortcutText);
}

void TadxCommandBarButton::SetState(int value) {
  if (StoreIfChanged(state_, value))
    Changed(TadxProperty::State);
}

void TadxCommandBarButton::SetHyperlinkType(int value) {
  if (StoreIfChanged(hyperlink_type_, value))
    Changed(TadxProperty::HyperlinkType);
}

void TadxCommandBarButton::SetDisableStandardAction(bool value) {
  if (StoreIfChanged(disable_standard_action_, value)) {
    Changed(TadxProperty::DisableStandardAction);
  }
}

void TadxCommandBarButton::DoClick() {
  if (!OnClick || in_click_)
    return;
  TadxScopedFlag guard(in_click_);
  TadxCOMAddInModule* module = Module();
  if (module == nullptr) {
    OnClick(*this);
    return;
  }
  module->CallHandler([this] { OnClick(*this); });
}

}  // namespace quivra::framework
