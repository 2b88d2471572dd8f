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
  }
  return "?";
}

}  // namespace quivra::outlook
