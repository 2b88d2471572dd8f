#ifndef QUIVRA_PLATFORM_WIN32_COM_IIDS_H_
#define QUIVRA_PLATFORM_WIN32_COM_IIDS_H_

#include <windows.h>

// The one home of the interface ids of Outlook and Office that the add-in, the Outlook stand-in
// and the Wine test programs query, answer and connect to, from the hosts' published type
// libraries. Interfaces of Windows itself come from the toolchain's headers.
namespace quivra::com {

// Outlook's and Office's automation interfaces all end in -0000-0000-C000-000000000046.
constexpr GUID AutomationGuid(unsigned long prefix) {
  return {prefix, 0x0000, 0x0000, {0xC0, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x46}};
}

// Outlook's interfaces.
inline constexpr GUID IID_Outlook_Application = AutomationGuid(0x00063001);
inline constexpr GUID IID_Outlook_NameSpace = AutomationGuid(0x00063002);
inline constexpr GUID IID_Outlook_Explorer = AutomationGuid(0x00063003);
inline constexpr GUID IID_Outlook_Inspector = AutomationGuid(0x00063005);
inline constexpr GUID IID_Outlook_MAPIFolder = AutomationGuid(0x00063006);
inline constexpr GUID IID_Outlook_Explorers = AutomationGuid(0x0006300A);
inline constexpr GUID IID_Outlook_Folders = AutomationGuid(0x00063040);
inline constexpr GUID IID_Outlook_Items = AutomationGuid(0x00063041);
inline constexpr GUID IID_Outlook_Selection = AutomationGuid(0x00063087);
inline constexpr GUID IID_Outlook_MailItem = AutomationGuid(0x00063034);
inline constexpr GUID IID_Outlook_MeetingItem = AutomationGuid(0x00063062);
inline constexpr GUID IID_Outlook_ReportItem = AutomationGuid(0x00063026);
inline constexpr GUID IID_Outlook_TaskRequestItem = AutomationGuid(0x00063036);
inline constexpr GUID IID_Outlook_PostItem = AutomationGuid(0x00063024);
inline constexpr GUID IID_Outlook_TaskRequestAcceptItem = AutomationGuid(0x00063038);
inline constexpr GUID IID_Outlook_TaskRequestDeclineItem = AutomationGuid(0x00063039);
inline constexpr GUID IID_Outlook_TaskRequestUpdateItem = AutomationGuid(0x00063037);
inline constexpr GUID IID_Outlook_SharingItem = AutomationGuid(0x0006302F);
inline constexpr GUID IID_Outlook_DocumentItem = AutomationGuid(0x00063020);
inline constexpr GUID IID_Outlook_RemoteItem = AutomationGuid(0x00063023);
inline constexpr GUID IID_Outlook_MobileItem = AutomationGuid(0x000630FE);
inline constexpr GUID IID_Outlook_ContactItem = AutomationGuid(0x00063021);
inline constexpr GUID IID_Outlook_AppointmentItem = AutomationGuid(0x00063033);
inline constexpr GUID IID_Outlook_Attachment = AutomationGuid(0x00063007);
inline constexpr GUID IID_Outlook_Store = AutomationGuid(0x000630C7);
inline constexpr GUID IID_Outlook_ConversationHeader = AutomationGuid(0x00063107);
inline constexpr GUID IID_Outlook_SimpleItems = AutomationGuid(0x00063102);

// Outlook's event dispinterfaces.
inline constexpr GUID DIID_ExplorerEvents_10 = AutomationGuid(0x0006300F);
inline constexpr GUID DIID_ExplorersEvents = AutomationGuid(0x00063078);
inline constexpr GUID DIID_ApplicationEvents_11 = AutomationGuid(0x0006302C);

// The add-in interfaces Office calls by vtable.
inline constexpr GUID IID_IDTExtensibility2 = {0xB65AD801,
                                               0xABAF,
                                               0x11D0,
                                               {0xBB, 0x8B, 0x00, 0xA0, 0xC9, 0x0F, 0x27, 0x44}};
inline constexpr GUID IID_IRibbonExtensibility = AutomationGuid(0x000C0396);
inline constexpr GUID IID_ICustomTaskPaneConsumer = AutomationGuid(0x000C033E);

// Office's interfaces the add-in is handed or reaches.
inline constexpr GUID IID_IRibbonControl = AutomationGuid(0x000C0395);
inline constexpr GUID IID_IRibbonUI = AutomationGuid(0x000C03A7);
inline constexpr GUID IID_COMAddIn = AutomationGuid(0x000C033A);
inline constexpr GUID IID_CommandBars = AutomationGuid(0x000C0302);
inline constexpr GUID IID_CommandBar = AutomationGuid(0x000C0304);
inline constexpr GUID IID_CommandBarControls = AutomationGuid(0x000C0306);
inline constexpr GUID IID_CommandBarControl = AutomationGuid(0x000C0308);

// Office's event dispinterface of a command bar button; Click is DISPID 1.
inline constexpr GUID DIID_CommandBarButtonEvents = AutomationGuid(0x000C0351);

}  // namespace quivra::com

#endif  // QUIVRA_PLATFORM_WIN32_COM_IIDS_H_
