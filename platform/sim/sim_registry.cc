#include "platform/sim/sim_registry.h"

#include <algorithm>
#include <functional>

#include "platform/platform_error.h"

namespace quivra::platform::sim {

namespace {

char Lower(char c) {
  return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c;
}

bool SameName(const std::string& a, const std::string& b) {
  return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(),
                                            [](char x, char y) { return Lower(x) == Lower(y); });
}

std::vector<std::string> SplitPath(const std::string& path) {
  std::vector<std::string> names;
  std::string name;
  for (char c : path) {
    if (c == '\\') {
      if (!name.empty())
        names.push_back(name);
      name.clear();
    } else {
      name += c;
    }
  }
  if (!name.empty())
    names.push_back(name);
  return names;
}

const char* RootName(RegistryRoot root) {
  switch (root) {
    case RegistryRoot::kClassesRoot:
      return "HKCR";
    case RegistryRoot::kCurrentUser:
      return "HKCU";
    case RegistryRoot::kLocalMachine:
      return "HKLM";
  }
  return "";
}

constexpr char kWow64Node[] = "Wow6432Node";

}  // namespace

bool SimRegistry::CaseLess::operator()(const std::string& a, const std::string& b) const {
  return std::lexicographical_compare(a.begin(), a.end(), b.begin(), b.end(),
                                      [](char x, char y) { return Lower(x) < Lower(y); });
}

std::vector<std::string> SimRegistry::Resolve(const RegistryKey& key) const {
  std::vector<std::string> names = SplitPath(key.path);
  const bool view32 =
      key.view == RegistryView::k32 || (key.view == RegistryView::kDefault && process_is_32bit_);
  if (!view32) {
    return names;
  }
  if (key.root == RegistryRoot::kClassesRoot) {
    if (names.empty() || !SameName(names[0], kWow64Node)) {
      names.insert(names.begin(), kWow64Node);
    }
  } else if (key.root == RegistryRoot::kLocalMachine && !names.empty() &&
             SameName(names[0], "Software")) {
    if (names.size() == 1 || !SameName(names[1], kWow64Node)) {
      names.insert(names.begin() + 1, kWow64Node);
    }
  }
  return names;
}

SimRegistry::Node& SimRegistry::Root(RegistryRoot root) {
  switch (root) {
    case RegistryRoot::kClassesRoot:
      return classes_root_;
    case RegistryRoot::kCurrentUser:
      return current_user_;
    case RegistryRoot::kLocalMachine:
      break;
  }
  return local_machine_;
}

SimRegistry::Node* SimRegistry::Find(const RegistryKey& key) {
  Node* node = &Root(key.root);
  for (const std::string& name : Resolve(key)) {
    auto child = node->children.find(name);
    if (child == node->children.end()) {
      return nullptr;
    }
    node = &child->second;
  }
  return node;
}

std::string SimRegistry::Describe(const RegistryKey& key) const {
  std::string text = RootName(key.root);
  for (const std::string& name : Resolve(key)) {
    text += '\\';
    text += name;
  }
  return text;
}

void SimRegistry::Allow(const RegistryKey& key, const std::string& what) {
  if (denied_roots_.count(key.root) != 0 || changes_left_ == 0) {
    throw PlatformError("Cannot " + what + " " + Describe(key) + ": Access is denied.");
  }
  if (changes_left_ > 0) {
    --changes_left_;
  }
}

bool SimRegistry::KeyExists(const RegistryKey& key) {
  return Find(key) != nullptr;
}

void SimRegistry::CreateKey(const RegistryKey& key) {
  const std::vector<std::string> names = Resolve(key);
  if (names.empty()) {
    return;  // the root itself always exists
  }
  Allow(key, "create key");
  Node* node = &Root(key.root);
  for (const std::string& name : names) {
    auto [child, inserted] = node->children.try_emplace(name);
    if (inserted) {
      child->second.name = name;
    }
    node = &child->second;
  }
  changes_.push_back("create " + Describe(key));
}

bool SimRegistry::DeleteKey(const RegistryKey& key) {
  const std::vector<std::string> names = Resolve(key);
  if (names.empty() || Find(key) == nullptr) {
    return false;
  }
  Allow(key, "delete key");
  Node* parent = &Root(key.root);
  for (size_t i = 0; i + 1 < names.size(); ++i) {
    parent = &parent->children.find(names[i])->second;
  }
  parent->children.erase(names.back());
  changes_.push_back("delete " + Describe(key));
  return true;
}

std::optional<std::string> SimRegistry::ReadString(const RegistryKey& key,
                                                   const std::string& name) {
  Node* node = Find(key);
  if (node == nullptr)
    return std::nullopt;
  auto value = node->values.find(name);
  if (value == node->values.end())
    return std::nullopt;
  if (const std::string* text = std::get_if<std::string>(&value->second.second)) {
    return *text;
  }
  return std::nullopt;
}

std::optional<std::uint32_t> SimRegistry::ReadDword(const RegistryKey& key,
                                                    const std::string& name) {
  Node* node = Find(key);
  if (node == nullptr)
    return std::nullopt;
  auto value = node->values.find(name);
  if (value == node->values.end())
    return std::nullopt;
  if (const std::uint32_t* number = std::get_if<std::uint32_t>(&value->second.second)) {
    return *number;
  }
  return std::nullopt;
}

void SimRegistry::SetValue(const RegistryKey& key,
                           const std::string& name,
                           Value value,
                           const std::string& shown) {
  Node* node = Find(key);
  if (node == nullptr) {
    throw PlatformError("Cannot open key " + Describe(key) +
                        ": The system cannot find the file specified.");
  }
  Allow(key, "set value in");
  auto existing = node->values.find(name);
  if (existing != node->values.end()) {
    existing->second.second = std::move(value);
  } else {
    node->values.emplace(name, std::make_pair(name, std::move(value)));
  }
  changes_.push_back("set " + Describe(key) + "\\" + (name.empty() ? "@" : name) + " = " + shown);
}

void SimRegistry::WriteString(const RegistryKey& key,
                              const std::string& name,
                              const std::string& value) {
  SetValue(key, name, value, value);
}

void SimRegistry::WriteDword(const RegistryKey& key, const std::string& name, std::uint32_t value) {
  SetValue(key, name, value, "dword:" + std::to_string(value));
}

bool SimRegistry::DeleteValue(const RegistryKey& key, const std::string& name) {
  Node* node = Find(key);
  if (node == nullptr || node->values.count(name) == 0) {
    return false;
  }
  Allow(key, "delete value in");
  node->values.erase(name);
  changes_.push_back("delete value " + Describe(key) + "\\" + (name.empty() ? "@" : name));
  return true;
}

std::vector<std::string> SimRegistry::ValueNames(const RegistryKey& key) {
  std::vector<std::string> names;
  if (Node* node = Find(key)) {
    for (const auto& [ignored, value] : node->values) {
      names.push_back(value.first);
    }
  }
  return names;
}

std::vector<std::string> SimRegistry::SubkeyNames(const RegistryKey& key) {
  std::vector<std::string> names;
  if (Node* node = Find(key)) {
    for (const auto& [ignored, child] : node->children) {
      names.push_back(child.name);
    }
  }
  return names;
}

std::vector<std::string> SimRegistry::KeyPaths(RegistryRoot root) const {
  std::vector<std::string> paths;
  const Node& top = root == RegistryRoot::kClassesRoot   ? classes_root_
                    : root == RegistryRoot::kCurrentUser ? current_user_
                                                         : local_machine_;
  std::function<void(const Node&, const std::string&)> walk = [&](const Node& node,
                                                                  const std::string& prefix) {
    for (const auto& [ignored, child] : node.children) {
      const std::string path = prefix.empty() ? child.name : prefix + "\\" + child.name;
      paths.push_back(path);
      walk(child, path);
    }
  };
  walk(top, "");
  return paths;
}

}  // namespace quivra::platform::sim
