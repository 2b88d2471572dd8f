#ifndef QUIVRA_HOST_FRAMEWORK_RIBBON_RIBBON_SETS_H_
#define QUIVRA_HOST_FRAMEWORK_RIBBON_RIBBON_SETS_H_

#include <string_view>

#include "host/framework/module/enum_set.h"

namespace quivra::framework {

// The Office ribbons of Office 2007 a ribbon tab or control can belong to, in bit order.
enum class TRibbon {
  msrAccessDatabase,
  msrExcelWorkbook,
  msrPowerPointPresentation,
  msrWordDocument,
  msrOutlookMailRead,
  msrOutlookMailCompose,
  msrOutlookMeetingRequestRead,
  msrOutlookMeetingRequestSend,
  msrOutlookAppointment,
  msrOutlookContact,
  msrOutlookJournal,
  msrOutlookTask,
  msrOutlookDistributionList,
  msrOutlookReport,
  msrOutlookResend,
  msrOutlookResponseRead,
  msrOutlookResponseCompose,
  msrOutlookResponseCounterPropose,
  msrOutlookRSS,
  msrOutlookPostRead,
  msrOutlookPostCompose,
  msrOutlookSharingRead,
  msrOutlookSharingCompose,
  msrOutlookExplorer,
};
using TRibbons = TEnumSet<TRibbon>;

// The ribbons added by Office 2010, in bit order.
enum class TRibbon2010 {
  msrOutlookExplorer2010,
  msrOMSSMSRead,
  msrOMSSMSCompose,
  msrOMSMMSRead,
  msrOMSMMSCompose,
  msrInfoPathDesigner,
  msrInfoPathEditor,
  msrInfoPathPrintPreview,
  msrPublisherPublication,
  msrProjectProject,
  msrVisioDrawing,
};
using TRibbons2010 = TEnumSet<TRibbon2010>;

// The id by which Office asks for the ribbon: "Microsoft.Outlook.Explorer" and the like.
std::string_view RibbonId(TRibbon ribbon);
std::string_view RibbonId(TRibbon2010 ribbon);

}  // namespace quivra::framework

#endif  // QUIVRA_HOST_FRAMEWORK_RIBBON_RIBBON_SETS_H_
