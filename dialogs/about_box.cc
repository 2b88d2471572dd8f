#include "dialogs/about_box.h"

#include <string>
#include <vector>

#include "product_version.h"

namespace quivra::dialogs {

namespace {

constexpr char kProductName[] = "Quivra";
constexpr char kVersion[] = "Version " QUIVRA_VERSION_TEXT " Bld " QUIVRA_BUILD_TEXT;
constexpr char kCopyright[] = "Copyright \xC2\xA9 2013 Quivra. All rights reserved.";
// Where the designed texts take the product name or the web site.
constexpr char kPlaceholder[] = "%0:s";

// `pattern` with its placeholder replaced by `value`; a text without one stays as it is.
std::string FormatText(const std::string& pattern, const std::string& value) {
  std::string text = pattern;
  const size_t at = text.find(kPlaceholder);
  if (at != std::string::npos) {
    text.replace(at, sizeof(kPlaceholder) - 1, value);
  }
  return text;
}

}  // namespace

TFormAbout::TFormAbout(platform::Shell& shell)
    : ui::Form("FormAbout"),
      Image1(this, "Image1", {12, 8, 378, 48}),
      LabelTitle(this, "LabelTitle", {172, 68, 217, 30}),
      Label1(this, "Label1", {292, 100, 97, 33}),
      LabelVersion(this, "LabelVersion", {68, 148, 249, 13}),
      LabelUrl(this, "LabelUrl", {68, 223, 305, 17}),
      LabelCopyright(this, "LabelCopyright", {68, 256, 250, 15}),
      Button1(this, "Button1", {184, 295, 67, 25}),
      shell_(shell) {
  SetCaption("About %0:s");
  SetClientSize(402, 331);
  SetBorderStyle(ui::BorderStyle::kDialog);
  SetPosition(ui::FormPosition::kMainFormCenter);
  SetColor(ui::FormColor::kWindow);
  SetFont({"Tahoma", 8, false});

  Image1.SetPictureName("BANNER");
  Image1.SetAccessibleName("Quivra");
  LabelTitle.SetCaption(kProductName);
  LabelTitle.SetFont({"Arial", 19, true});  // 25 pixels high
  Label1.SetCaption("for Outlook");
  Label1.SetFont({"Arial", 14, false});  // 19 pixels high
  LabelVersion.SetCaption("Unknown version");
  LabelVersion.SetFont({"Tahoma", 8, true});
  LabelUrl.SetHTMLText({"Visit our website at <A href=\"home\">%0:s</A>"});
  LabelUrl.OnAnchorClick = [this](const std::string& href) { LabelUrlAnchorClick(href); };
  Button1.SetCaption("OK");
  Button1.SetDefault(true);
  Button1.SetCancel(true);
  Button1.SetModalResult(ui::ModalResult::kOk);
  // The box opens with OK focused, so that Enter closes it as before; Tab goes on to the link.
  OnShow = [this] { Button1.SetFocus(); };

  FormCreate();
}

void TFormAbout::FormCreate() {
  SetCaption(FormatText(Caption(), kProductName));
  LabelVersion.SetCaption(kVersion);
  LabelCopyright.SetCaption(kCopyright);
  std::vector<std::string> lines = LabelUrl.HTMLText();
  for (std::string& line : lines) {
    line = FormatText(line, kProductWebSite);
  }
  LabelUrl.SetHTMLText(std::move(lines));
}

void TFormAbout::LabelUrlAnchorClick(const std::string&) {
  // The link's own target is a placeholder: the site is always the product's. A browser that
  // does not start is not worth a message.
  shell_.Open(kProductWebSite);
}

}  // namespace quivra::dialogs
