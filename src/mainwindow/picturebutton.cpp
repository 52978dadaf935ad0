#include "picturebutton.h"

#include "win/comapartment.h"
#include "win/systemcall.h"

#include <oleacc.h>

namespace zark {

namespace {

using CreateStdAccessibleObjectCall = HRESULT(WINAPI*)(HWND, LONG, REFIID, void**);
using LresultFromObjectCall = LRESULT(WINAPI*)(REFIID, WPARAM, LPUNKNOWN);

// oleacc.dll's two calls, looked up when a screen reader first asks: a program that nobody reads
// aloud never loads it. It stays loaded for the program's life.
struct Oleacc {
    CreateStdAccessibleObjectCall createStandard = nullptr;
    LresultFromObjectCall answer = nullptr;
};

const Oleacc& oleacc() {
    static const Oleacc calls = [] {
        Oleacc found;
        // From the system folder, as every DLL of this program.
        if (LoadLibraryW(L"oleacc.dll") != nullptr) {
            found.createStandard =
                systemCall<CreateStdAccessibleObjectCall>(L"oleacc.dll", "CreateStdAccessibleObject");
            found.answer = systemCall<LresultFromObjectCall>(L"oleacc.dll", "LresultFromObject");
        }
        return found;
    }();
    return calls;
}

bool isSelf(const VARIANT& child) { return child.vt == VT_I4 && child.lVal == CHILDID_SELF; }

// The system's own accessible object of the picture's window, which names it by its window
// text, save that its role is a push button's.
class PictureButton final : public IAccessible {
public:
    explicit PictureButton(IAccessible* standard) : standard_(standard) {}
    PictureButton(const PictureButton&) = delete;
    PictureButton& operator=(const PictureButton&) = delete;

    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID id, void** object) override {
        if (object == nullptr) return E_POINTER;
        if (IsEqualIID(id, IID_IUnknown) || IsEqualIID(id, IID_IDispatch) || IsEqualIID(id, IID_IAccessible)) {
            *object = static_cast<IAccessible*>(this);
            AddRef();
            return S_OK;
        }
        return standard_->QueryInterface(id, object);
    }
    ULONG STDMETHODCALLTYPE AddRef() override { return static_cast<ULONG>(InterlockedIncrement(&references_)); }
    ULONG STDMETHODCALLTYPE Release() override {
        const LONG left = InterlockedDecrement(&references_);
        if (left == 0) delete this;
        return static_cast<ULONG>(left);
    }

    HRESULT STDMETHODCALLTYPE get_accRole(VARIANT child, VARIANT* role) override {
        if (!isSelf(child) || role == nullptr) return standard_->get_accRole(child, role);
        role->vt = VT_I4;
        role->lVal = ROLE_SYSTEM_PUSHBUTTON;
        return S_OK;
    }

    // Everything else is the standard object's.
    HRESULT STDMETHODCALLTYPE GetTypeInfoCount(UINT* count) override { return standard_->GetTypeInfoCount(count); }
    HRESULT STDMETHODCALLTYPE GetTypeInfo(UINT index, LCID locale, ITypeInfo** info) override {
        return standard_->GetTypeInfo(index, locale, info);
    }
    HRESULT STDMETHODCALLTYPE GetIDsOfNames(REFIID id, LPOLESTR* names, UINT count, LCID locale,
                                            DISPID* ids) override {
        return standard_->GetIDsOfNames(id, names, count, locale, ids);
    }
    HRESULT STDMETHODCALLTYPE Invoke(DISPID member, REFIID id, LCID locale, WORD flags, DISPPARAMS* parameters,
                                     VARIANT* result, EXCEPINFO* exception, UINT* argument) override {
        return standard_->Invoke(member, id, locale, flags, parameters, result, exception, argument);
    }
    HRESULT STDMETHODCALLTYPE get_accParent(IDispatch** parent) override { return standard_->get_accParent(parent); }
    HRESULT STDMETHODCALLTYPE get_accChildCount(long* count) override { return standard_->get_accChildCount(count); }
    HRESULT STDMETHODCALLTYPE get_accChild(VARIANT child, IDispatch** object) override {
        return standard_->get_accChild(child, object);
    }
    HRESULT STDMETHODCALLTYPE get_accName(VARIANT child, BSTR* name) override {
        return standard_->get_accName(child, name);
    }
    HRESULT STDMETHODCALLTYPE get_accValue(VARIANT child, BSTR* value) override {
        return standard_->get_accValue(child, value);
    }
    HRESULT STDMETHODCALLTYPE get_accDescription(VARIANT child, BSTR* text) override {
        return standard_->get_accDescription(child, text);
    }
    HRESULT STDMETHODCALLTYPE get_accState(VARIANT child, VARIANT* state) override {
        return standard_->get_accState(child, state);
    }
    HRESULT STDMETHODCALLTYPE get_accHelp(VARIANT child, BSTR* help) override {
        return standard_->get_accHelp(child, help);
    }
    HRESULT STDMETHODCALLTYPE get_accHelpTopic(BSTR* file, VARIANT child, long* topic) override {
        return standard_->get_accHelpTopic(file, child, topic);
    }
    HRESULT STDMETHODCALLTYPE get_accKeyboardShortcut(VARIANT child, BSTR* shortcut) override {
        return standard_->get_accKeyboardShortcut(child, shortcut);
    }
    HRESULT STDMETHODCALLTYPE get_accFocus(VARIANT* focus) override { return standard_->get_accFocus(focus); }
    HRESULT STDMETHODCALLTYPE get_accSelection(VARIANT* selection) override {
        return standard_->get_accSelection(selection);
    }
    HRESULT STDMETHODCALLTYPE get_accDefaultAction(VARIANT child, BSTR* action) override {
        return standard_->get_accDefaultAction(child, action);
    }
    HRESULT STDMETHODCALLTYPE accSelect(long flags, VARIANT child) override {
        return standard_->accSelect(flags, child);
    }
    HRESULT STDMETHODCALLTYPE accLocation(long* left, long* top, long* width, long* height, VARIANT child) override {
        return standard_->accLocation(left, top, width, height, child);
    }
    HRESULT STDMETHODCALLTYPE accNavigate(long direction, VARIANT start, VARIANT* end) override {
        return standard_->accNavigate(direction, start, end);
    }
    HRESULT STDMETHODCALLTYPE accHitTest(long x, long y, VARIANT* child) override {
        return standard_->accHitTest(x, y, child);
    }
    HRESULT STDMETHODCALLTYPE accDoDefaultAction(VARIANT child) override {
        return standard_->accDoDefaultAction(child);
    }
    HRESULT STDMETHODCALLTYPE put_accName(VARIANT child, BSTR name) override {
        return standard_->put_accName(child, name);
    }
    HRESULT STDMETHODCALLTYPE put_accValue(VARIANT child, BSTR value) override {
        return standard_->put_accValue(child, value);
    }

private:
    ~PictureButton() { standard_->Release(); }

    LONG references_ = 1;
    IAccessible* standard_;
};

}  // namespace

LRESULT answerGetObject(HWND picture, WPARAM flags, LPARAM objectId) {
    if (static_cast<LONG>(objectId) != OBJID_CLIENT) return DefWindowProcW(picture, WM_GETOBJECT, flags, objectId);
    const Oleacc& calls = oleacc();
    if (calls.createStandard == nullptr || calls.answer == nullptr || !enterComApartment()) {
        return DefWindowProcW(picture, WM_GETOBJECT, flags, objectId);
    }
    IAccessible* standard = nullptr;
    if (FAILED(calls.createStandard(picture, OBJID_CLIENT, IID_IAccessible, reinterpret_cast<void**>(&standard)))) {
        return DefWindowProcW(picture, WM_GETOBJECT, flags, objectId);
    }
    PictureButton* button = new PictureButton(standard);
    const LRESULT answer = calls.answer(IID_IAccessible, flags, button);
    button->Release();
    return answer;
}

}  // namespace zark
