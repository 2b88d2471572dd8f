#include "platform/win32/com/sink_connection.h"

#include <utility>

#include "platform/hresult_error.h"
#include "platform/win32/com/com_object.h"

namespace quivra::com {

class SinkConnection::Sink : public Object<IDispatch> {
 public:
  Sink(IID events, Handler handler) : events_(events), handler_(std::move(handler)) {}

  HRESULT STDMETHODCALLTYPE GetTypeInfoCount(UINT* count) override {
    if (count) {
      *count = 0;
    }
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE GetTypeInfo(UINT, LCID, ITypeInfo**) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE GetIDsOfNames(REFIID, LPOLESTR*, UINT, LCID, DISPID*) override {
    return E_NOTIMPL;
  }
  HRESULT STDMETHODCALLTYPE
  Invoke(DISPID id, REFIID, LCID, WORD, DISPPARAMS* params, VARIANT*, EXCEPINFO*, UINT*) override {
    // The handler may drop the connection, and with it this sink's last other reference.
    ComPtr<Sink> keep(this);
    if (disconnected_) {
      return S_OK;
    }
    try {
      handler_(id, params);
    } catch (...) {
      // An event has no caller to report to; the handlers report their own errors.
    }
    return S_OK;
  }

  void Disconnect() { disconnected_ = true; }

 protected:
  // The sink is also the events' dispinterface.
  HRESULT QueryOther(REFIID iid, void** object) override {
    return IsEqualIID(iid, events_) ? HandOut(static_cast<IDispatch*>(this), object)
                                    : E_NOINTERFACE;
  }

 private:
  IID events_;
  Handler handler_;
  bool disconnected_ = false;
};

SinkConnection::SinkConnection(IDispatch* source, REFIID events, Handler handler) {
  if (!source) {
    throw platform::HresultError(E_POINTER, "Object variable not set.");
  }
  ComPtr<IConnectionPointContainer> container;
  HRESULT result = source->QueryInterface(IID_IConnectionPointContainer,
                                          reinterpret_cast<void**>(container.GetAddressOf()));
  if (SUCCEEDED(result)) {
    result = container->FindConnectionPoint(events, &point_);
  }
  if (FAILED(result)) {
    throw platform::HresultError(result, "The object does not raise these events.");
  }
  sink_ = Make<Sink>(events, std::move(handler));
  result = point_->Advise(static_cast<IDispatch*>(sink_.Get()), &cookie_);
  if (FAILED(result)) {
    throw platform::HresultError(result, "The object refused the event sink.");
  }
}

SinkConnection::~SinkConnection() {
  sink_->Disconnect();
  point_->Unadvise(cookie_);
}

}  // namespace quivra::com
