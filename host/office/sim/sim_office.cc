#include "host/office/sim/sim_office.h"

namespace quivra::office::sim {

void SimCOMAddIn::SetObject(const AddInObjectPtr& object) {
  ++set_count_;
  if (fail_ || (gate_ && gate_("COMAddIn.Object"))) {
    throw OfficeError(static_cast<std::int32_t>(0x80004005), "The operation failed. (Object)");
  }
  object_ = object;
}

}  // namespace quivra::office::sim
