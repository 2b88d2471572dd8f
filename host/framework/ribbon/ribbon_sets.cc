#include "host/framework/ribbon/ribbon_sets.h"

#include <iterator>

namespace quivra::framework {

namespace {

constexpr std::string_view kRibbonIds[] = {
    "Microsoft.Access.Database",
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
    "Microsoft.Outlook.Explorer",
};

constexpr std::string_view kRibbon2010Ids[] = {
    "Microsoft.Outlook.Explorer",      "Microsoft.OMS.SMS.Read",
    "Microsoft.OMS.SMS.Compose",       "Microsoft.OMS.MMS.Read",
    "Microsoft.OMS.MMS.Compose",       "Microsoft.InfoPath.Designer",
    "Microsoft.InfoPath.Editor",       "Microsoft.InfoPath.PrintPreview",
    "Microsoft.Publisher.Publication", "Microsoft.Project.Project",
    "Microsoft.Visio.Drawing",
};

static_assert(std::size(kRibbonIds) == static_cast<size_t>(TRibbon::msrOutlookExplorer) + 1);
static_assert(std::size(kRibbon2010Ids) ==
              static_cast<size_t>(TRibbon2010::msrVisioDrawing) + 1);

}  // namespace

std::string_view RibbonId(TRibbon ribbon) {
  return kRibbonIds[static_cast<int>(ribbon)];
}

std::string_view RibbonId(TRibbon2010 ribbon) {
  return kRibbon2010Ids[static_cast<int>(ribbon)];
}

}  // namespace quivra::framework
