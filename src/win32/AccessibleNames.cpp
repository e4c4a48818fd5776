#include "AccessibleNames.h"

#include <oleacc.h>

#include <unordered_map>

#include "SystemDll.h"
#include "Text.h"

namespace zanvoro::win32 {
namespace {

// The controls' own procedures, under ours. Not SetWindowSubclass: it keeps its data in a
// window property, which Wine fetches from its server on every message to every control.
struct Hooked {
    WNDPROC previous;
    AccessibleNames* names;  // none once they are gone before the control
};
std::unordered_map<HWND, Hooked>& Hooks() {
    static std::unordered_map<HWND, Hooked> hooks;
    return hooks;
}

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
    for (const auto& [control, name] : names_) {
        const auto at = Hooks().find(control);
        if (at == Hooks().end()) continue;
        // Another procedure put over ours still calls it: it passes on until the control goes.
        if (GetWindowLongPtrW(control, GWLP_WNDPROC) != reinterpret_cast<LONG_PTR>(&Proc)) {
            at->second.names = nullptr;
            continue;
        }
        SetWindowLongPtrW(control, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(at->second.previous));
        Hooks().erase(at);
    }
    if (comStarted_) Later<decltype(CoUninitialize)>(L"ole32.dll", "CoUninitialize")();
}

void AccessibleNames::Name(HWND control, const std::string& name) {
    if (!control || name.empty()) return;
    const std::wstring wide = Wide(name);
    auto [at, added] = names_.try_emplace(control, wide);
    if (added) {
        const LONG_PTR previous =
            SetWindowLongPtrW(control, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&Proc));
        Hooks()[control] = {reinterpret_cast<WNDPROC>(previous), this};  // NOLINT(performance-no-int-to-ptr)
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

LRESULT CALLBACK AccessibleNames::Proc(HWND h, UINT m, WPARAM w, LPARAM l) {
    const auto at = Hooks().find(h);
    if (at == Hooks().end()) return DefWindowProcW(h, m, w, l);
    const Hooked hooked = at->second;
    if (m == WM_GETOBJECT && static_cast<LONG>(l) == OBJID_CLIENT && hooked.names) {
        // No exception may leave for the system; a failure leaves the system's object.
        try {
            if (const LRESULT object = hooked.names->Object(h, w)) return object;
        } catch (...) {
        }
    }
    if (m == WM_NCDESTROY) {
        if (hooked.names) hooked.names->names_.erase(h);
        Hooks().erase(at);
        if (GetWindowLongPtrW(h, GWLP_WNDPROC) == reinterpret_cast<LONG_PTR>(&Proc))
            SetWindowLongPtrW(h, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(hooked.previous));
    }
    return CallWindowProcW(hooked.previous, h, m, w, l);
}

}  // namespace zanvoro::win32
