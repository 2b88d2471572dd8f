#ifndef QUIVRA_HOST_OUTLOOK_COM_OUTLOOK_DISPIDS_H_
#define QUIVRA_HOST_OUTLOOK_COM_OUTLOOK_DISPIDS_H_

#include <windows.h>

#include <iterator>

#include "host/outlook/outlook.h"
#include "platform/win32/com/iids.h"

namespace quivra::outlook::com {

// DISPIDs of Outlook's events (the interfaces' ids are in platform/win32/com/iids.h).
constexpr DISPID kDispExplorerActivate = 0xF001;
constexpr DISPID kDispExplorerFolderSwitch = 0xF002;
constexpr DISPID kDispExplorerBeforeFolderSwitch = 0xF003;
constexpr DISPID kDispExplorerViewSwitch = 0xF004;
constexpr DISPID kDispExplorerBeforeViewSwitch = 0xF005;
constexpr DISPID kDispExplorerDeactivate = 0xF006;
constexpr DISPID kDispExplorerSelectionChange = 0xF007;
constexpr DISPID kDispExplorerClose = 0xF008;
constexpr DISPID kDispNewExplorer = 0xF001;
constexpr DISPID kDispApplicationQuit = 0xF007;

// The interface Outlook answers for an item of that kind.
inline const GUID& ItemInterfaceId(int interface_index) {
  using namespace quivra::com;
  static const GUID kIds[] = {IID_Outlook_MailItem,
                              IID_Outlook_MeetingItem,
                              IID_Outlook_ReportItem,
                              IID_Outlook_TaskRequestItem,
                              IID_Outlook_PostItem,
                              IID_Outlook_TaskRequestAcceptItem,
                              IID_Outlook_TaskRequestDeclineItem,
                              IID_Outlook_TaskRequestUpdateItem,
                              IID_Outlook_SharingItem,
                              IID_Outlook_DocumentItem,
                              IID_Outlook_RemoteItem,
                              IID_Outlook_MobileItem};
  static_assert(std::size(kIds) == kMessageInterfaces.size());
  return kIds[interface_index];
}

}  // namespace quivra::outlook::com

#endif  // QUIVRA_HOST_OUTLOOK_COM_OUTLOOK_DISPIDS_H_
