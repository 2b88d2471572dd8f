// Exchange's limits on open objects in the simulated Outlook: the count of each kind and the
// refusal beyond its limit.

#include "host/outlook/sim/sim_open_objects.h"

#include "host/outlook/outlook_error.h"
#include "host/outlook/sim/sim_outlook.h"
#include "host/outlook/sim/sim_world.h"

namespace quivra::outlook::sim {

namespace {

// Outlook's words for a session at its limit.
constexpr char kLimitText[] =
    "Your server administrator has limited the number of items you can open simultaneously. Try "
    "closing messages you have opened or removing attachments and images from unsent messages "
    "you are composing.";

size_t Index(OpenObjectKind kind) {
  return static_cast<size_t>(kind);
}

}  // namespace

int ExchangeOpenObjectLimit(OpenObjectKind kind) {
  switch (kind) {
    case OpenObjectKind::kFolder:
      return 500;
    case OpenObjectKind::kItem:
      return 250;
    case OpenObjectKind::kFolderView:
    case OpenObjectKind::kItemView:
      return 500;
  }
  return 0;
}

namespace internal {

OpenObject::OpenObject(std::shared_ptr<World> world, OpenObjectKind kind)
    : world_(std::move(world)), kind_(kind) {
  OpenObjectTally& tally = world_->open_objects[Index(kind_)];
  if (tally.limit && tally.open >= *tally.limit) {
    ++tally.refused;
    throw OutlookError(kErrorFailOneProvider, kLimitText);
  }
  ++tally.open;
  if (tally.open > tally.highest) {
    tally.highest = tally.open;
  }
}

OpenObject::~OpenObject() {
  --world_->open_objects[Index(kind_)].open;
}

}  // namespace internal

void SimOutlook::LimitOpenObjects(OpenObjectKind kind, std::optional<int> count) {
  world_->open_objects[Index(kind)].limit = count;
}

void SimOutlook::LimitOpenObjectsAsExchange() {
  for (int kind = 0; kind < kOpenObjectKinds; ++kind) {
    LimitOpenObjects(static_cast<OpenObjectKind>(kind),
                     ExchangeOpenObjectLimit(static_cast<OpenObjectKind>(kind)));
  }
}

int SimOutlook::OpenObjectCount(OpenObjectKind kind) const {
  return world_->open_objects[Index(kind)].open;
}

int SimOutlook::HighestOpenObjectCount(OpenObjectKind kind) const {
  return world_->open_objects[Index(kind)].highest;
}

int SimOutlook::RefusedOpenCount(OpenObjectKind kind) const {
  return world_->open_objects[Index(kind)].refused;
}

void SimOutlook::ResetOpenObjectCounts() {
  for (internal::OpenObjectTally& tally : world_->open_objects) {
    tally.highest = tally.open;
    tally.refused = 0;
  }
}

}  // namespace quivra::outlook::sim
