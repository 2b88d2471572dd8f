// Every dialog with its captions made half as long again (as translations often are) and with
// the user's text made bigger: once shown, no text is wider or taller than its control, every
// control stays inside what holds it, and no control covers one it did not cover by design.
#include <functional>
#include <set>
#include <string>
#include <utility>
#include <vector>

#include "dialogs/about_box.h"
#include "dialogs/add_folder_form.h"
#include "dialogs/config_dialog.h"
#include "model/filing_history.h"
#include "model/filing_options.h"
#include "platform/ui/button.h"
#include "platform/ui/check_box.h"
#include "platform/ui/edit.h"
#include "platform/ui/html_label.h"
#include "platform/ui/text_fit.h"
#include "tests/dialogs/picker_fixture.h"

namespace quivra::dialogs {
namespace {

using ui::sim::SimUser;

std::string HalfAgain(const std::string& text) {
  return text + text.substr(0, (text.size() + 1) / 2);
}

// Every caption and HTML text of the form made 1.5 times as long.
void Lengthen(ui::Control& holder) {
  for (ui::Control* control : holder.Controls()) {
    if (auto* html = dynamic_cast<ui::HtmlLabel*>(control)) {
      std::vector<std::string> lines = html->HTMLText();
      if (!lines.empty()) {
        const std::string plain = html->PlainText();
        lines.back() += std::string(plain.size() / 2, 'x');
        html->SetHTMLText(std::move(lines));
      }
    } else if (!control->Caption().empty()) {
      control->SetCaption(HalfAgain(control->Caption()));
    }
    Lengthen(*control);
  }
}

bool Apart(const ui::Control& a, const ui::Control& b) {
  return a.Left() + a.Width() <= b.Left() || b.Left() + b.Width() <= a.Left() ||
         a.Top() + a.Height() <= b.Top() || b.Top() + b.Height() <= a.Top();
}

bool Interactive(const ui::Control& control) {
  return dynamic_cast<const ui::Button*>(&control) != nullptr ||
         dynamic_cast<const ui::CheckBox*>(&control) != nullptr ||
         dynamic_cast<const ui::Edit*>(&control) != nullptr;
}

using Pairs = std::set<std::pair<const ui::Control*, const ui::Control*>>;

// The pairs of visible controls of one holder that cover each other.
void Covering(const ui::Control& holder, Pairs& pairs) {
  const auto& controls = holder.Controls();
  for (size_t i = 0; i < controls.size(); ++i) {
    for (size_t j = i + 1; j < controls.size(); ++j) {
      if (controls[i]->Visible() && controls[j]->Visible() && !Apart(*controls[i], *controls[j])) {
        pairs.insert({controls[i], controls[j]});
      }
    }
    Covering(*controls[i], pairs);
  }
}

void ExpectFitted(const ui::Control& holder, ui::TextMeasure& measure, const Pairs& designed) {
  for (const ui::Control* control : holder.Controls()) {
    if (!control->Visible()) {
      continue;
    }
    SCOPED_TRACE(holder.Name() + "." + control->Name() + " \"" + control->Caption() + "\"");
    if (const auto box = ui::NeededBox(*control, measure)) {
      EXPECT_GE(control->Width(), box->width);
      EXPECT_GE(control->Height(), box->height);
    }
    EXPECT_GE(control->Left(), 0);
    EXPECT_GE(control->Top(), 0);
    EXPECT_LE(control->Left() + control->Width(), holder.Width());
    EXPECT_LE(control->Top() + control->Height(), holder.Height());
    ExpectFitted(*control, measure, designed);
  }
  Pairs now;
  Covering(holder, now);
  for (const auto& pair : now) {
    if (pair.first->Parent() == &holder) {
      EXPECT_TRUE(designed.contains(pair))
          << pair.first->Name() << " now covers " << pair.second->Name();
      // Controls the user clicks or types in never cover each other, whatever the design.
      EXPECT_FALSE(Interactive(*pair.first) && Interactive(*pair.second))
          << pair.first->Name() << " covers " << pair.second->Name();
    }
  }
}

// Shows `form` as its caller would (`show`, given the user's script), its texts lengthened once
// its own OnShow has set them, and checks it as the user sees it.
class TextFitTest : public PickerTest, public ::testing::WithParamInterface<int> {
 protected:
  void ExpectFitsWhenShown(ui::Form& form, const std::function<void(ui::sim::Script)>& show) {
    sim.ui.SetTextScale(GetParam());
    Pairs designed;
    std::function<void()> own_show = form.OnShow;
    form.OnShow = [&] {
      if (own_show) {
        own_show();
      }
      Lengthen(form);
      Covering(form, designed);
    };
    show([&](SimUser& user) {
      SCOPED_TRACE(form.Name() + " at " + std::to_string(GetParam()) + " %");
      ExpectFitted(form, sim.ui, designed);
      user.CloseBox();
    });
    form.OnShow = own_show;
  }
  void ShowModal(ui::Form& form, ui::sim::Script script) {
    sim.ui.Expect(std::move(script));
    sim.ui.ShowModal(form);
  }
};

TEST_P(TextFitTest, ThePickerWithItsFindBoxAndRecentList) {
  AddMru(world.inbox);
  AddMru(world.outlook.FolderAt("Mailbox\\Projects\\Alpha"));
  ExpectFitsWhenShown(picker, [&](ui::sim::Script script) { ShowAnyFolder(std::move(script)); });
}

TEST_P(TextFitTest, ThePickerInBrowseMode) {
  ExpectFitsWhenShown(picker, [&](ui::sim::Script script) { ShowBrowse(std::move(script)); });
}

TEST_P(TextFitTest, TheConfigurationDialogOnACommandBarAndARibbonHost) {
  for (const bool ribbon : {false, true}) {
    config.HostIsRibbonOutlook = ribbon;
    core::FilingHistory history{sim.platform()};
    core::MarkAsReadOption mark_as_read{sim.platform()};
    TfrmConfig dialog{config, picker, &history, &mark_as_read};
    ExpectFitsWhenShown(dialog,
                        [&](ui::sim::Script script) { ShowModal(dialog, std::move(script)); });
  }
}

TEST_P(TextFitTest, TheNewFolderDialogAndTheAboutBox) {
  TFormAddFolder add_folder;
  add_folder.ParentName = "Projects with a rather long name";
  ExpectFitsWhenShown(add_folder,
                      [&](ui::sim::Script script) { ShowModal(add_folder, std::move(script)); });
  TFormAbout about{sim.shell};
  ExpectFitsWhenShown(about, [&](ui::sim::Script script) { ShowModal(about, std::move(script)); });
}

INSTANTIATE_TEST_SUITE_P(TextSizes, TextFitTest, ::testing::Values(100, 150));

}  // namespace
}  // namespace quivra::dialogs
