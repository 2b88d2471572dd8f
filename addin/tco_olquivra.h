#ifndef QUIVRA_ADDIN_TCO_OLQUIVRA_H_
#define QUIVRA_ADDIN_TCO_OLQUIVRA_H_

#include <windows.h>

#include <oaidl.h>

#include "host/framework/com/addin_object.h"

namespace quivra::addin {

// The ProgID of the add-in's COM class, which names its add-in key.
inline constexpr char kProgId[] = "OLQuivra.coOLQuivra";

// The add-in's COM object, coOLQuivra, the object Outlook gets: the framework's add-in object
// whose module is the add-in's TAddInModule, created on OnConnection over the library's
// configuration.
class TcoOLQuivra : public framework::com::TAddinObject {
 public:
  // The class factory's creator of coOLQuivra objects: a new object as interface `iid`.
  static HRESULT Create(framework::com::TComServer& server, REFIID iid, void** object);

  explicit TcoOLQuivra(framework::com::TComServer& server);
};

}  // namespace quivra::addin

#endif  // QUIVRA_ADDIN_TCO_OLQUIVRA_H_
