#ifndef QUIVRA_CORE_FOLDER_SUGGESTIONS_H_
#define QUIVRA_CORE_FOLDER_SUGGESTIONS_H_

#include <cstddef>
#include <vector>

#include "host/outlook/outlook.h"
#include "model/filing_history.h"
#include "model/mail_keys.h"

// Between Outlook and what was learned from the user's filing: the keys of a mail as Outlook
// tells them, and the folders suggested for the selection of the active explorer.
namespace quivra::core {

// How many suggestions the picker shows at most.
constexpr std::size_t kSuggestionCount = 3;

// The mail's sender address and conversation: its ConversationID where Outlook has one, else
// its subject. A call Outlook refuses leaves that key empty.
MailKeys ReadMailKeys(outlook::Item& item);

// The folders suggested for the first item selected in the active explorer, best first, at
// most `count`: only folders that are still there under the path and EntryID they were filed
// under, and not the folder the explorer shows. Empty when nothing is selected, nothing is
// suggested or Outlook fails.
std::vector<LearnedFolder> SuggestForSelection(outlook::Application& outlook,
                                               FilingHistory& history,
                                               std::size_t count);

}  // namespace quivra::core

#endif  // QUIVRA_CORE_FOLDER_SUGGESTIONS_H_
