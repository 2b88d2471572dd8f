#ifndef QUIVRA_TESTS_SUPPORT_MESSAGE_TEXTS_H_
#define QUIVRA_TESTS_SUPPORT_MESSAGE_TEXTS_H_

// The texts of the message boxes the add-in shows, as the user reads them.
namespace quivra::test {

// Filing.
inline constexpr char kFolderDoesNotExist[] = "Folder doesn't exist.";
inline constexpr char kNothingSelected[] = "Nothing selected - nothing moved.";
inline constexpr char kAlreadyInFolder[] = "Message already in this folder";
inline constexpr char kNoMailItem[] = "No Mail item selected - nothing moved.";
inline constexpr char kNotMoved[] = "An error occurred - message not moved.";
inline constexpr char kNoFolderSet[] = "No folder is set for this button.";
inline constexpr char kSelectionElsewhere[] =
    "The selection is in the To-Do Bar or the task list - nothing moved.\r\n\r\n"
    "Select the mails in the message list, then file them.";

// What stands before the text of an error that escaped an event handler.
inline constexpr char kAddInError[] = "QuivraOL error: the add-in has fired an exception.\r\n";

// The most recently used folders.
inline constexpr char kClearMruQuestion[] =
    "Do you want to clear the list of Most Recently Used folders?";

}  // namespace quivra::test

#endif  // QUIVRA_TESTS_SUPPORT_MESSAGE_TEXTS_H_
