#ifndef QUIVRA_PLATFORM_SIM_SIM_REGISTRY_H_
#define QUIVRA_PLATFORM_SIM_SIM_REGISTRY_H_

#include <cstdint>
#include <map>
#include <optional>
#include <set>
#include <string>
#include <variant>
#include <vector>

#include "platform/registry.h"

namespace quivra::platform::sim {

// An in-memory registry with the three roots. Names compare without regard to ASCII letter
// case and keep the case they were created with. It stands for a 64-bit Windows; the default
// view is the 64-bit one unless the sim is made for a 32-bit process. The 32-bit view
// redirects HKLM\Software\... to HKLM\Software\Wow6432Node\... and HKCR\... to
// HKCR\Wow6432Node\..., as Windows does for the keys the product uses. HKCR is a tree of its
// own here (Windows merges it from HKLM and HKCU; the product never relies on the merge).
//
// It records every change in order, can deny changes under a root (a user without
// administrator rights writing to HKLM) and can be told to fail after a number of changes.
class SimRegistry : public Registry {
 public:
  explicit SimRegistry(bool process_is_32bit = false) : process_is_32bit_(process_is_32bit) {}

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

  // Every change so far, in order: "create HKCR\a\b", "set HKCR\a\b\name = text",
  // "set HKCU\a\b\name = dword:3", "delete HKCR\a\b", "delete value HKCU\a\name". The default
  // value's name shows as "@". Keys are written as they are actually stored (32-bit view
  // redirection applied). A refused change is not recorded.
  const std::vector<std::string>& changes() const { return changes_; }
  void ClearChanges() { changes_.clear(); }

  // Every key below the root, as "path" with backslashes, parents before children.
  std::vector<std::string> KeyPaths(RegistryRoot root) const;

  // Refuses every change under the root with "Access is denied.".
  void DenyChanges(RegistryRoot root) { denied_roots_.insert(root); }
  // Lets `count` more changes succeed, then refuses every further change.
  void FailAfterChanges(int count) { changes_left_ = count; }

 private:
  struct CaseLess {
    bool operator()(const std::string& a, const std::string& b) const;
  };
  using Value = std::variant<std::string, std::uint32_t>;
  struct Node {
    std::string name;
    std::map<std::string, Node, CaseLess> children;
    std::map<std::string, std::pair<std::string, Value>, CaseLess> values;
  };

  // The names along the key's stored path, after view redirection.
  std::vector<std::string> Resolve(const RegistryKey& key) const;
  Node& Root(RegistryRoot root);
  Node* Find(const RegistryKey& key);
  // Raises when the change is refused; otherwise counts it.
  void Allow(const RegistryKey& key, const std::string& what);
  std::string Describe(const RegistryKey& key) const;
  void SetValue(const RegistryKey& key,
                const std::string& name,
                Value value,
                const std::string& shown);

  bool process_is_32bit_;
  Node classes_root_;
  Node current_user_;
  Node local_machine_;
  std::vector<std::string> changes_;
  std::set<RegistryRoot> denied_roots_;
  int changes_left_ = -1;
};

}  // namespace quivra::platform::sim

#endif  // QUIVRA_PLATFORM_SIM_SIM_REGISTRY_H_
