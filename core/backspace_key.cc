// Backspace as a filing key. Outlook moves the selection to a neighbouring item when the selected
// one leaves the folder; a single selected item is therefore filed only after synthetic key
// strokes have shown that the list has another item to go to, and the list is put back as it
// was before filing.

#include <exception>

#include "core/add_in_module.h"
#include "core/synthetic_keys.h"

namespace quivra::core {

namespace {

using outlook::Require;

constexpr char kNotMoved[] = "An error occurred - message not moved.";

}  // namespace

void TAddInModule::FileOnBackspace() {
  platform::Keyboard& keyboard = Services().keyboard;
  platform::Screen& screen = Services().screen;
  auto selected = [this] {
    return Require(Require(outlook_->ActiveExplorer()).Selection()).Count();
  };
  try {
    const outlook::ExplorerPtr active = outlook_->ActiveExplorer();
    outlook::Explorer& explorer = Require(active);
    const int items = Require(Require(explorer.CurrentFolder()).Items()).Count();
    if (items == 0) {
      SendBackspaceKey(keyboard);
      return;
    }
    if (items == 1) {
      FileToFolder(kBackspaceSlot, nullptr);
      return;
    }
    const int count = selected();
    if (count == 0) {
      SendBackspaceKey(keyboard);
      return;
    }
    if (count >= 2) {
      FileToFolder(kBackspaceSlot, nullptr);
      return;
    }
    // One item selected: find out where Outlook's selection can go once it has left.
    try {
      const outlook::ObjectPtr item = Require(explorer.Selection()).Item(1);
      ItemToVariant(item);  // an item of another kind is not filed
      PostKey(keyboard, platform::kVkDown, {ModifierKey::kShift}, true);
      screen.ProcessPendingMessages();
      if (selected() == 2) {
        PostKey(keyboard, platform::kVkUp, {}, true);
        screen.ProcessPendingMessages();
        FileToFolder(kBackspaceSlot, item);
        return;
      }
      // Nothing below it: the last item of the view, so try from the item above.
      PostKey(keyboard, platform::kVkUp, {}, true);
      PostKey(keyboard, platform::kVkDown, {ModifierKey::kShift}, true);
      screen.ProcessPendingMessages();
      if (selected() == 2) {
        PostKey(keyboard, platform::kVkDown, {}, true);
        screen.ProcessPendingMessages();
        FileToFolder(kBackspaceSlot, item);
        return;
      }
      PostKey(keyboard, platform::kVkUp, {}, true);
      SendBackspaceKey(keyboard);
    } catch (const std::exception&) {
      log_.Write("backspace: filing failed, " + DiagnosticLog::DescribeCaught());
      log_.Write(std::string("message shown: ") + kNotMoved);
      platform::ShowStandardMessage(Services().message_boxes, platform::MessageKind::kError,
                                    kNotMoved);
    }
  } catch (const std::exception&) {
    SendBackspaceKey(keyboard);
  }
}

}  // namespace quivra::core
