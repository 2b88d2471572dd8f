#ifndef QUIVRA_TESTS_SUPPORT_SLOT_ASSIGNMENT_H_
#define QUIVRA_TESTS_SUPPORT_SLOT_ASSIGNMENT_H_

#include <string>

#include "host/outlook/sim/sim_outlook.h"
#include "model/configuration.h"

namespace quivra::test {

// Binds `slot` of `configuration` to the folder at `path` as the folder picker does: the full
// path, and its store's name (the path's first part, as StoreName and StoreNameId) and store id.
void AssignSlot(core::Configuration& configuration,
                int slot,
                const std::string& path,
                const std::string& store_id);
void AssignSlot(core::Configuration& configuration,
                int slot,
                const outlook::sim::SimFolder& folder);

// Binds the slot as AssignSlot does and captions its button (empty: the folder's name).
void ConfigureSlot(core::Configuration& configuration,
                   int slot,
                   const outlook::sim::SimFolder& folder,
                   const std::string& caption = {});

// Puts the folder at the top of the most recently used folders, as filing into it does.
void AddMru(core::Configuration& configuration, const outlook::sim::SimFolder& folder);

}  // namespace quivra::test

#endif  // QUIVRA_TESTS_SUPPORT_SLOT_ASSIGNMENT_H_
