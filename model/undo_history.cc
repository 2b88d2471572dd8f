#include "model/undo_history.h"

#include <charconv>
#include <optional>
#include <stdexcept>
#include <utility>

#include "xml/document.h"
#include "xml/utf8.h"

namespace quivra::core {

namespace {

constexpr char kRootElement[] = "undo";
constexpr char kStepElement[] = "step";
constexpr char kTargetElement[] = "target";
constexpr char kSourceElement[] = "source";
constexpr char kItemElement[] = "item";

const std::string& RequiredAttribute(const xml::Node& element, std::string_view name) {
  const std::string* value = element.FindAttribute(name);
  if (value == nullptr) {
    throw std::runtime_error("a \"" + element.Name() + "\" element lacks its " +
                             std::string(name));
  }
  return *value;
}

std::uint64_t NumberAttribute(const xml::Node& element, std::string_view name) {
  const std::string& text = RequiredAttribute(element, name);
  std::uint64_t value = 0;
  const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
  if (text.empty() || error != std::errc() || end != text.data() + text.size()) {
    throw std::runtime_error("the " + std::string(name) + " \"" + text + "\" is not a number");
  }
  return value;
}

// A folder element: the path as text, its store and EntryID as attributes.
void AddFolder(xml::Node& step,
               const char* element,
               const std::string& path,
               const TStoreDetails& store,
               const std::string& entry_id) {
  xml::Node& folder = step.AppendElement(element, path);
  folder.AddAttribute("storename", store.StoreName);
  folder.AddAttribute("storeid", store.StoreId);
  folder.AddAttribute("entryid", entry_id);
}

UndoSource ReadFolder(const xml::Node& folder) {
  if (folder.Text().empty()) {
    throw std::runtime_error("a \"" + folder.Name() + "\" element names no folder");
  }
  UndoSource result;
  result.path = folder.Text();
  result.store.StoreName = RequiredAttribute(folder, "storename");
  result.store.StoreNameId = result.store.StoreName;
  result.store.StoreId = RequiredAttribute(folder, "storeid");
  result.entry_id = RequiredAttribute(folder, "entryid");
  return result;
}

UndoStep ReadStep(const xml::Node& element) {
  UndoStep step;
  bool has_target = false;
  for (size_t i = 0; i < element.ChildCount(); ++i) {
    const xml::Node& child = element.Child(i);
    if (child.Name() == kTargetElement && !has_target) {
      UndoSource target = ReadFolder(child);
      step.target_path = std::move(target.path);
      step.target_store = std::move(target.store);
      step.target_entry_id = std::move(target.entry_id);
      has_target = true;
    } else if (child.Name() == kSourceElement) {
      step.sources.push_back(ReadFolder(child));
    } else if (child.Name() == kItemElement) {
      UndoItem item;
      item.entry_id = RequiredAttribute(child, "entryid");
      item.store_id = RequiredAttribute(child, "storeid");
      item.conversation_index = RequiredAttribute(child, "index");
      item.source = static_cast<std::uint32_t>(NumberAttribute(child, "source"));
      item.learned = NumberAttribute(child, "learned");
      item.subject = child.Text();
      step.items.push_back(std::move(item));
    } else {
      throw std::runtime_error("a \"" + child.Name() + "\" element is no part of a step");
    }
  }
  if (!has_target || step.items.empty()) {
    throw std::runtime_error("a step lacks its target or its items");
  }
  for (const UndoItem& item : step.items) {
    if (item.source >= step.sources.size()) {
      throw std::runtime_error("an item names a source the step does not have");
    }
  }
  return step;
}

// The path below its store: everything after the first name.
std::string BelowStore(const std::string& path) {
  const size_t separator = path.find('\\');
  return separator == std::string::npos ? path : path.substr(separator + 1);
}

}  // namespace

std::uint32_t UndoStep::SourceIndex(const UndoSource& source) {
  for (std::uint32_t i = 0; i < sources.size(); ++i) {
    if (sources[i] == source) {
      return i;
    }
  }
  sources.push_back(source);
  return static_cast<std::uint32_t>(sources.size() - 1);
}

void UndoHistory::Push(UndoStep step) {
  if (step.items.empty()) {
    return;
  }
  steps_.push_back(std::move(step));
  Trim();
}

void UndoHistory::PopNewest() {
  if (!steps_.empty()) {
    steps_.pop_back();
  }
}

void UndoHistory::Assign(std::deque<UndoStep> steps) {
  steps_ = std::move(steps);
  Trim();
}

void UndoHistory::Trim() {
  while (steps_.size() > kStepCapacity) {
    steps_.pop_front();
  }
  std::size_t items = 0;
  for (const UndoStep& step : steps_) {
    items += step.items.size();
  }
  while (steps_.size() > 1 && items > kItemCapacity) {
    items -= steps_.front().items.size();
    steps_.pop_front();
  }
}

TUndoDetails UndoHistory::NewestRecord() const {
  TUndoDetails record;
  if (steps_.empty()) {
    return record;
  }
  const UndoStep& step = steps_.back();
  const UndoItem& item = step.items.back();
  const UndoSource& source = step.sources.at(item.source);
  record.ConversationIndex = item.conversation_index;
  record.SourcePath = source.path;
  record.SourceStore = source.store;
  record.TargetPath = step.target_path;
  record.TargetStore = step.target_store;
  return record;
}

std::string UndoHistory::Describe(const std::string& nothing) const {
  if (steps_.empty()) {
    return nothing;
  }
  const UndoStep& step = steps_.back();
  const std::size_t count = step.items.size();
  return "Undo: " + std::to_string(count) + (count == 1 ? " item" : " items") + " to " +
         BelowStore(step.target_path);
}

std::string UndoHistory::KeptSubject(std::string_view subject) {
  std::string kept(subject.substr(0, kSubjectLength));
  if (subject.size() > kSubjectLength) {
    // Back to the start of the character the cut fell into.
    size_t end = kSubjectLength;
    while (end > 0 && (static_cast<unsigned char>(subject[end]) & 0xC0) == 0x80) {
      --end;
    }
    kept.resize(end);
  }
  for (char& c : kept) {
    if (static_cast<unsigned char>(c) < 0x20 || c == 0x7F) {
      c = ' ';
    }
  }
  return kept;
}

UndoHistoryFile::UndoHistoryFile(UndoHistory& history,
                                 platform::Platform& platform,
                                 ConfigurationFile& configuration_file)
    : history_(history), platform_(platform), configuration_file_(configuration_file) {}

std::string UndoHistoryFile::Render(const std::deque<UndoStep>& steps) {
  xml::Document document;
  document.SetDeclaration("xml version=\"1.0\" encoding=\"UTF-8\" ");
  document.AppendChild(xml::Node::Comment("Quivra undo history - DO NOT MODIFY"));
  xml::Node& root = document.AppendChild(xml::Node::Element(kRootElement));
  for (const UndoStep& step : steps) {
    xml::Node& element = root.AppendElement(kStepElement, "");
    AddFolder(element, kTargetElement, step.target_path, step.target_store, step.target_entry_id);
    for (const UndoSource& source : step.sources) {
      AddFolder(element, kSourceElement, source.path, source.store, source.entry_id);
    }
    for (const UndoItem& item : step.items) {
      xml::Node& child = element.AppendElement(kItemElement, item.subject);
      child.AddAttribute("entryid", item.entry_id);
      child.AddAttribute("storeid", item.store_id);
      child.AddAttribute("index", item.conversation_index);
      child.AddAttribute("source", std::to_string(item.source));
      child.AddAttribute("learned", std::to_string(item.learned));
    }
  }
  return document.Serialize("\r\n", "  ");
}

std::deque<UndoStep> UndoHistoryFile::Read(std::string_view bytes) {
  xml::RequireUtf8(bytes);
  const std::optional<xml::Document> document = xml::Document::Parse(bytes);
  const xml::Node* root = document ? document->DocumentElement() : nullptr;
  if (root == nullptr || root->Name() != kRootElement) {
    throw std::runtime_error("the file holds no undo history");
  }
  std::deque<UndoStep> steps;
  for (size_t i = 0; i < root->ChildCount(); ++i) {
    const xml::Node& step = root->Child(i);
    if (step.Name() != kStepElement) {
      throw std::runtime_error("a \"" + step.Name() + "\" element is not a step");
    }
    steps.push_back(ReadStep(step));
  }
  return steps;
}

std::string UndoHistoryFile::Load() {
  history_.Clear();
  return configuration_file_.ReadHelperFile(
      kFileName, kDamagedFilePrefix, "undo history",
      [&](std::string_view bytes) { history_.Assign(Read(bytes)); });
}

void UndoHistoryFile::Save() {
  const std::string path = configuration_file_.ConfigPath() + "\\" + kFileName;
  platform_.files.ReplaceWholeFile(path, Render(history_.steps()));
}

}  // namespace quivra::core
