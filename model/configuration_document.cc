#include "model/configuration_document.h"

#include <cctype>
#include <climits>
#include <optional>
#include <string_view>

namespace quivra::core {

namespace {

using xml::Node;

// The text as a whole number: optional blanks, an optional sign, decimal digits.
std::optional<long long> ParseInteger(std::string_view text) {
  while (!text.empty() && text.front() == ' ')
    text.remove_prefix(1);
  while (!text.empty() && text.back() == ' ')
    text.remove_suffix(1);
  bool negative = false;
  if (!text.empty() && (text.front() == '-' || text.front() == '+')) {
    negative = text.front() == '-';
    text.remove_prefix(1);
  }
  if (text.empty() || text.size() > 18) {
    return std::nullopt;
  }
  long long value = 0;
  for (char c : text) {
    if (c < '0' || c > '9') {
      return std::nullopt;
    }
    value = value * 10 + (c - '0');
  }
  return negative ? -value : value;
}

int ReadId(const Node& element) {
  if (!element.HasAttributes()) {
    throw AssertionError("A \"" + element.Name() + "\" element has no id attribute");
  }
  const std::string& text = element.FirstAttributeValue();
  const std::optional<long long> id = ParseInteger(text);
  if (!id) {
    throw ConversionError("'" + text + "' is not a valid integer value");
  }
  return (*id < INT_MIN || *id > INT_MAX) ? -1 : static_cast<int>(*id);
}

bool EqualsIgnoringCase(std::string_view a, std::string_view b) {
  if (a.size() != b.size()) {
    return false;
  }
  for (size_t i = 0; i < a.size(); ++i) {
    if (std::tolower(static_cast<unsigned char>(a[i])) !=
        std::tolower(static_cast<unsigned char>(b[i]))) {
      return false;
    }
  }
  return true;
}

bool ReadBoolean(const std::string& text) {
  if (const std::optional<long long> number = ParseInteger(text)) {
    return *number != 0;
  }
  if (EqualsIgnoringCase(text, "true")) {
    return true;
  }
  if (EqualsIgnoringCase(text, "false")) {
    return false;
  }
  throw ConversionError("'" + text + "' is not a valid boolean value");
}

void ReadFolders(const Node& folders, Configuration& configuration) {
  for (size_t i = 0; i < folders.ChildCount(); ++i) {
    const Node& folder = folders.Child(i);
    if (folder.Name() != "folder") {
      continue;
    }
    const int id = ReadId(folder);
    if (id < kFirstFilingSlot || id > kBackspaceSlot) {
      continue;
    }
    TStoreDetails& store = configuration.StoreDetails[id];
    for (size_t j = 0; j < folder.ChildCount(); ++j) {
      const Node& field = folder.Child(j);
      const std::string& name = field.Name();
      if (name == "foldername")
        configuration.FolderNames[id] = field.Text();
      else if (name == "buttonname")
        configuration.ButtonNames[id] = field.Text();
      else if (name == "storename")
        store.StoreName = field.Text();
      else if (name == "storenameid")
        store.StoreNameId = field.Text();
      else if (name == "storeid")
        store.StoreId = field.Text();
    }
  }
}

void ReadMainButton(const Node& main_button, Configuration& configuration) {
  if (main_button.ChildCount() > 0 && main_button.Child(0).Name() == "buttoncaption") {
    configuration.MainButtonCaption = main_button.Child(0).Text();
  }
}

void ReadSetup(const Node& setup, Configuration& configuration) {
  for (size_t i = 0; i < setup.ChildCount(); ++i) {
    const Node& option = setup.Child(i);
    const std::string& name = option.Name();
    bool* target = name == "shortcuts"       ? &configuration.ShortCuts
                   : name == "icons"         ? &configuration.Icons
                   : name == "separators"    ? &configuration.Separators
                   : name == "nolistupdates" ? &configuration.NoListUpdates
                   : name == "backspacekey"  ? &configuration.BackspaceKey
                                             : nullptr;
    if (target) {
      *target = ReadBoolean(option.Text());
    }
  }
}

void ReadTreeConfig(const Node& tree, Configuration& configuration) {
  std::vector<std::string>& expand_list = configuration.ExpandList.emplace();
  for (size_t i = 0; i < tree.ChildCount(); ++i) {
    if (tree.Child(i).Name() == "expand") {
      expand_list.push_back(tree.Child(i).Text());
    }
  }
}

void ReadMruList(const Node& list, Configuration& configuration) {
  for (size_t i = 0; i < list.ChildCount(); ++i) {
    const Node& entry = list.Child(i);
    if (entry.Name() != "mru") {
      continue;
    }
    const int id = ReadId(entry);
    if (id < 1 || id > kMruCapacity) {
      continue;
    }
    TMruDetails& mru = configuration.MruList[id];
    for (size_t j = 0; j < entry.ChildCount(); ++j) {
      const Node& field = entry.Child(j);
      if (field.Name() == "mrufolder")
        mru.Folder = field.Text();
      else if (field.Name() == "mrustore")
        mru.Store = field.Text();
      else if (field.Name() == "mrustoreid")
        mru.StoreId = field.Text();
    }
  }
}

const char* Flag(bool value) {
  return value ? "-1" : "0";
}

}  // namespace

void ReadConfigurationDocument(const xml::Document& document, Configuration& configuration) {
  const Node* root = document.DocumentElement();
  if (!root) {
    return;
  }
  for (size_t i = 0; i < root->ChildCount(); ++i) {
    const Node& section = root->Child(i);
    const std::string& name = section.Name();
    if (name == "folders")
      ReadFolders(section, configuration);
    else if (name == "mainbutton")
      ReadMainButton(section, configuration);
    else if (name == "setup")
      ReadSetup(section, configuration);
    else if (name == "treeconfig")
      ReadTreeConfig(section, configuration);
    else if (name == "mrulist")
      ReadMruList(section, configuration);
  }
}

xml::Document BuildConfigurationDocument(const Configuration& configuration,
                                         const std::string& modified) {
  xml::Document document;
  document.SetDeclaration("xml version=\"1.0\" encoding=\"UTF-8\" ");
  document.AppendChild(Node::Comment("Quivra configuration - DO NOT MODIFY"));
  document.AppendChild(Node::Comment("Modified " + modified));
  Node& config = document.AppendChild(Node::Element("config"));

  Node& folders = config.AppendElement("folders");
  for (int slot = kFirstFilingSlot; slot <= kBackspaceSlot; ++slot) {
    Node& folder = folders.AppendElement("folder");
    folder.AddAttribute("id", std::to_string(slot));
    // A slot without a folder is written with all its fields empty.
    const bool used = !configuration.FolderNames[slot].empty();
    const TStoreDetails& store = configuration.StoreDetails[slot];
    auto field = [&](const char* name, const std::string& value) {
      folder.AppendElement(name, used ? value : std::string());
    };
    field("foldername", configuration.FolderNames[slot]);
    field("buttonname", configuration.ButtonNames[slot]);
    field("storename", store.StoreName);
    field("storenameid", store.StoreNameId);
    field("storeid", store.StoreId);
  }

  config.AppendElement("mainbutton")
      .AppendElement("buttoncaption", configuration.MainButtonCaption);

  Node& setup = config.AppendElement("setup");
  setup.AppendElement("shortcuts", Flag(configuration.ShortCuts));
  setup.AppendElement("icons", Flag(configuration.Icons));
  setup.AppendElement("separators", Flag(configuration.Separators));
  setup.AppendElement("nolistupdates", Flag(configuration.NoListUpdates));
  setup.AppendElement("backspacekey", Flag(configuration.BackspaceKey));

  Node& tree = config.AppendElement("treeconfig");
  if (configuration.ExpandList) {
    for (const std::string& entry_id : *configuration.ExpandList) {
      tree.AppendElement("expand", entry_id);
    }
  }

  Node& mru_list = config.AppendElement("mrulist");
  for (int position = 1; position <= kMruCapacity; ++position) {
    const TMruDetails& mru = configuration.MruList[position];
    if (!mru.InUse()) {
      continue;
    }
    Node& entry = mru_list.AppendElement("mru");
    entry.AddAttribute("id", std::to_string(position));
    entry.AppendElement("mrufolder", mru.Folder);
    entry.AppendElement("mrustore", mru.Store);
    entry.AppendElement("mrustoreid", mru.StoreId);
  }
  return document;
}

}  // namespace quivra::core
