#ifndef QUIVRA_HOST_OUTLOOK_SIM_CALL_COSTS_H_
#define QUIVRA_HOST_OUTLOOK_SIM_CALL_COSTS_H_

#include <functional>
#include <map>
#include <string>
#include <string_view>

namespace quivra::outlook::sim {

// How the stores that a session works in are opened, which decides what a call costs a real
// Outlook: kCached for an Exchange mailbox in cached mode or a personal folder file (every call
// answered from a file on the computer), kOnline for a store opened online (a shared mailbox, an
// online archive, a public folder), where opening an object or changing one goes to the server.
enum class StoreProfile { kCached, kOnline };

// What one call of `method` (as the simulated Outlook counts it: "Item.Move",
// "QueryInterface(MAPIFolder)") costs a real Outlook, in microseconds. Every figure and why it
// was chosen is in call_costs.cc.
double CallCostMicroseconds(std::string_view method, StoreProfile profile);

// What the counted calls cost together, in milliseconds.
double ChargedMilliseconds(const std::map<std::string, int, std::less<>>& calls,
                           StoreProfile profile);

}  // namespace quivra::outlook::sim

#endif  // QUIVRA_HOST_OUTLOOK_SIM_CALL_COSTS_H_
