#ifndef QUIVRA_ADDIN_LIBRARY_PLATFORM_H_
#define QUIVRA_ADDIN_LIBRARY_PLATFORM_H_

#include "platform/platform.h"

namespace quivra::addin {

// The Windows services of the loaded library: one set of the Windows backends, made on first use
// and kept until the library is unloaded.
platform::Platform& LibraryPlatform();

}  // namespace quivra::addin

#endif  // QUIVRA_ADDIN_LIBRARY_PLATFORM_H_
