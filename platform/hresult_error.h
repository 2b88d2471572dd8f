#ifndef QUIVRA_PLATFORM_HRESULT_ERROR_H_
#define QUIVRA_PLATFORM_HRESULT_ERROR_H_

#include <cstdint>
#include <stdexcept>
#include <string>

namespace quivra::platform {

// A call into Outlook, Office or COM failed. `code` is the HRESULT (held as a signed 32-bit
// value so that portable code needs no Windows header); the message is what the user sees when
// the error reaches the add-in's general error report. The simulated Outlook and Office raise
// it as the real ones do, and every COM entry point turns it back into its HRESULT.
class HresultError : public std::runtime_error {
 public:
  HresultError(std::int32_t code, const std::string& message)
      : std::runtime_error(message), code_(code) {}

  std::int32_t code() const { return code_; }

 private:
  std::int32_t code_;
};

}  // namespace quivra::platform

#endif  // QUIVRA_PLATFORM_HRESULT_ERROR_H_
