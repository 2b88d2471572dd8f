#include "model/filing_options.h"

#include <exception>

namespace quivra::core {

bool MarkAsReadOption::Enabled() const {
  try {
    const platform::RegistryKey key{platform::RegistryRoot::kCurrentUser, kKey};
    return platform_.registry.ReadDword(key, kValue).value_or(0) != 0;
  } catch (const std::exception&) {
    return false;
  }
}

void MarkAsReadOption::SetEnabled(bool enabled) {
  const platform::RegistryKey key{platform::RegistryRoot::kCurrentUser, kKey};
  platform_.registry.CreateKey(key);
  platform_.registry.WriteDword(key, kValue, enabled ? 1 : 0);
}

}  // namespace quivra::core
