#include "model/folder_ids_file.h"

#include <optional>
#include <set>
#include <stdexcept>

#include "xml/document.h"
#include "xml/utf8.h"

namespace quivra::core {

namespace {

constexpr char kRootElement[] = "folderids";
constexpr char kFolderElement[] = "folder";

}  // namespace

FolderIdsFile::FolderIdsFile(Configuration& configuration,
                             platform::Platform& platform,
                             ConfigurationFile& configuration_file)
    : configuration_(configuration), platform_(platform), configuration_file_(configuration_file) {}

std::string FolderIdsFile::Render(const Configuration& configuration) {
  std::set<FolderIdBook::Key> written;
  xml::Document document;
  document.SetDeclaration("xml version=\"1.0\" encoding=\"UTF-8\" ");
  document.AppendChild(xml::Node::Comment("Quivra folder ids - DO NOT MODIFY"));
  xml::Node& root = document.AppendChild(xml::Node::Element(kRootElement));
  auto add = [&](const std::string& store_id, const std::string& path) {
    const std::string* entry_id = configuration.FolderIds.Find(store_id, path);
    if (entry_id == nullptr || !written.insert(FolderIdBook::Key(store_id, path)).second) {
      return;
    }
    xml::Node& folder = root.AppendElement(kFolderElement, path);
    folder.AddAttribute("storeid", store_id);
    folder.AddAttribute("entryid", *entry_id);
  };
  for (int slot = 1; slot < static_cast<int>(configuration.FolderNames.size()); ++slot) {
    add(configuration.StoreDetails[slot].StoreId, configuration.FolderNames[slot]);
  }
  for (int k = 1; k <= kMruCapacity; ++k) {
    add(configuration.MruList[k].StoreId, configuration.MruList[k].Folder);
  }
  return document.Serialize("\r\n", "  ");
}

void FolderIdsFile::Read(std::string_view bytes, FolderIdBook& book) {
  xml::RequireUtf8(bytes);
  const std::optional<xml::Document> document = xml::Document::Parse(bytes);
  const xml::Node* root = document ? document->DocumentElement() : nullptr;
  if (root == nullptr || root->Name() != kRootElement) {
    throw std::runtime_error("the file holds no folder ids");
  }
  for (size_t i = 0; i < root->ChildCount(); ++i) {
    const xml::Node& folder = root->Child(i);
    const std::string* store_id = folder.FindAttribute("storeid");
    const std::string* entry_id = folder.FindAttribute("entryid");
    if (folder.Name() != kFolderElement || !store_id || !entry_id || folder.Text().empty()) {
      throw std::runtime_error("a \"" + folder.Name() + "\" element is not a folder id");
    }
    book.Learn(*store_id, folder.Text(), *entry_id);
  }
}

std::string FolderIdsFile::Load() {
  FolderIdBook& book = configuration_.FolderIds;
  book.Clear();
  const std::string problem = configuration_file_.ReadHelperFile(
      kFileName, kDamagedFilePrefix, "folder ids", [&](std::string_view bytes) { Read(bytes, book); });
  if (!problem.empty()) {
    book.Clear();
  }
  return problem;
}

void FolderIdsFile::Save() {
  const std::string path = configuration_file_.ConfigPath() + "\\" + kFileName;
  platform_.files.ReplaceWholeFile(path, Render(configuration_));
}

}  // namespace quivra::core
