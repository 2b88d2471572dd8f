#ifndef QUIVRA_PLATFORM_REGISTRY_H_
#define QUIVRA_PLATFORM_REGISTRY_H_

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace quivra::platform {

// The registry roots the product reads and writes.
enum class RegistryRoot { kClassesRoot, kCurrentUser, kLocalMachine };

// Which view of the registry a key is opened in on 64-bit Windows: the calling process's own,
// or explicitly the 64-bit or the 32-bit (redirected) one. On 32-bit Windows all three are
// the same.
enum class RegistryView { kDefault, k64, k32 };

// A key: root, path below the root and view. The path uses backslashes; leading and trailing
// backslashes are ignored, so "\Software\X" and "Software\X" name the same key. Key and value
// names compare without regard to letter case, as Windows compares them.
struct RegistryKey {
  RegistryRoot root = RegistryRoot::kCurrentUser;
  std::string path;
  RegistryView view = RegistryView::kDefault;

  // The key `name` below this one.
  RegistryKey Sub(const std::string& name) const {
    RegistryKey sub = *this;
    if (!sub.path.empty() && sub.path.back() != '\\' && !name.empty() && name.front() != '\\') {
      sub.path += '\\';
    }
    sub.path += name;
    return sub;
  }

  // "HKCR\path", "HKCU\path" or "HKLM\path", with a view suffix when one is forced; for
  // messages.
  std::string ToString() const {
    std::string text = root == RegistryRoot::kClassesRoot   ? "HKCR"
                       : root == RegistryRoot::kCurrentUser ? "HKCU"
                                                            : "HKLM";
    const size_t begin = path.find_first_not_of('\\');
    if (begin != std::string::npos) {
      text += '\\';
      text += path.substr(begin, path.find_last_not_of('\\') - begin + 1);
    }
    if (view == RegistryView::k64) {
      text += " (64-bit view)";
    } else if (view == RegistryView::k32) {
      text += " (32-bit view)";
    }
    return text;
  }
};

// The Windows registry. Names and texts are UTF-8; the value name "" is the key's default
// value. Reads never raise: a key or value that is missing, unreadable or of another type
// reads as absent. Changes raise PlatformError when Windows refuses them.
class Registry {
 public:
  virtual ~Registry() = default;

  // Whether the key can be opened for reading.
  virtual bool KeyExists(const RegistryKey& key) = 0;
  // Opens the key for writing, creating it and any missing parents.
  virtual void CreateKey(const RegistryKey& key) = 0;
  // Deletes the key with all its subkeys and values. Returns false when there was no key.
  virtual bool DeleteKey(const RegistryKey& key) = 0;

  // REG_SZ (or REG_EXPAND_SZ, unexpanded) values.
  virtual std::optional<std::string> ReadString(const RegistryKey& key,
                                                const std::string& name) = 0;
  virtual std::optional<std::uint32_t> ReadDword(const RegistryKey& key,
                                                 const std::string& name) = 0;
  // Writes into an existing key; a missing key is an error, as it is for Windows.
  virtual void WriteString(const RegistryKey& key,
                           const std::string& name,
                           const std::string& value) = 0;
  virtual void WriteDword(const RegistryKey& key, const std::string& name, std::uint32_t value) = 0;
  // Returns false when there was no such value (or no key).
  virtual bool DeleteValue(const RegistryKey& key, const std::string& name) = 0;

  // The names of the key's values and subkeys; empty when the key is missing.
  virtual std::vector<std::string> ValueNames(const RegistryKey& key) = 0;
  virtual std::vector<std::string> SubkeyNames(const RegistryKey& key) = 0;
};

}  // namespace quivra::platform

#endif  // QUIVRA_PLATFORM_REGISTRY_H_
