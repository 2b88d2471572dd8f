#ifndef QUIVRA_TOOLS_OLHOST_DIALOG_ANSWERER_H_
#define QUIVRA_TOOLS_OLHOST_DIALOG_ANSWERER_H_

#include <string>
#include <vector>

namespace quivra::olhost {

// A dialog or message box that came up on the stand-in's thread and how it was answered.
struct SeenDialog {
  std::string caption;
  std::string text;  // a message box's text; empty for other dialogs
  std::vector<std::string> buttons;
  std::string pressed;
  // The other visible windows of the thread that could still be used while it showed.
  int enabled_windows = 0;
  // The items of its tree views as it was answered (see DialogTreeItems).
  std::vector<std::string> tree_items;
};

// How many visible windows of the calling thread other than `except` are enabled.
int EnabledThreadWindows(void* except = nullptr);

// Answers the modal windows that the add-in shows on the stand-in's own thread, as a user would:
// a thread timer, which fires inside any modal loop of the thread, finds the window, reads its
// caption, text and buttons, prints them and presses a button — the next queued answer, else
// the first button of a message box and the close box of the add-in's own forms. In a form, the
// queued edits are typed first. Nothing blocks.
class DialogAnswerer {
 public:
  // Starts the timer of the current thread.
  static void Start();
  // Stops it: from then on a person answers the dialogs.
  static void Stop();
  // How many times answering a dialog failed (each was printed as it happened).
  static int Failures();
  // The button (by its text, "OK", "Cancel", ...) that answers the next dialog.
  static void QueueAnswer(const std::string& button);
  // In the next form, the user types this key combination (as KeyboardInput names it) before
  // anything else, and the form is answered only once the keys have been taken in.
  static void QueueKeys(const std::string& keys);
  // The keys the user types into one form that comes up after those queued before: a form opened
  // by a key gets the next group, and its opener the group after once it is back in front.
  static void QueueFormKeys(const std::vector<std::string>& keys);
  // In the next form that has an edit box showing `from` (for an empty `from`: the empty box
  // with the keyboard focus), that box is changed to show `to`.
  static void QueueEdit(const std::string& from, const std::string& to);
  // The next form is photographed into that bitmap file just before it is answered.
  static void QueuePhotograph(const std::string& path);
  static const std::vector<SeenDialog>& Seen();
  // The next form is photographed into this bitmap file as it first shows, before keys are
  // typed into it or it is answered.
  static void PhotographNextForm(const std::string& path);
  // The text of the row selected in the list of the last form that showed, as it first showed
  // ("" when it had no list or no row selected).
  static const std::string& LastSelectedRow();
};

// Text with CR and LF written as \r and \n, for one printed line.
std::string Escaped(const std::string& text);

}  // namespace quivra::olhost

#endif  // QUIVRA_TOOLS_OLHOST_DIALOG_ANSWERER_H_
