#ifndef QUIVRA_HOST_OUTLOOK_ENTRY_IDS_H_
#define QUIVRA_HOST_OUTLOOK_ENTRY_IDS_H_

#include <string>

#include "host/outlook/outlook.h"

namespace quivra::outlook {

// Whether `first` and `second` name the same Outlook object: two EntryIDs of folders, or two
// StoreIDs of stores. Equal texts are the same without asking Outlook; different texts are
// asked of NameSpace.CompareEntryIDs, as one object can be represented by two different values.
// An empty id names nothing and is the same as nothing.
//
// When Outlook cannot compare the two (the call fails, or an Outlook before 2007 lacks it), they
// count as different. MAPI's advice for a failed comparison is to act on no result and take the
// most conservative course ("IMAPISession::CompareEntryIDs", notes to callers,
// https://learn.microsoft.com/zh-cn/office/client-developer/outlook/mapi/imapisession-compareentryids);
// "different" is that course here, because it is what comparing the texts alone gave: a failed
// comparison leaves every caller where it stood before Outlook was asked (a move is attempted
// rather than refused, a folder is shown rather than hidden, a store is reported not open), and
// never makes two folders one. Never raises.
bool SameEntryID(NameSpace& name_space, const std::string& first, const std::string& second);
// The same through the application's MAPI name space, which is fetched only when the texts
// differ.
bool SameEntryID(Application& application, const std::string& first, const std::string& second);

}  // namespace quivra::outlook

#endif  // QUIVRA_HOST_OUTLOOK_ENTRY_IDS_H_
