#include "core/folder_suggestions.h"

#include <string>

#include "core/filing_engine.h"
#include "core/folder_resolution.h"
#include "host/outlook/entry_ids.h"

namespace quivra::core {

using outlook::Require;

MailKeys ReadMailKeys(outlook::Item& item) {
  std::string sender;
  std::string conversation_id;
  std::string subject;
  try {
    sender = item.SenderEmailAddress();
  } catch (...) {
  }
  try {
    conversation_id = item.ConversationID();
  } catch (...) {
    // Outlook 2007 has no ConversationID: the subject stands for the conversation.
  }
  if (conversation_id.empty()) {
    try {
      subject = item.Subject();
    } catch (...) {
    }
  }
  return KeysOfMail(sender, conversation_id, subject);
}

std::vector<LearnedFolder> SuggestForSelection(outlook::Application& outlook,
                                               FilingHistory& history,
                                               std::size_t count) {
  try {
    if (!history.Enabled()) {
      return {};
    }
    const outlook::ExplorerPtr explorer = outlook.ActiveExplorer();
    if (!explorer) {
      return {};
    }
    const outlook::SelectionPtr selection_handle = explorer->Selection();
    outlook::Selection& selection = Require(selection_handle);
    if (selection.Count() < 1) {
      return {};
    }
    // Items that agree give the first one's keys; items that disagree are filed where the
    // first one belongs.
    const MailKeys keys = ReadMailKeys(*ItemToVariant(selection.Item(1)));
    std::string current;
    try {
      current = Require(explorer->CurrentFolder()).EntryID();
    } catch (...) {
    }
    auto exists = [&](const LearnedFolder& folder) {
      if (outlook::SameEntryID(outlook, folder.entry_id, current)) {
        return false;
      }
      try {
        const outlook::MAPIFolderPtr root = FindStore(outlook, folder.store_id);
        if (!root) {
          return false;
        }
        const std::string relative = RelativeFolderPath(folder.path);
        const outlook::MAPIFolderPtr found = relative.empty() ? root : FindFolder(root, relative);
        return outlook::SameEntryID(outlook, Require(found).EntryID(), folder.entry_id);
      } catch (...) {
        return false;  // deleted, moved or renamed, or its store closed
      }
    };
    return history.Suggest(keys, count, exists);
  } catch (...) {
    return {};
  }
}

}  // namespace quivra::core
