#ifndef QUIVRA_DIALOGS_ABOUT_BOX_H_
#define QUIVRA_DIALOGS_ABOUT_BOX_H_

#include "platform/shell.h"
#include "platform/ui/button.h"
#include "platform/ui/form.h"
#include "platform/ui/html_label.h"
#include "platform/ui/static_controls.h"

namespace quivra::dialogs {

// The product's web site; its support page lies below it.
inline constexpr char kProductWebSite[] = "https://www.quivra.example/";

// The About box: product name, version, copyright line and a link to the web site.
class TFormAbout : public ui::Form {
 public:
  explicit TFormAbout(platform::Shell& shell);

  // Fills in the caption, version, copyright line and web site; runs once, when the window is
  // created.
  void FormCreate();
  // The link was clicked: the web site opens in the user's browser.
  void LabelUrlAnchorClick(const std::string& href);

  ui::Image Image1;
  ui::Label LabelTitle;
  ui::Label Label1;
  ui::Label LabelVersion;
  ui::HtmlLabel LabelUrl;
  ui::Label LabelCopyright;
  ui::Button Button1;

 private:
  platform::Shell& shell_;
};

}  // namespace quivra::dialogs

#endif  // QUIVRA_DIALOGS_ABOUT_BOX_H_
