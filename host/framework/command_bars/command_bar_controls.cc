#include "host/framework/command_bars/command_bar_controls.h"

#include <stdexcept>
#include <utility>

#include "host/framework/command_bars/command_bar.h"
#include "host/framework/module/com_addin_module.h"
#include "host/framework/ribbon/unique_id.h"

namespace quivra::framework {

// TCommandBarControls

TCommandBarControls::~TCommandBarControls() = default;

void TCommandBarControls::Adopt(std::unique_ptr<TCommandBarControl>& control) {
  control->parent_bar_ = bar_;
  control->parent_popup_ = popup_;
  if (const TOlExplorerCommandBar* bar = control->Bar()) {
    control->temporary_ = bar->Temporary();
    control->ol_explorer_item_types_ = bar->ItemTypes();
  }
}

// TCommandBarControl

TCommandBarControl::TCommandBarControl() : office_tag_(NewGuidText()) {}

TOlExplorerCommandBar* TCommandBarControl::Bar() const {
  if (parent_bar_ != nullptr)
    return parent_bar_;
  return parent_popup_ != nullptr ? parent_popup_->Bar() : nullptr;
}

TCOMAddInModule* TCommandBarControl::Module() const {
  TOlExplorerCommandBar* bar = Bar();
  return bar != nullptr ? &bar->Owner() : nullptr;
}

void TCommandBarControl::Changed(TProperty property) {
  TOlExplorerCommandBar* bar = Bar();
  if (bar == nullptr)
    return;
  bar->Owner().NotifyChanged(TPropertyChange{bar, nullptr, this, property});
}

void TCommandBarControl::SetCaption(std::string value) {
  if (StoreIfChanged(caption_, std::move(value)))
    Changed(TProperty::Caption);
}

void TCommandBarControl::SetTooltipText(std::string value) {
  if (StoreIfChanged(tooltip_text_, std::move(value)))
    Changed(TProperty::TooltipText);
}

void TCommandBarControl::SetDescriptionText(std::string value) {
  if (StoreIfChanged(description_text_, std::move(value)))
    Changed(TProperty::DescriptionText);
}

void TCommandBarControl::SetHelpFile(std::string value) {
  if (StoreIfChanged(help_file_, std::move(value)))
    Changed(TProperty::HelpFile);
}

void TCommandBarControl::SetHelpContextID(int value) {
  if (StoreIfChanged(help_context_id_, value))
    Changed(TProperty::HelpContextID);
}

void TCommandBarControl::SetParameter(std::string value) {
  if (StoreIfChanged(parameter_, std::move(value)))
    Changed(TProperty::Parameter);
}

void TCommandBarControl::SetPriority(int value) {
  if (StoreIfChanged(priority_, value))
    Changed(TProperty::Priority);
}

void TCommandBarControl::SetHeight(int value) {
  if (StoreIfChanged(height_, value))
    Changed(TProperty::Height);
}

void TCommandBarControl::SetWidth(int value) {
  if (StoreIfChanged(width_, value))
    Changed(TProperty::Width);
}

void TCommandBarControl::SetEnabled(bool value) {
  if (StoreIfChanged(enabled_, value))
    Changed(TProperty::Enabled);
}

void TCommandBarControl::SetVisible(bool value) {
  if (StoreIfChanged(visible_, value))
    Changed(TProperty::Visible);
}

void TCommandBarControl::SetBeginGroup(bool value) {
  if (StoreIfChanged(begin_group_, value))
    Changed(TProperty::BeginGroup);
}

void TCommandBarControl::SetOfficeTag(std::string value) {
  if (StoreIfChanged(office_tag_, std::move(value)))
    Changed(TProperty::OfficeTag);
}

void TCommandBarControl::SetOfficeID(int value) {
  if (StoreIfChanged(office_id_, value))
    Changed(TProperty::OfficeID);
}

void TCommandBarControl::SetTemporary(bool value) {
  if (StoreIfChanged(temporary_, value))
    Changed(TProperty::Temporary);
}

void TCommandBarControl::SetBefore(int value) {
  if (StoreIfChanged(before_, value))
    Changed(TProperty::Before);
}

void TCommandBarControl::SetBeforeID(int value) {
  if (StoreIfChanged(before_id_, value))
    Changed(TProperty::BeforeID);
}

void TCommandBarControl::SetAfterID(int value) {
  if (StoreIfChanged(after_id_, value))
    Changed(TProperty::AfterID);
}

void TCommandBarControl::SetOlExplorerItemTypes(TOLItemTypes value) {
  if (StoreIfChanged(ol_explorer_item_types_, value)) {
    Changed(TProperty::olExplorerItemTypes);
  }
}

void TCommandBarControl::SetOlInspectorItemTypes(TOLItemClasses value) {
  if (StoreIfChanged(ol_inspector_item_types_, value)) {
    Changed(TProperty::olInspectorItemTypes);
  }
}

void TCommandBarControl::SetOlItemTypeAction(TOLItemTypeAction value) {
  if (StoreIfChanged(ol_item_type_action_, value))
    Changed(TProperty::olItemTypeAction);
}

void TCommandBarControl::SetTag(int value) {
  if (StoreIfChanged(tag_, value))
    Changed(TProperty::Tag);
}

// TCommandBarButton

void TCommandBarButton::SetStyle(TMsoButtonStyle value) {
  if (StoreIfChanged(style_, value))
    Changed(TProperty::Style);
}

void TCommandBarButton::SetGlyph(TBitmap value) {
  // A picture is always sent again: the same bitmap may have been redrawn.
  glyph_ = std::move(value);
  Changed(TProperty::Glyph);
}

void TCommandBarButton::SetGlyphTransparentColor(TColor value) {
  if (StoreIfChanged(glyph_transparent_color_, value)) {
    Changed(TProperty::GlyphTransparentColor);
  }
}

void TCommandBarButton::SetFaceID(int value) {
  if (StoreIfChanged(face_id_, value))
    Changed(TProperty::FaceID);
}

void TCommandBarButton::SetShortcutText(std::string value) {
  if (StoreIfChanged(shortcut_text_, std::move(value)))
    Changed(TProperty::ShortcutText);
}

void TCommandBarButton::SetState(int value) {
  if (StoreIfChanged(state_, value))
    Changed(TProperty::State);
}

void TCommandBarButton::SetHyperlinkType(int value) {
  if (StoreIfChanged(hyperlink_type_, value))
    Changed(TProperty::HyperlinkType);
}

void TCommandBarButton::SetDisableStandardAction(bool value) {
  if (StoreIfChanged(disable_standard_action_, value)) {
    Changed(TProperty::DisableStandardAction);
  }
}

void TCommandBarButton::DoClick() {
  if (!OnClick || in_click_)
    return;
  TScopedFlag guard(in_click_);
  TCOMAddInModule* module = Module();
  if (module == nullptr) {
    OnClick(*this);
    return;
  }
  module->CallHandler([this] { OnClick(*this); });
}

}  // namespace quivra::framework
