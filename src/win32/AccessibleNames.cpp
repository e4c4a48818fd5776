#include "AccessibleNames.h"

#include <commctrl.h>
#include <oleacc.h>

#include "SystemDll.h"
#include "Text.h"

namespace zanvoro::win32 {
namespace {

constexpr UINT_PTR kSubclass = 0x5A414E;

// The system's object for a control with another name; all else is the system's.
// Dynamic annotation (IAccPropServices) would do on Windows alone: Wine has no store for it.
class Named final : public IAccessible {
public:
    Named(IAccessible* inner, std::wstring name) : inner_(inner), name_(std::move(name)) {}

    STDMETHODIMP QueryInterface(REFIID id, void** out) override {
        if (!out) return E_POINTER;
        if (id == __uuidof(IUnknown) || id == __uuidof(IDispatch) || id == __uuidof(IAccessible)) {
            *out = static_cast<IAccessible*>(this);
            AddRef();
            return S_OK;
        }
        return inner_->QueryInterface(id, out);  // IOleWindow, IEnumVARIANT
    }
    STDMETHODIMP_(ULONG) AddRef() override { return static_cast<ULONG>(InterlockedIncrement(&refs_)); }
    STDMETHODIMP_(ULONG) Release() override {
        const LONG left = InterlockedDecrement(&refs_);
        if (left == 0) delete this;
        return static_cast<ULONG>(left);
    }

    STDMETHODIMP get_accName(VARIANT child, BSTR* name) override {
        if (child.vt != VT_I4 || child.lVal != CHILDID_SELF) return inner_->get_accName(child, name);
        if (!name) return E_POINTER;
        *name = Later<decltype(SysAllocString)>(L"oleaut32.dll", "SysAllocString")(name_.c_str());
        return *name ? S_OK : E_OUTOFMEMORY;
    }

    STDMETHODIMP GetTypeInfoCount(UINT* n) override { return inner_->GetTypeInfoCount(n); }
    STDMETHODIMP GetTypeInfo(UINT i, LCID l, ITypeInfo** t) override { return inner_->GetTypeInfo(i, l, t); }
    STDMETHODIMP GetIDsOfNames(REFIID r, LPOLESTR* n, UINT c, LCID l, DISPID* d) override {
        return inner_->GetIDsOfNames(r, n, c, l, d);
    }
    STDMETHODIMP Invoke(DISPID d, REFIID r, LCID l, WORD f, DISPPARAMS* p, VARIANT* v, EXCEPINFO* e,
                        UINT* a) override {
        return inner_->Invoke(d, r, l, f, p, v, e, a);
    }
    STDMETHODIMP get_accParent(IDispatch** p) override { return inner_->get_accParent(p); }
    STDMETHODIMP get_accChildCount(long* n) override { return inner_->get_accChildCount(n); }
    STDMETHODIMP get_accChild(VARIANT c, IDispatch** p) override { return inner_->get_accChild(c, p); }
    STDMETHODIMP get_accValue(VARIANT c, BSTR* v) override { return inner_->get_accValue(c, v); }
    STDMETHODIMP get_accDescription(VARIANT c, BSTR* d) override { return inner_->get_accDescription(c, d); }
    STDMETHODIMP get_accRole(VARIANT c, VARIANT* r) override { return inner_->get_accRole(c, r); }
    STDMETHODIMP get_accState(VARIANT c, VARIANT* s) override { return inner_->get_accState(c, s); }
    STDMETHODIMP get_accHelp(VARIANT c, BSTR* h) override { return inner_->get_accHelp(c, h); }
    STDMETHODIMP get_accHelpTopic(BSTR* f, VARIANT c, long* t) override {
        return inner_->get_accHelpTopic(f, c, t);
    }
    STDMETHODIMP get_accKeyboardShortcut(VARIANT c, BSTR* k) override {
        return inner_->get_accKeyboardShortcut(c, k);
    }
    STDMETHODIMP get_accFocus(VARIANT* f) override { return inner_->get_accFocus(f); }
    STDMETHODIMP get_accSelection(VARIANT* s) override { return inner_->get_accSelection(s); }
    STDMETHODIMP get_accDefaultAction(VARIANT c, BSTR* a) override {
        return inner_->get_accDefaultAction(c, a);
    }
    STDMETHODIMP accSelect(long f, VARIANT c) override { return inner_->accSelect(f, c); }
    STDMETHODIMP accLocation(long* x, long* y, long* w, long* h, VARIANT c) override {
        return inner_->accLocation(x, y, w, h, c);
    }
    STDMETHODIMP accNavigate(long d, VARIANT s, VARIANT* e) override { return inner_->accNavigate(d, s, e); }
    STDMETHODIMP accHitTest(long x, long y, VARIANT* c) override { return inner_->accHitTest(x, y, c); }
    STDMETHODIMP accDoDefaultAction(VARIANT c) override { return inner_->accDoDefaultAction(c); }
    STDMETHODIMP put_accName(VARIANT c, BSTR n) override { return inner_->put_accName(c, n); }
    STDMETHODIMP put_accValue(VARIANT c, BSTR v) override { return inner_->put_accValue(c, v); }

private:
    ~Named() { inner_->Release(); }
    IAccessible* inner_;
    std::wstring name_;
    LONG refs_ = 1;
};

}  // namespace

AccessibleNames::AccessibleNames() = default;

AccessibleNames::~AccessibleNames() {
    for (const auto& [control, name] : names_) RemoveWindowSubclass(control, Proc, kSubclass);
    if (comStarted_) Later<decltype(CoUninitialize)>(L"ole32.dll", "CoUninitialize")();
}

void AccessibleNames::Name(HWND control, const std::string& name) {
    if (!control || name.empty()) return;
    const std::wstring wide = Wide(name);
    auto [at, added] = names_.try_emplace(control, wide);
    if (added) {
        SetWindowSubclass(control, Proc, kSubclass, reinterpret_cast<DWORD_PTR>(this));
        return;
    }
    if (at->second == wide) return;
    at->second = wide;
    NotifyWinEvent(EVENT_OBJECT_NAMECHANGE, control, OBJID_CLIENT, CHILDID_SELF);
}

LRESULT AccessibleNames::Object(HWND control, WPARAM flags) {
    if (beforeAsked) beforeAsked();
    const auto at = names_.find(control);
    if (at == names_.end()) return 0;
    // Handing an object to a reader marshals it: COM is started when a reader first asks.
    if (!comStarted_) {
        const auto start = Later<decltype(CoInitializeEx)>(L"ole32.dll", "CoInitializeEx");
        comStarted_ = SUCCEEDED(start(nullptr, COINIT_APARTMENTTHREADED));
    }
    const auto standard =
        Later<decltype(CreateStdAccessibleObject)>(L"oleacc.dll", "CreateStdAccessibleObject");
    const auto handOver = Later<decltype(LresultFromObject)>(L"oleacc.dll", "LresultFromObject");
    IAccessible* system = nullptr;
    if (FAILED(standard(control, OBJID_CLIENT, __uuidof(IAccessible), reinterpret_cast<void**>(&system))))
        return 0;
    auto* named = new Named(system, at->second);
    const LRESULT result = handOver(__uuidof(IAccessible), flags, named);
    named->Release();
    return result;
}

LRESULT CALLBACK AccessibleNames::Proc(HWND h, UINT m, WPARAM w, LPARAM l, UINT_PTR, DWORD_PTR data) {
    auto* self = reinterpret_cast<AccessibleNames*>(data);  // NOLINT(performance-no-int-to-ptr): as subclassed
    if (m == WM_GETOBJECT && static_cast<LONG>(l) == OBJID_CLIENT) {
        // No exception may leave for the system; a failure leaves the system's object.
        try {
            if (const LRESULT object = self->Object(h, w)) return object;
        } catch (...) {
        }
    }
    if (m == WM_NCDESTROY) {
        self->names_.erase(h);
        RemoveWindowSubclass(h, Proc, kSubclass);
    }
    return DefSubclassProc(h, m, w, l);
}

}  // namespace zanvoro::win32
