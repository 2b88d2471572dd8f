#ifndef QUIVRA_PLATFORM_WIN32_COM_SINK_CONNECTION_H_
#define QUIVRA_PLATFORM_WIN32_COM_SINK_CONNECTION_H_

#include <windows.h>

#include <oaidl.h>
#include <ocidl.h>
#include <wrl/client.h>

#include <functional>

namespace quivra::com {

// An event sink connected to one connection point of an object: calls `handler` with the
// DISPID and parameters of every event of that dispinterface, until destroyed. An exception of
// the handler goes no further: an event has no caller to report to.
class SinkConnection {
 public:
  using Handler = std::function<void(DISPID id, DISPPARAMS* params)>;
  // Raises platform::HresultError when the object has no such connection point or refuses
  // the sink.
  SinkConnection(IDispatch* source, REFIID events, Handler handler);
  ~SinkConnection();
  SinkConnection(const SinkConnection&) = delete;
  SinkConnection& operator=(const SinkConnection&) = delete;

 private:
  class Sink;
  Microsoft::WRL::ComPtr<IConnectionPoint> point_;
  Microsoft::WRL::ComPtr<Sink> sink_;
  DWORD cookie_ = 0;
};

}  // namespace quivra::com

#endif  // QUIVRA_PLATFORM_WIN32_COM_SINK_CONNECTION_H_
