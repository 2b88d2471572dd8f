#ifndef QUIVRA_MODEL_FILING_OPTIONS_H_
#define QUIVRA_MODEL_FILING_OPTIONS_H_

#include "platform/platform.h"

namespace quivra::core {

// "Mark as read when filing": filed items are marked read before they move. Off unless the
// user switched it on. Kept as the DWORD "MarkAsRead" under HKCU\Software\QuivraOL, beside
// "SuggestFolders", so that the configuration file stays as it always was.
class MarkAsReadOption {
 public:
  static constexpr char kKey[] = "Software\\QuivraOL";
  static constexpr char kValue[] = "MarkAsRead";

  explicit MarkAsReadOption(platform::Platform& platform) : platform_(platform) {}

  // Never raises: a registry that cannot be read leaves the option off.
  bool Enabled() const;
  // Raises PlatformError when the value cannot be written.
  void SetEnabled(bool enabled);

 private:
  platform::Platform& platform_;
};

}  // namespace quivra::core

#endif  // QUIVRA_MODEL_FILING_OPTIONS_H_
