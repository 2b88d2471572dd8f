#ifndef QUIVRA_HOST_OUTLOOK_SIM_SIM_OPEN_OBJECTS_H_
#define QUIVRA_HOST_OUTLOOK_SIM_SIM_OPEN_OBJECTS_H_

// Exchange's limits on the objects one session holds open, as the simulated Outlook plays them.
//
// An Exchange server counts, per MAPI session, the server objects a client holds open, by kind,
// and closes the session of a client that goes over the maximum of a kind (event 9646, "Closing
// Mapi session ... because it exceeded the maximum of 500 objects of type objtFolder"). The
// limits count every add-in and Outlook itself together. The documented defaults, the same in
// Exchange 2003 (from SP1) and Exchange 2007: objtMessage 250, objtFolder 500, objtFolderView 500,
// objtMessageView 500 (and others the add-in never opens: attachments, streams, rules and
// permission tables, notifications).
// - Microsoft Knowledge Base 830829 (Exchange Server 2003: the table of defaults, and that SP1
//   raised some of them): http://support.microsoft.com/kb/830829/
//   (as mirrored at https://mskb.pkisolutions.com/kb/830829)
// - Microsoft Knowledge Base 830836, "Event ID 9646 is logged when you try to send many messages
//   in Exchange Server 2003" (a limit on the number of items clients can open, 250 messages):
//   http://support.microsoft.com/kb/830836
// - Exchange Server Analyzer, "objtFolder" (Exchange 2003 and 2007 limit the open folders of a
//   MAPI session to 500 and close the session of a client that opens more):
//   https://unifiedpeople.ru/extra.en/html/33007f90-04e7-4d80-87e9-9dd450e21c82.htm
//
// Outlook then fails the call that would open one object more, raising MAPI_E_FAILONEPROVIDER
// (0x8004011D) with the text "Your server administrator has limited the number of items you can
// open simultaneously. ..." (Microsoft documents the limits, not this error; it is what Outlook
// raises through automation, as reported in https://github.com/mhammond/pywin32/issues/2092:
// DISP_E_EXCEPTION, source "Microsoft Outlook", scode -2147221219). The simulated Outlook fails
// the same way and goes on: the objects held stay usable, and one released makes room again.
//
// An open object is a live handle the product holds: a folder (MAPIFolder, or an object of
// unknown type standing for one), an item (a selected or listed item, in any of its views), a
// folder's Folders collection (its hierarchy table) or Items collection (its contents table).
// Typed views reached by interface query from one object count as that one object.

#include <array>
#include <memory>
#include <optional>

namespace quivra::outlook::sim {

// The kinds Exchange counts that the simulated Outlook hands out.
enum class OpenObjectKind {
  kFolder,      // objtFolder
  kItem,        // objtMessage
  kFolderView,  // objtFolderView: a Folders collection
  kItemView,    // objtMessageView: an Items collection
};
constexpr int kOpenObjectKinds = 4;

// Exchange's default maximum of open objects of `kind` per session.
int ExchangeOpenObjectLimit(OpenObjectKind kind);

namespace internal {

class World;

struct OpenObjectTally {
  int open = 0;
  int highest = 0;  // the most open at once so far
  int refused = 0;  // objects not handed out because the limit was reached
  std::optional<int> limit;  // none: any number
};
using OpenObjectTallies = std::array<OpenObjectTally, kOpenObjectKinds>;

// One object the product holds open, counted from construction to destruction. Every handle to
// the object (its typed views) shares it.
class OpenObject {
 public:
  // Raises Outlook's error when `kind`'s limit is reached.
  OpenObject(std::shared_ptr<World> world, OpenObjectKind kind);
  ~OpenObject();
  OpenObject(const OpenObject&) = delete;
  OpenObject& operator=(const OpenObject&) = delete;

 private:
  std::shared_ptr<World> world_;
  OpenObjectKind kind_;
};
using OpenObjectPtr = std::shared_ptr<OpenObject>;

inline OpenObjectPtr Open(std::shared_ptr<World> world, OpenObjectKind kind) {
  return std::make_shared<OpenObject>(std::move(world), kind);
}

}  // namespace internal
}  // namespace quivra::outlook::sim

#endif  // QUIVRA_HOST_OUTLOOK_SIM_SIM_OPEN_OBJECTS_H_
