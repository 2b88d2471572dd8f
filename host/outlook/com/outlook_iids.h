#ifndef QUIVRA_HOST_OUTLOOK_COM_OUTLOOK_IIDS_H_
#define QUIVRA_HOST_OUTLOOK_COM_OUTLOOK_IIDS_H_

#include <windows.h>

namespace quivra::outlook::com {

// Outlook's interfaces and event interfaces, from its published type library. All end in
// -0000-0000-C000-000000000046.
constexpr GUID OutlookGuid(unsigned long prefix) {
  return {prefix, 0x0000, 0x0000, {0xC0, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x46}};
}

constexpr GUID IID_Outlook_Application = OutlookGuid(0x00063001);
constexpr GUID IID_Outlook_NameSpace = OutlookGuid(0x00063002);
constexpr GUID IID_Outlook_Explorer = OutlookGuid(0x00063003);
constexpr GUID IID_Outlook_Inspector = OutlookGuid(0x00063005);
constexpr GUID IID_Outlook_MAPIFolder = OutlookGuid(0x00063006);
constexpr GUID IID_Outlook_Explorers = OutlookGuid(0x0006300A);
constexpr GUID IID_Outlook_Folders = OutlookGuid(0x00063040);
constexpr GUID IID_Outlook_Items = OutlookGuid(0x00063041);
constexpr GUID IID_Outlook_Selection = OutlookGuid(0x00063087);
constexpr GUID IID_Outlook_MailItem = OutlookGuid(0x00063034);
constexpr GUID IID_Outlook_MeetingItem = OutlookGuid(0x00063062);
constexpr GUID IID_Outlook_ReportItem = OutlookGuid(0x00063026);
constexpr GUID IID_Outlook_TaskRequestItem = OutlookGuid(0x00063036);
constexpr GUID IID_Outlook_PostItem = OutlookGuid(0x00063024);
constexpr GUID IID_Outlook_ContactItem = OutlookGuid(0x00063021);
constexpr GUID IID_Outlook_AppointmentItem = OutlookGuid(0x00063033);

constexpr GUID DIID_ExplorerEvents_10 = OutlookGuid(0x0006300F);
constexpr GUID DIID_ExplorersEvents = OutlookGuid(0x00063078);
constexpr GUID DIID_ApplicationEvents_11 = OutlookGuid(0x0006302C);

// DISPIDs of the events.
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
  static const GUID kIds[] = {IID_Outlook_MailItem, IID_Outlook_MeetingItem,
                              IID_Outlook_ReportItem, IID_Outlook_TaskRequestItem,
                              IID_Outlook_PostItem};
  return kIds[interface_index];
}

}  // namespace quivra::outlook::com

#endif  // QUIVRA_HOST_OUTLOOK_COM_OUTLOOK_IIDS_H_
