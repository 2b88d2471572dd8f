#include "host/outlook/entry_ids.h"

namespace quivra::outlook {

namespace {

// Equal texts, or no comparison to make.
bool Settled(const std::string& first, const std::string& second, bool& same) {
  if (first == second) {
    same = true;
    return true;
  }
  if (first.empty() || second.empty()) {
    same = false;
    return true;
  }
  return false;
}

}  // namespace

bool SameEntryID(NameSpace& name_space, const std::string& first, const std::string& second) {
  bool same = false;
  if (Settled(first, second, same)) {
    return same;
  }
  try {
    return name_space.CompareEntryIDs(first, second);
  } catch (...) {
    return false;
  }
}

bool SameEntryID(Application& application, const std::string& first, const std::string& second) {
  bool same = false;
  if (Settled(first, second, same)) {
    return same;
  }
  try {
    return SameEntryID(Require(application.GetNamespace("MAPI")), first, second);
  } catch (...) {
    return false;
  }
}

}  // namespace quivra::outlook
