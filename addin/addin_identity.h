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

// The id of IcoOLQuivra, coOLQuivra's default interface, as in OLQuivra.idl.
constexpr IID kInterfaceId = {0x02AD0300,
                              0x8F4A,
                              0x4179,
                              {0xA6, 0x67, 0xE5, 0x4F, 0x54, 0x6F, 0x04, 0x02}};

}  // namespace quivra::addin

#endif  // QUIVRA_ADDIN_ADDIN_IDENTITY_H_
