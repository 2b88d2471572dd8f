// The ribbon components as Office meets them: the customUI text written for a ribbon id, the
// callbacks answered from the components through the simulated ribbon, clicks, and the
// invalidations that carry property changes to Office.
#include <functional>
#include <memory>
#include <optional>
#include <set>
#include <stdexcept>
#include <string>
#include <vector>

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "host/framework/module/addin.h"
#include "host/framework/ribbon/ribbon_connection.h"
#include "host/framework/ribbon/ribbon_custom_ui.h"
#include "host/framework/ribbon/ribbon_sets.h"
#include "host/office/sim/sim_office.h"
#include "host/office/sim/sim_ribbon.h"
#include "tests/support/simulated_world_test.h"

namespace quivra::framework {
namespace {

using ::testing::ElementsAre;
using ::testing::HasSubstr;
using ::testing::IsEmpty;
using ::testing::Not;

constexpr char kExplorer[] = "Microsoft.Outlook.Explorer";

office::RibbonControl Ctl(std::string id) {
  office::RibbonControl control;
  control.Id = std::move(id);
  return control;
}

TBitmap Filled(int size, std::uint32_t color, int bits = 32) {
  TBitmap bitmap;
  bitmap.Width = size;
  bitmap.Height = size;
  bitmap.BitsPerPixel = bits;
  bitmap.Pixels.assign(static_cast<size_t>(size * size), color);
  return bitmap;
}

// A module with a tab of its own (a group holding a split button with its menu, and a group of
// two buttons) and a group on the Home tab.
class RibbonModule : public TCOMAddInModule {
 public:
  explicit RibbonModule(platform::Platform& platform)
      : TCOMAddInModule(platform),
        own(CreateComponent<TRibbonTab>("ribbonTab1")),
        home(CreateComponent<TRibbonTab>("ribbonTab2")) {
    SetAddInName("QuivraOL");
    own.SetId("QuivraTab");
    own.SetCaption("Quivra");
    own.SetRibbons({TRibbon::msrOutlookExplorer});
    own.SetRibbons2010({TRibbon2010::msrOutlookExplorer2010});
    auto& configure = own.Controls().Add<TRibbonGroup>();
    configure.SetId("Configure");
    configure.SetCaption("Configure");
    split = &configure.Controls().Add<TRibbonSplitButton>();
    split->SetId("Main");
    split->SetCaption("Quivra");
    split->SetSize(TRibbonXControlSize::csLarge);
    split->SetGlyph(Filled(32, 0xFF336699));
    auto& menu = split->Controls().Add<TRibbonMenu>();
    menu.SetId("MainMenu");
    about = &menu.Controls().Add<TRibbonButton>();
    about->SetId("About");
    about->SetCaption("About");
    auto& filing = own.Controls().Add<TRibbonGroup>();
    filing.SetId("Filing");
    filing.SetCaption("Filing Buttons");
    first = &filing.Controls().Add<TRibbonButton>();
    first->SetId("File1");
    first->SetCaption("Projects");
    first->SetScreenTip("Mailbox\\Projects (Alt+1)");
    first->SetTag(1);
    first->SetGlyph(Filled(16, 0xFFFF00FF));
    second = &filing.Controls().Add<TRibbonButton>();
    second->SetId("File2");
    second->SetCaption("Alpha");

    home.SetIdMso("TabMail");
    home.SetRibbons({TRibbon::msrOutlookExplorer});
    home.SetRibbons2010({TRibbon2010::msrOutlookExplorer2010});
    home_group = &home.Controls().Add<TRibbonGroup>();
    home_group->SetId("HomeFiling");
    home_group->SetInsertAfterIdMso("GroupMoveActions");
    home_group->SetGlyph(Filled(16, 0xFF00FF00));
  }

  TRibbonTab& own;
  TRibbonTab& home;
  TRibbonSplitButton* split = nullptr;
  TRibbonButton* about = nullptr;
  TRibbonButton* first = nullptr;
  TRibbonButton* second = nullptr;
  TRibbonGroup* home_group = nullptr;
};

class RibbonConnectionTest : public test::SimulatedWorldTest {
 protected:
  RibbonConnectionTest()
      : addin_(sim.platform(), "OLQuivra.coOLQuivra", [this](const outlook::ApplicationPtr&) {
          auto module = std::make_unique<RibbonModule>(sim.platform());
          module_ = module.get();
          return module;
        }) {
    world.outlook.SetVersion(test::kOutlook2010.version);
    addin_.OnConnection(world.outlook.application(), ext_cm_Startup, nullptr, nullptr);
    addin_.OnStartupComplete();
  }

  std::shared_ptr<office::sim::SimRibbon> Load(const char* ribbon_id = kExplorer) {
    return office::sim::SimRibbon::Load(addin_, ribbon_id);
  }

  RibbonModule* module_ = nullptr;
  TAddin addin_;
};

TEST(RibbonXmlWriterTest, WritesLinesTabsAndEmptyElements) {
  TXMLHelper xml;
  xml.OpenElement("customUI");
  xml.AddAttribute("onLoad", "RibbonLoaded_Callback");
  xml.OpenElement("ribbon");
  xml.EmptyElement("button", {{"id", "A\"<&>"}, {"getLabel", "GetLabel_Callback"}});
  xml.CloseElement("ribbon");
  xml.CloseElement("customUI");
  EXPECT_EQ(xml.Text(),
            "<customUI onLoad=\"RibbonLoaded_Callback\">\r\n"
            "\t<ribbon>\r\n"
            "\t\t<button id=\"A&quot;&lt;&amp;&gt;\" getLabel=\"GetLabel_Callback\" />\r\n"
            "\t</ribbon>\r\n"
            "</customUI>");
}

TEST(RibbonAppliesToTest, EveryRibbonHasTheIdOfficeGivesIt) {
  // Office names each window kind's ribbon by these ids, letter case included.
  const char* const ids[] = {"Microsoft.Access.Database",
                             "Microsoft.Excel.Workbook",
                             "Microsoft.PowerPoint.Presentation",
                             "Microsoft.Word.Document",
                             "Microsoft.Outlook.Mail.Read",
                             "Microsoft.Outlook.Mail.Compose",
                             "Microsoft.Outlook.MeetingRequest.Read",
                             "Microsoft.Outlook.MeetingRequest.Send",
                             "Microsoft.Outlook.Appointment",
                             "Microsoft.Outlook.Contact",
                             "Microsoft.Outlook.Journal",
                             "Microsoft.Outlook.Task",
                             "Microsoft.Outlook.DistributionList",
                             "Microsoft.Outlook.Report",
                             "Microsoft.Outlook.Resend",
                             "Microsoft.Outlook.Response.Read",
                             "Microsoft.Outlook.Response.Compose",
                             "Microsoft.Outlook.Response.CounterPropose",
                             "Microsoft.Outlook.RSS",
                             "Microsoft.Outlook.Post.Read",
                             "Microsoft.Outlook.Post.Compose",
                             "Microsoft.Outlook.Sharing.Read",
                             "Microsoft.Outlook.Sharing.Compose",
                             "Microsoft.Outlook.Explorer"};
  for (int i = 0; i <= static_cast<int>(TRibbon::msrOutlookExplorer); ++i) {
    EXPECT_EQ(RibbonId(static_cast<TRibbon>(i)), ids[i]);
  }
  const char* const ids_2010[] = {
      "Microsoft.Outlook.Explorer",      "Microsoft.OMS.SMS.Read",
      "Microsoft.OMS.SMS.Compose",       "Microsoft.OMS.MMS.Read",
      "Microsoft.OMS.MMS.Compose",       "Microsoft.InfoPath.Designer",
      "Microsoft.InfoPath.Editor",       "Microsoft.InfoPath.PrintPreview",
      "Microsoft.Publisher.Publication", "Microsoft.Project.Project",
      "Microsoft.Visio.Drawing"};
  for (int i = 0; i <= static_cast<int>(TRibbon2010::msrVisioDrawing); ++i) {
    EXPECT_EQ(RibbonId(static_cast<TRibbon2010>(i)), ids_2010[i]);
  }
}

TEST(RibbonAppliesToTest, RibbonIdsAndOutlookBits) {
  const TRibbons explorer{TRibbon::msrOutlookExplorer};
  EXPECT_TRUE(AppliesTo(kExplorer, explorer, {}));
  EXPECT_TRUE(AppliesTo(kExplorer, {}, {TRibbon2010::msrOutlookExplorer2010}));
  EXPECT_FALSE(AppliesTo("Microsoft.Outlook.Mail.Read", explorer, {}));
  EXPECT_FALSE(AppliesTo("DynamicMenu", {}, {}));
  EXPECT_TRUE(AppliesTo("DynamicMenu", explorer, {}));
  EXPECT_TRUE(AppliesTo("Microsoft.OMS.SMS", {}, {TRibbon2010::msrOMSSMSCompose}));
  EXPECT_FALSE(AppliesToOutlook({TRibbon::msrWordDocument}, {}));
  EXPECT_TRUE(AppliesToOutlook({TRibbon::msrOutlookMailRead}, {}));
}

TEST_F(RibbonConnectionTest, CustomUIForTheExplorer) {
  const std::string xml = addin_.GetCustomUI(kExplorer);
  EXPECT_EQ(xml, addin_.GetCustomUI(kExplorer));
  EXPECT_THAT(xml, testing::StartsWith(
                       "<customUI xmlns=\"http://schemas.microsoft.com/office/2006/01/customui\" "
                       "onLoad=\"RibbonLoaded_Callback\" loadImage=\"GetImages_Callback\">\r\n"
                       "\t<ribbon>\r\n\t\t<tabs>\r\n"
                       "\t\t\t<tab getVisible=\"GetVisible_Callback\" id=\"QuivraTab\" "
                       "getKeytip=\"GetKeyTip_Callback\" getLabel=\"GetLabel_Callback\">\r\n"
                       "\t\t\t\t<group getVisible=\"GetVisible_Callback\" id=\"Configure\" "
                       "getKeytip="));
  // The split button: no getVisible on its inner button, the inner button carries the image
  // and the action; the menu inside it has neither supertip nor getSize.
  EXPECT_THAT(xml, HasSubstr("<splitButton id=\"Main\" getShowLabel=\"GetShowLabel_Callback\" "
                             "getEnabled=\"GetEnabled_Callback\" getKeytip=\"GetKeyTip_Callback\" "
                             "getSize=\"GetSize_Callback\" getVisible=\"GetVisible_Callback\">"));
  EXPECT_THAT(xml, HasSubstr("<button id=\"Mainwrapped\" getImage=\"GetImage_Callback\" "
                             "getLabel=\"GetLabel_Callback\" getSupertip=\"GetSuperTip_Callback\" "
                             "getScreentip=\"GetScreenTip_Callback\" "
                             "getShowImage=\"GetShowImage_Callback\" "
                             "getDescription=\"GetDescription_Callback\" "
                             "onAction=\"OnActionCommon_Callback\" />"));
  EXPECT_THAT(xml, HasSubstr("<menu id=\"MainMenu\" itemSize=\"normal\" "
                             "getShowLabel=\"GetShowLabel_Callback\" "
                             "getShowImage=\"GetShowImage_Callback\" "
                             "getEnabled=\"GetEnabled_Callback\" "
                             "getDescription=\"GetDescription_Callback\" "
                             "getKeytip=\"GetKeyTip_Callback\" getLabel=\"GetLabel_Callback\" "
                             "getScreentip=\"GetScreenTip_Callback\" "
                             "getVisible=\"GetVisible_Callback\">"));
  // A menu item has no getSize; a group's button has.
  EXPECT_THAT(xml, HasSubstr("<button id=\"About\" getKeytip"));
  EXPECT_THAT(xml,
              Not(HasSubstr("id=\"About\" getKeytip=\"GetKeyTip_Callback\" "
                            "getLabel=\"GetLabel_Callback\" getSupertip=\"GetSuperTip_Callback\" "
                            "getScreentip=\"GetScreenTip_Callback\" "
                            "getShowLabel=\"GetShowLabel_Callback\" "
                            "getShowImage=\"GetShowImage_Callback\" "
                            "getEnabled=\"GetEnabled_Callback\" "
                            "onAction=\"OnActionCommon_Callback\" "
                            "getDescription=\"GetDescription_Callback\" getSize")));
  EXPECT_THAT(xml, HasSubstr("onAction=\"OnActionCommon_Callback\" "
                             "getDescription=\"GetDescription_Callback\" "
                             "getSize=\"GetSize_Callback\" getVisible=\"GetVisible_Callback\" />"));
  // Groups without a picture get no getImage; the Home-tab group has one and its position.
  EXPECT_THAT(xml, HasSubstr("<group getVisible=\"GetVisible_Callback\" id=\"Filing\" "
                             "getKeytip="));
  EXPECT_THAT(xml,
              HasSubstr("<tab getVisible=\"GetVisible_Callback\" idMso=\"TabMail\">\r\n"
                        "\t\t\t\t<group getVisible=\"GetVisible_Callback\" id=\"HomeFiling\" "
                        "insertAfterMso=\"GroupMoveActions\" getImage=\"GetImage_Callback\" "));
  // The empty Home group is written as an empty element.
  EXPECT_THAT(xml, HasSubstr("getScreentip=\"GetScreenTip_Callback\" />\r\n\t\t\t</tab>"));
  EXPECT_THAT(xml, testing::EndsWith("\t\t</tabs>\r\n\t</ribbon>\r\n</customUI>"));
}

TEST_F(RibbonConnectionTest, InspectorRibbonGetsAnEmptyRibbonAndTheIndexKeepsOutlookControls) {
  EXPECT_EQ(addin_.GetCustomUI("Microsoft.Outlook.Mail.Read"),
            "<customUI xmlns=\"http://schemas.microsoft.com/office/2006/01/customui\" "
            "onLoad=\"RibbonLoaded_Callback\" loadImage=\"GetImages_Callback\">\r\n"
            "\t<ribbon>\r\n\t</ribbon>\r\n</customUI>");
  // A control of no Outlook ribbon leaves the index when Outlook asks for a ribbon.
  module_->second->SetRibbons({TRibbon::msrWordDocument});
  module_->second->SetRibbons2010({});
  addin_.GetCustomUI(kExplorer);
  EXPECT_EQ(std::get<std::string>(addin_.RibbonCallback("GetLabel_Callback", Ctl("File2"), {})),
            "");
  EXPECT_EQ(std::get<std::string>(addin_.RibbonCallback("GetLabel_Callback", Ctl("file1"), {})),
            "Projects");
}

TEST_F(RibbonConnectionTest, CallbacksFindTheFirstControlOfAnIdWhateverItsCase) {
  // Two controls whose ids differ only in case: Office's callbacks reach the first one made.
  module_->second->SetId("FILE1");
  addin_.GetCustomUI(kExplorer);
  for (const char* id : {"File1", "FILE1", "file1"}) {
    EXPECT_EQ(std::get<std::string>(addin_.RibbonCallback("GetLabel_Callback", Ctl(id), {})),
              "Projects")
        << id;
  }
  // The split button's inner button and the built-in tab by its idMso, in any case.
  EXPECT_EQ(
      std::get<std::string>(addin_.RibbonCallback("GetLabel_Callback", Ctl("MAINwrapped"), {})),
      "Quivra");
  EXPECT_TRUE(std::get<bool>(addin_.RibbonCallback("GetVisible_Callback", Ctl("tabmail"), {})));
  EXPECT_EQ(std::get<std::string>(addin_.RibbonCallback("GetLabel_Callback", Ctl("File9"), {})),
            "");
}

TEST_F(RibbonConnectionTest, TheRibbonShowsTheComponentsValues) {
  auto ribbon = Load();
  EXPECT_EQ(ribbon->Text(),
            "tab \"Quivra\"\n"
            "  group \"Configure\"\n"
            "    splitButton \"\"\n"
            "      button \"Quivra\" image\n"
            "      menu \"\"\n"
            "        button \"About\"\n"
            "  group \"Filing Buttons\"\n"
            "    button \"Projects\" tip=\"Mailbox\\Projects (Alt+1)\" image\n"
            "    button \"Alpha\"\n"
            "tab TabMail\n"
            "  group \"\" image\n");
  EXPECT_EQ(ribbon->Find("Main")->Size, 1);
  EXPECT_FALSE(ribbon->Find("File2")->ShowImage);
  EXPECT_TRUE(ribbon->Find("File1")->ShowImage);
  // An id Office does not know answers the defaults.
  EXPECT_EQ(addin_.RibbonCallback("GetVisible_Callback", Ctl("Nothing"), {}),
            office::RibbonValue(true));
  EXPECT_EQ(addin_.RibbonCallback("GetImage_Callback", Ctl("Nothing"), {}), office::RibbonValue());
  EXPECT_THROW(addin_.RibbonCallback("NoSuch_Callback", Ctl("File1"), {}), office::OfficeError);
}

TEST_F(RibbonConnectionTest, TheRibbonTextAfterStartUpAsksOutlookNothing) {
  // Start-up learnt the version; the text for each window comes without asking again.
  world.outlook.ResetCallCounts();
  EXPECT_FALSE(addin_.GetCustomUI(kExplorer).empty());
  EXPECT_EQ(world.outlook.CallCount("Application.Version"), 0);
}

TEST_F(RibbonConnectionTest, AnUnknownCallbackIsRefusedAsAnUnknownNameSayingWhich) {
  // Office hears "member not found" with the name, for the load callback as for the others.
  const auto refusal = [](const std::function<void()>& call) {
    try {
      call();
    } catch (const office::OfficeError& error) {
      return std::to_string(static_cast<std::uint32_t>(error.code())) + " " + error.what();
    }
    return std::string("accepted");
  };
  const std::string code = std::to_string(0x80020003u);
  EXPECT_EQ(refusal([&] { addin_.RibbonCallback("NoSuch_Callback", Ctl("File1"), {}); }),
            code + " Unknown name: NoSuch_Callback");
  EXPECT_EQ(refusal([&] { addin_.RibbonCallback("RibbonLoaded_Callback", Ctl("File1"), {}); }),
            code + " Unknown name: RibbonLoaded_Callback");
  EXPECT_EQ(refusal([&] { addin_.RibbonLoad("GetLabel_Callback", nullptr); }),
            code + " Unknown name: GetLabel_Callback");
}

TEST_F(RibbonConnectionTest, ChangesBeforeOnLoadAreKeptAndLaterOnesInvalidate) {
  module_->second->SetVisible(false);
  auto ribbon = Load();
  EXPECT_FALSE(ribbon->Shown("File2"));
  EXPECT_THAT(ribbon->invalidations(), IsEmpty());

  module_->second->SetVisible(true);
  module_->first->SetEnabled(false);
  module_->first->SetEnabled(false);
  module_->first->SetTag(5);
  module_->split->SetCaption("Quivra!");
  // A tab's caption reaches Office only when the ribbon is built again.
  module_->own.SetCaption("Other");
  module_->home_group->SetGlyph(Filled(16, 0xFF00FF00));
  EXPECT_THAT(ribbon->invalidations(),
              ElementsAre("File2", "File1", "Main", "Mainwrapped", "HomeFiling"));
  EXPECT_TRUE(ribbon->Shown("File2"));
  EXPECT_FALSE(ribbon->Find("File1")->Enabled);
  EXPECT_EQ(ribbon->Find("Mainwrapped")->Label, "Quivra!");
  EXPECT_EQ(ribbon->Find("QuivraTab")->Label, "Quivra");

  // An Office that fails to take the invalidation does not stop the add-in's work.
  ribbon->FailInvalidate(true);
  EXPECT_NO_THROW(module_->first->SetEnabled(true));
  EXPECT_TRUE(module_->first->Enabled());
}

// Office may draw the ribbon before start-up completes (Outlook 2010 and later): what start-up
// changes reaches it once per control, when start-up ends.
class RibbonStartUpTest : public test::SimulatedWorldTest {
 protected:
  RibbonStartUpTest()
      : addin_(sim.platform(), "OLQuivra.coOLQuivra", [this](const outlook::ApplicationPtr&) {
          auto module = std::make_unique<RibbonModule>(sim.platform());
          module_ = module.get();
          return module;
        }) {
    world.outlook.SetVersion(test::kOutlook2010.version);
    addin_.OnConnection(world.outlook.application(), ext_cm_Startup, nullptr, nullptr);
    ribbon_ = office::sim::SimRibbon::Load(addin_, kExplorer);
  }

  RibbonModule* module_ = nullptr;
  TAddin addin_;
  std::shared_ptr<office::sim::SimRibbon> ribbon_;
};

TEST_F(RibbonStartUpTest, ChangesDuringStartUpInvalidateEachControlOnceWhenItEnds) {
  size_t during = 0;
  module_->OnAddInStartupComplete = [&](TCOMAddInModule&) {
    module_->first->SetCaption("Beta");
    module_->split->SetCaption("Quivra!");
    module_->first->SetEnabled(false);
    module_->second->SetVisible(false);
    module_->first->SetScreenTip("Mailbox\\Beta (Alt+1)");
    during = ribbon_->invalidations().size();
  };
  addin_.OnStartupComplete();
  EXPECT_EQ(during, 0u);
  EXPECT_THAT(ribbon_->invalidations(), ElementsAre("File1", "Main", "Mainwrapped", "File2"));
  EXPECT_EQ(ribbon_->Find("File1")->Label, "Beta");
  EXPECT_FALSE(ribbon_->Find("File1")->Enabled);
  EXPECT_FALSE(ribbon_->Shown("File2"));
  EXPECT_EQ(ribbon_->Find("Mainwrapped")->Label, "Quivra!");

  // After start-up every change is sent at once.
  module_->second->SetVisible(true);
  EXPECT_THAT(ribbon_->invalidations(),
              ElementsAre("File1", "Main", "Mainwrapped", "File2", "File2"));
  EXPECT_TRUE(ribbon_->Shown("File2"));
}

TEST_F(RibbonStartUpTest, AChangeThatNeedsTheWholeRibbonReplacesTheControlsOnes) {
  module_->OnAddInStartupComplete = [&](TCOMAddInModule&) {
    module_->first->SetCaption("Beta");
    module_->home.SetKeyTip("Q");  // a built-in tab: Office rebuilds the whole ribbon
    module_->second->SetCaption("Gamma");
  };
  addin_.OnStartupComplete();
  EXPECT_THAT(ribbon_->invalidations(), ElementsAre("*"));
  EXPECT_EQ(ribbon_->Find("File2")->Label, "Gamma");
}

TEST_F(RibbonConnectionTest, ClicksReachOnClickAndTheInnerButtonIsTheSplitButton) {
  std::vector<std::string> clicks;
  auto record = [&](TRibbonCustomControl& sender, const TRibbonControlInfo& control) {
    clicks.push_back(sender.Caption() + " via " + control.Id + " tag " +
                     std::to_string(sender.Tag()));
  };
  module_->first->OnClick = record;
  module_->split->OnClick = record;
  module_->about->OnClick = [&](TRibbonCustomControl&, const TRibbonControlInfo&) {
    throw std::runtime_error("About failed");
  };
  auto ribbon = Load();
  EXPECT_TRUE(ribbon->Click("File1"));
  EXPECT_TRUE(ribbon->Click("Mainwrapped"));
  EXPECT_TRUE(ribbon->Click("About"));
  module_->first->SetEnabled(false);
  EXPECT_FALSE(ribbon->Click("File1"));
  EXPECT_THAT(clicks, ElementsAre("Projects via File1 tag 1", "Quivra via Mainwrapped tag 0"));
  // The failing handler went to the error report; the add-in goes on.
  ASSERT_EQ(sim.message_boxes.shown().size(), 1u);
  EXPECT_THAT(sim.message_boxes.shown()[0].text, HasSubstr("About failed"));
}

TEST_F(RibbonConnectionTest, PropertyChangingHandlersMayChangeTheAnswer) {
  module_->second->OnPropertyChanging = [](TRibbonCustomControl&, TRibbonPropertyType type,
                                           TRibbonPropertyValue& value,
                                           const TRibbonControlInfo&) {
    if (type == TRibbonPropertyType::rcptCaption)
      value = std::string("Changed");
    if (type == TRibbonPropertyType::rcptEnabled)
      throw std::runtime_error("Handler failed");
  };
  auto ribbon = Load();
  EXPECT_EQ(ribbon->Find("File2")->Label, "Changed");
  EXPECT_TRUE(ribbon->Find("File2")->Enabled);
  EXPECT_EQ(sim.message_boxes.shown().size(), 1u);
}

TEST_F(RibbonConnectionTest, OnLoadRaisesOnRibbonLoadedWithTheRibbonUI) {
  office::RibbonUIPtr loaded;
  module_->OnRibbonLoaded = [&](TCOMAddInModule&, const office::RibbonUIPtr& ribbon) {
    loaded = ribbon;
  };
  auto ribbon = Load();
  EXPECT_EQ(loaded, ribbon);
  EXPECT_EQ(addin_.Ribbon()->RibbonUI(), ribbon);
}

TEST_F(RibbonConnectionTest, ToggleButtonsKeepTheirPressedState) {
  module_->second->SetToggleButton(true);
  std::vector<bool> pressed;
  module_->second->OnClick = [&](TRibbonCustomControl& sender, const TRibbonControlInfo&) {
    pressed.push_back(sender.Pressed());
  };
  auto ribbon = Load();
  const office::sim::SimRibbonControl* toggle = ribbon->Find("File2");
  ASSERT_NE(toggle, nullptr);
  EXPECT_EQ(toggle->Element, "toggleButton");
  EXPECT_EQ(toggle->Attribute("onAction"), "OnActionState_Callback");
  EXPECT_TRUE(ribbon->Click("File2"));
  EXPECT_TRUE(ribbon->Find("File2")->Pressed);
  EXPECT_TRUE(ribbon->Click("File2"));
  EXPECT_THAT(pressed, ElementsAre(true, false));
}

TEST_F(RibbonConnectionTest, GroupsThatScaleNeedThe2009NamespaceFromOutlook2010On) {
  auto& filing = module_->own.Controls().Item<TRibbonGroup>(1);
  filing.SetAutoScale(true);
  const std::string xml = WriteCustomUI(*module_, kExplorer, 14);
  EXPECT_THAT(xml, HasSubstr(std::string("xmlns=\"") + std::string(kCustomUINamespace2009)));
  EXPECT_THAT(xml, HasSubstr(" autoScale=\"true\""));
  const std::string outlook2007 = WriteCustomUI(*module_, kExplorer, 12);
  EXPECT_THAT(outlook2007,
              HasSubstr(std::string("xmlns=\"") + std::string(kCustomUINamespace2006)));
  EXPECT_THAT(outlook2007, Not(HasSubstr("autoScale")));
}

TEST(RibbonPictureTest, CornerColourBecomesTransparent) {
  TBitmap glyph = Filled(4, 0x00FF00FF, 24);
  glyph.Pixels[5] = 0x00123456;
  const office::RibbonPicture picture = RibbonPictureOf(glyph, true);
  ASSERT_EQ(picture.Pixels.size(), 16u);
  EXPECT_EQ(picture.Pixels[0], 0x00FF00FFu);
  EXPECT_EQ(picture.Pixels[5], 0xFF123456u);
  EXPECT_EQ(RibbonPictureOf(glyph, false).Pixels[0], 0xFFFF00FFu);
  // A bitmap whose pixels fall short of its size gives no picture rather than reading past it.
  glyph.Pixels.resize(3);
  EXPECT_EQ(RibbonPictureOf(glyph, true).Width, 0);
}

TEST(RibbonCallbackNamesTest, EveryNameHasADispIdOfItsOwnThatLeadsBackToIt) {
  // Office asks for the number of a name, then calls by that number: two names sharing one
  // would have the one callback answer for the other.
  const char* const names[] = {"RibbonLoaded_Callback",
                               "GetImages_Callback",
                               "GetVisible_Callback",
                               "GetKeyTip_Callback",
                               "GetLabel_Callback",
                               "GetEnabled_Callback",
                               "GetPressed_Callback",
                               "GetImage_Callback",
                               "GetSuperTip_Callback",
                               "GetScreenTip_Callback",
                               "GetSize_Callback",
                               "GetShowLabel_Callback",
                               "GetShowImage_Callback",
                               "GetDescription_Callback",
                               "GetText_Callback",
                               "GetItemCount_Callback",
                               "GetItemID_Callback",
                               "GetItemImage_Callback",
                               "GetItemLabel_Callback",
                               "GetItemScreenTip_Callback",
                               "GetItemSuperTip_Callback",
                               "GetShowItemImage_Callback",
                               "GetSelectedItemIndex_Callback",
                               "GetSelectedItemId_Callback",
                               "GetItemHeight_Callback",
                               "GetItemWidth_Callback",
                               "GetContent_Callback",
                               "GetTitle_Callback",
                               "OnActionCommon_Callback",
                               "OnActionCommonRepurposed_Callback",
                               "OnActionState_Callback",
                               "OnActionStateRepurposed_Callback",
                               "OnActionSelected_Callback",
                               "OnChange_Callback",
                               "OnBackstageShow_Callback",
                               "OnBackstageHide_Callback",
                               "GetTarget_Callback",
                               "GetAltText_Callback",
                               "GetHelperText_Callback",
                               "GetStyle_Callback"};
  std::set<int> dispids;
  for (const char* name : names) {
    const std::optional<int> dispid = RibbonCallbackDispId(name);
    ASSERT_TRUE(dispid.has_value()) << name;
    EXPECT_EQ(RibbonCallbackName(*dispid), name);
    dispids.insert(*dispid);
  }
  EXPECT_EQ(dispids.size(), std::size(names));
}

TEST(RibbonCallbackNamesTest, NamesAndDispIds) {
  EXPECT_EQ(RibbonCallbackDispId("GetLabel_Callback"), 14);
  EXPECT_EQ(RibbonCallbackDispId("OnActionCommon_Callback"), 50);
  EXPECT_EQ(RibbonCallbackDispId("getlabel_callback"), std::nullopt);
  EXPECT_EQ(RibbonCallbackName(20), "GetScreenTip_Callback");
  EXPECT_EQ(RibbonCallbackName(18), "");
}

}  // namespace
}  // namespace quivra::framework
