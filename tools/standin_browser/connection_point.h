// The control's one connection point, for DWebBrowserEvents2. Its reference
// count is the control's: a host holding it keeps the control alive.
#pragma once
#include <ocidl.h>
#include <olectl.h>

#include <utility>
#include <vector>

#include "com_util.h"
#include "log.h"

namespace standin {

using Sinks = std::vector<ComPtr<IDispatch>>;

class EventConnectionPoint : public IConnectionPoint {
public:
    EventConnectionPoint(IConnectionPointContainer* owner, Log* log) : owner_(owner), log_(log) {}

    // A copy, so a sink that unadvises while an event is raised does no harm.
    Sinks Snapshot() const;
    void DisconnectAll() { sinks_.clear(); }
    size_t count() const { return sinks_.size(); }

    STDMETHODIMP QueryInterface(REFIID riid, void** ppv) override;
    STDMETHODIMP_(ULONG) AddRef() override { return owner_->AddRef(); }
    STDMETHODIMP_(ULONG) Release() override { return owner_->Release(); }
    STDMETHODIMP GetConnectionInterface(IID* pIID) override;
    STDMETHODIMP GetConnectionPointContainer(IConnectionPointContainer** ppCPC) override;
    STDMETHODIMP Advise(IUnknown* pUnkSink, DWORD* pdwCookie) override;
    STDMETHODIMP Unadvise(DWORD dwCookie) override;
    STDMETHODIMP EnumConnections(IEnumConnections** ppEnum) override;

private:
    IConnectionPointContainer* owner_;
    Log* log_;
    std::vector<std::pair<DWORD, ComPtr<IDispatch>>> sinks_;
    DWORD nextCookie_ = 1;
};

}  // namespace standin
