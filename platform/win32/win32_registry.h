#ifndef QUIVRA_PLATFORM_WIN32_WIN32_REGISTRY_H_
#define QUIVRA_PLATFORM_WIN32_WIN32_REGISTRY_H_

#include "platform/registry.h"

namespace quivra::platform::win32 {

// The Windows registry through the advapi32 functions.
class Win32Registry : public Registry {
 public:
  bool KeyExists(const RegistryKey& key) override;
  void CreateKey(const RegistryKey& key) override;
  bool DeleteKey(const RegistryKey& key) override;
  std::optional<std::string> ReadString(const RegistryKey& key, const std::string& name) override;
  std::optional<std::uint32_t> ReadDword(const RegistryKey& key, const std::string& name) override;
  void WriteString(const RegistryKey& key,
                   const std::string& name,
                   const std::string& value) override;
  void WriteDword(const RegistryKey& key, const std::string& name, std::uint32_t value) override;
  bool DeleteValue(const RegistryKey& key, const std::string& name) override;
  std::vector<std::string> ValueNames(const RegistryKey& key) override;
  std::vector<std::string> SubkeyNames(const RegistryKey& key) override;
};

}  // namespace quivra::platform::win32

#endif  // QUIVRA_PLATFORM_WIN32_WIN32_REGISTRY_H_
