#ifndef QUIVRA_TESTS_E2E_PICKER_SHOWING_H_
#define QUIVRA_TESTS_E2E_PICKER_SHOWING_H_

#include "dialogs/folder_picker.h"
#include "platform/ui/form.h"

namespace quivra::e2e {

// Shows the picker as its callers do: any-folder mode with the list, or browse mode with the
// list side disabled, the results reset before and the width restored afterwards. Shown at its
// designed place, which on Wine's 1024-pixel-wide screen would put its right edge off the
// screen: the window moves onto the work area.
inline ui::ModalResult ShowPickerAsCallersDo(dialogs::TfrmFolders2& picker, bool any_folder) {
  picker.SelectedPath.clear();
  picker.SelectedName.clear();
  picker.SelectedMruIndex = -1;
  picker.MruGroupList.SetEnabled(any_folder);
  picker.ListView1.SetEnabled(any_folder);
  picker.Panel1.SetEnabled(any_folder);
  const int width = picker.Width();
  picker.FillTree();
  picker.MruListAdd();
  const ui::ModalResult result = picker.ShowModal();
  picker.SetWidth(width);
  return result;
}

}  // namespace quivra::e2e

#endif  // QUIVRA_TESTS_E2E_PICKER_SHOWING_H_
