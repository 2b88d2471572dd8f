#include "host/outlook/outlook.h"

namespace quivra::outlook {

std::string_view InterfaceName(ItemInterface interface_id) {
  switch (interface_id) {
    case ItemInterface::kMailItem:
      return "_MailItem";
    case ItemInterface::kMeetingItem:
      return "_MeetingItem";
    case ItemInterface::kReportItem:
      return "_ReportItem";
    case ItemInterface::kTaskRequestItem:
      return "_TaskRequestItem";
    case ItemInterface::kPostItem:
      return "_PostItem";
    case ItemInterface::kTaskRequestAcceptItem:
      return "_TaskRequestAcceptItem";
    case ItemInterface::kTaskRequestDeclineItem:
      return "_TaskRequestDeclineItem";
    case ItemInterface::kTaskRequestUpdateItem:
      return "_TaskRequestUpdateItem";
    case ItemInterface::kSharingItem:
      return "_SharingItem";
    case ItemInterface::kDocumentItem:
      return "_DocumentItem";
    case ItemInterface::kRemoteItem:
      return "_RemoteItem";
    case ItemInterface::kMobileItem:
      return "_MobileItem";
  }
  return "?";
}

}  // namespace quivra::outlook
