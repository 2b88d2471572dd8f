#ifndef QUIVRA_HOST_OFFICE_OFFICE_H_
#define QUIVRA_HOST_OFFICE_OFFICE_H_

#include <cstdint>
#include <memory>
#include <string>

#include "platform/hresult_error.h"

// The Office add-in interfaces that the framework calls, as one C++ interface: the simulated
// Office of the tests and the real one reached through IDispatch implement the same classes.
// Failures are OfficeError exceptions.
namespace quivra::office {

// A call into Office failed; `code()` is the HRESULT. The same error as Outlook's.
using OfficeError = platform::HresultError;

// The add-in's own COM object as its COM skin hands it out; opaque to portable code.
class AddInObject {
 public:
  virtual ~AddInObject() = default;
};
using AddInObjectPtr = std::shared_ptr<AddInObject>;

// Office's COMAddIn: the add-in's entry in the host's COM add-ins collection.
class COMAddIn {
 public:
  virtual ~COMAddIn() = default;

  // The object other code reaches through the COM add-ins collection.
  virtual void SetObject(const AddInObjectPtr& object) = 0;
};
using COMAddInPtr = std::shared_ptr<COMAddIn>;

}  // namespace quivra::office

#endif  // QUIVRA_HOST_OFFICE_OFFICE_H_
