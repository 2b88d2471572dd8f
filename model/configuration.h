#ifndef QUIVRA_MODEL_CONFIGURATION_H_
#define QUIVRA_MODEL_CONFIGURATION_H_

#include <array>
#include <optional>
#include <string>
#include <vector>

#include "model/folder_ids.h"

namespace quivra::core {

// Slot numbers, which are also the tags of buttons and shortcuts.
constexpr int kAnyFolderTargetSlot = 0;
constexpr int kFirstFilingSlot = 1;
constexpr int kLastNumberedSlot = 10;
constexpr int kBackspaceSlot = 11;
constexpr int kAnyFolderTag = 12;
constexpr int kUndoTag = 13;
constexpr int kSuggestedTag = 14;
constexpr int kMruCapacity = 20;

// The Outlook store a folder lives in.
struct TStoreDetails {
  std::string StoreName;
  std::string StoreNameId;  // a copy of StoreName, carried along but never used to resolve
  std::string StoreId;      // empty: the slot has no store

  bool operator==(const TStoreDetails&) const = default;
};

// One recently used folder.
struct TMruDetails {
  std::string Folder;  // full path, store name first
  std::string Store;
  std::string StoreId;

  bool InUse() const { return !Folder.empty(); }
  bool operator==(const TMruDetails&) const = default;
};

// The last item moved by the filing engine.
struct TUndoDetails {
  std::string ConversationIndex;
  std::string SourcePath;
  TStoreDetails SourceStore;
  std::string TargetPath;
  TStoreDetails TargetStore;

  // Undo is possible exactly when target, source and item are all known.
  bool IsComplete() const {
    return !TargetPath.empty() && !SourcePath.empty() && !ConversationIndex.empty();
  }
  // Forgets the two folders, keeping the rest, so that Undo is no longer offered.
  void Invalidate() {
    SourcePath.clear();
    TargetPath.clear();
  }
  // Empties every field.
  void Clear() { *this = TUndoDetails(); }
};

// The add-in's whole configuration: filing slots, options, recently used folders, the folder
// tree's expanded nodes, the undo record and what is known of the host. Arrays are indexed as
// the slots and list positions are numbered: StoreDetails and FolderNames 0 ... 11 (0 is the
// transient target of "Any Folder..."), ButtonNames 1 ... 11, MruList 1 ... 20; index 0 of the
// last two is never used. Text is UTF-8.
class Configuration {
 public:
  std::array<TStoreDetails, 12> StoreDetails;
  std::array<std::string, 12> FolderNames;
  std::array<std::string, 12> ButtonNames;
  std::string MainButtonCaption;

  bool ShortCuts = true;
  bool Icons = true;
  bool Separators = false;
  bool NoListUpdates = false;
  bool BackspaceKey = false;

  std::array<TMruDetails, kMruCapacity + 1> MruList;
  // Entry ids of the folder-tree nodes that were expanded; exists from start-up completion to
  // the beginning of shut-down.
  std::optional<std::vector<std::string>> ExpandList;
  TUndoDetails UndoDetails;
  // The EntryIDs of the folders of the slots and the recently used list, kept in a file of
  // their own beside the configuration file (FolderIdsFile).
  FolderIdBook FolderIds;

  bool HostChecked = false;
  bool HostIsRibbonOutlook = false;
  bool HostFoundNative = false;
  bool HostFoundWow64 = false;

  // Empties folder, caption and store of slots 1 ... 11.
  void ClearSlots();

  // Position (1 ... 20) of the first entry equal to the three texts (case-sensitive), or -1.
  int FindMruEntry(const std::string& folder,
                   const std::string& store,
                   const std::string& store_id) const;
  // Makes the folder entry 1. `index` is its current position, or -1 when not known; a folder
  // not in the list pushes the others down and the last one falls off.
  void MoveMruEntryToTop(const std::string& folder,
                         const std::string& store,
                         const std::string& store_id,
                         int index);
  // Deletes entry `index` (1 ... 20) and closes the gap.
  void RemoveMruEntry(int index);
};

// The one configuration of the loaded add-in library.
Configuration& TheConfiguration();

}  // namespace quivra::core

#endif  // QUIVRA_MODEL_CONFIGURATION_H_
