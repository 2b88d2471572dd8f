#ifndef QUIVRA_TOOLS_OLHOST_OUTLOOK_OBJECT_KINDS_H_
#define QUIVRA_TOOLS_OLHOST_OUTLOOK_OBJECT_KINDS_H_

// The stand-in's automation objects of each kind, as the other kinds hand them out. Internal to
// the stand-in's Outlook objects.

#include <windows.h>

#include <oaidl.h>
#include <wrl/client.h>

#include "host/outlook/outlook.h"
#include "tools/olhost/dispatch_object.h"

namespace quivra::olhost::objects {

// Each is Nothing for none.
ComPtr<IDispatch> FolderObject(outlook::MAPIFolderPtr folder);
ComPtr<IDispatch> ExplorerObject(outlook::ExplorerPtr explorer);
ComPtr<IDispatch> UntypedObject(outlook::ObjectPtr object);
ComPtr<IDispatch> SelectionObject(outlook::SelectionPtr selection);
ComPtr<IDispatch> FolderCollectionObject(outlook::FolderCollectionPtr folders);

// Hands out an object created for the result (one reference), or Nothing.
inline void Return(VARIANT* result, ComPtr<IDispatch> object) {
  ReturnObject(result, object.Detach());
}

}  // namespace quivra::olhost::objects

#endif  // QUIVRA_TOOLS_OLHOST_OUTLOOK_OBJECT_KINDS_H_
