#ifndef QUIVRA_ADDIN_ADDIN_IDENTITY_H_
#define QUIVRA_ADDIN_ADDIN_IDENTITY_H_

#include <windows.h>

namespace quivra::addin {

// The class id of coOLQuivra, as in OLQuivra.idl. Fixed for every build: Outlook's add-in
// registration and every installed copy refer to it.
constexpr CLSID kClassId = {0x6643EE33,
                            0x41DB,
                            0x4BAE,
                            {0xA1, 0x69, 0x9D, 0xF0, 0x34, 0x1D, 0x4A, 0xE0}};

}  // namespace quivra::addin

#endif  // QUIVRA_ADDIN_ADDIN_IDENTITY_H_
