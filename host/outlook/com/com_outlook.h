#ifndef QUIVRA_HOST_OUTLOOK_COM_COM_OUTLOOK_H_
#define QUIVRA_HOST_OUTLOOK_COM_COM_OUTLOOK_H_

#include <windows.h>

#include <oaidl.h>

#include "host/outlook/outlook.h"

namespace quivra::outlook::com {

// Outlook reached through its Application object: every call goes late-bound through IDispatch
// by name, interface queries use Outlook's IIDs, events come through connection points.
// Returns none when the object is not Outlook's application (it refuses _Application).
ApplicationPtr MakeComApplication(IDispatch* application);

// The IDispatch behind a folder of this backend, for passing it back to Outlook; none for a
// folder of another backend.
IDispatch* FolderDispatch(const MAPIFolderPtr& folder);

}  // namespace quivra::outlook::com

#endif  // QUIVRA_HOST_OUTLOOK_COM_COM_OUTLOOK_H_
