#include "win32/Win32_Accessible.h"

#include "mainwindow/Accessible_List.h"
#include "win32/Win32_Main_Window.h"
#include "win32/Win32_Text.h"

#include <new>
#include <string_view>

namespace {

constexpr char List_Name[] = "Clipboard slots";
constexpr char Default_Action[] = "Select";

HRESULT Give(BSTR* Out, std::string_view Utf8) {
    if (!Out) return E_POINTER;
    *Out = nullptr;
    if (Utf8.empty()) return S_FALSE;
    const std::wstring Wide = To_Wide(Utf8);
    *Out = SysAllocStringLen(Wide.data(), static_cast<UINT>(Wide.size()));
    return *Out ? S_OK : E_OUTOFMEMORY;
}

HRESULT Give(VARIANT* Out, long Value) {
    if (!Out) return E_POINTER;
    VariantInit(Out);
    Out->vt = VT_I4;
    Out->lVal = Value;
    return S_OK;
}

HRESULT Give_Nothing(VARIANT* Out) {
    if (!Out) return E_POINTER;
    VariantInit(Out);
    return S_FALSE;
}

long Child_Id(int Row) {
    return Row < 0 ? CHILDID_SELF : Row + 1;
}

// Nothing may unwind into the reader's call: a failure becomes its HRESULT.
template <typename Body> HRESULT Guarded(Body&& Run) noexcept {
    try {
        return Run();
    } catch (const std::bad_alloc&) {
        return E_OUTOFMEMORY;
    } catch (...) {
        return E_FAIL;
    }
}

} // namespace

HRESULT List_Accessible::Find(const VARIANT& Child, Reader_Rows*& Rows, int& Row) const {
    Rows = Window_ ? Window_->Rows() : nullptr;
    if (!Rows || !IsWindow(Window_->Handle())) return CO_E_OBJNOTCONNECTED;
    if (Child.vt != VT_I4) return E_INVALIDARG;
    const std::optional<int> Named = Row_Of_Child_Id(*Rows, Child.lVal);
    if (!Named) return E_INVALIDARG;
    Row = *Named;
    return S_OK;
}

template <typename Body> HRESULT List_Accessible::On_Row(const VARIANT& Child, Body&& Run) const {
    return Guarded([&] {
        Reader_Rows* Rows = nullptr;
        int Row = 0;
        if (const HRESULT Hr = Find(Child, Rows, Row); FAILED(Hr)) return Hr;
        return Run(*Rows, Row);
    });
}

HRESULT List_Accessible::QueryInterface(REFIID Iid, void** Out) {
    if (!Out) return E_POINTER;
    if (Iid == IID_IUnknown || Iid == IID_IDispatch || Iid == Accessible_Iid) {
        *Out = static_cast<IAccessible*>(this);
        AddRef();
        return S_OK;
    }
    *Out = nullptr;
    return E_NOINTERFACE;
}

ULONG List_Accessible::AddRef() {
    return static_cast<ULONG>(InterlockedIncrement(&Refs_));
}

ULONG List_Accessible::Release() {
    const LONG Left = InterlockedDecrement(&Refs_);
    if (Left == 0) delete this;
    return static_cast<ULONG>(Left);
}

// Readers use the interface itself, never late binding.
HRESULT List_Accessible::GetTypeInfoCount(UINT* Count) {
    if (!Count) return E_POINTER;
    *Count = 0;
    return S_OK;
}
HRESULT List_Accessible::GetTypeInfo(UINT, LCID, ITypeInfo**) {
    return E_NOTIMPL;
}
HRESULT List_Accessible::GetIDsOfNames(REFIID, LPOLESTR*, UINT, LCID, DISPID*) {
    return E_NOTIMPL;
}
HRESULT List_Accessible::Invoke(DISPID, REFIID, LCID, WORD, DISPPARAMS*, VARIANT*, EXCEPINFO*,
                                UINT*) {
    return E_NOTIMPL;
}

HRESULT List_Accessible::get_accParent(IDispatch** Parent) {
    if (!Parent) return E_POINTER;
    *Parent = nullptr;
    if (!Window_ || !IsWindow(Window_->Handle())) return CO_E_OBJNOTCONNECTED;
    return AccessibleObjectFromWindow(Window_->Handle(), static_cast<DWORD>(OBJID_WINDOW),
                                      IID_IDispatch, reinterpret_cast<void**>(Parent));
}

HRESULT List_Accessible::get_accChildCount(long* Count) {
    if (!Count) return E_POINTER;
    *Count = 0;
    VARIANT Self{};
    Self.vt = VT_I4;
    Self.lVal = CHILDID_SELF;
    return On_Row(Self, [&](Reader_Rows& Rows, int) -> HRESULT {
        *Count = Rows.Count();
        return S_OK;
    });
}

// The rows are simple elements: their parent answers for them.
HRESULT List_Accessible::get_accChild(VARIANT Child, IDispatch** Out) {
    if (!Out) return E_POINTER;
    *Out = nullptr;
    return On_Row(
        Child, [&](Reader_Rows&, int Row) -> HRESULT { return Row < 0 ? E_INVALIDARG : S_FALSE; });
}

HRESULT List_Accessible::Row_Text(VARIANT Child, BSTR* Out, std::string Accessible_Row::*Field,
                                  const char* Of_List) {
    if (!Out) return E_POINTER;
    *Out = nullptr;
    return On_Row(Child, [&](Reader_Rows& Rows, int Row) -> HRESULT {
        return Give(Out, Row < 0 ? std::string(Of_List) : Rows.Row(Row).*Field);
    });
}

HRESULT List_Accessible::get_accName(VARIANT Child, BSTR* Out) {
    return Row_Text(Child, Out, &Accessible_Row::Name, List_Name);
}

HRESULT List_Accessible::get_accValue(VARIANT Child, BSTR* Out) {
    return Row_Text(Child, Out, &Accessible_Row::Value, "");
}

HRESULT List_Accessible::get_accDescription(VARIANT Child, BSTR* Out) {
    return Row_Text(Child, Out, &Accessible_Row::Description, "");
}

HRESULT List_Accessible::get_accRole(VARIANT Child, VARIANT* Out) {
    if (Out) VariantInit(Out);
    return On_Row(Child, [&](Reader_Rows&, int Row) -> HRESULT {
        return Give(Out, Row < 0 ? ROLE_SYSTEM_LIST : ROLE_SYSTEM_LISTITEM);
    });
}

HRESULT List_Accessible::get_accState(VARIANT Child, VARIANT* Out) {
    if (Out) VariantInit(Out);
    return On_Row(Child, [&](Reader_Rows& Rows, int Row) -> HRESULT {
        const HWND H = Window_->Handle();
        const bool Shown = IsWindowVisible(H), Focused = GetFocus() == H;
        long State = STATE_SYSTEM_FOCUSABLE | (Shown ? 0 : STATE_SYSTEM_INVISIBLE);
        if (Row < 0)
            return Give(Out, State | (Focused && Rows.Focus() < 0 ? STATE_SYSTEM_FOCUSED : 0));
        const Accessible_Row R = Rows.Row(Row);
        RECT Client{};
        GetClientRect(H, &Client);
        State |= STATE_SYSTEM_SELECTABLE;
        if (R.Selected) State |= STATE_SYSTEM_SELECTED | (Focused ? STATE_SYSTEM_FOCUSED : 0);
        if (R.Location.Bottom > Client.bottom) State |= STATE_SYSTEM_OFFSCREEN;
        return Give(Out, State);
    });
}

// No row has help or a shortcut of its own; the id must still name one.
HRESULT List_Accessible::No_Text(VARIANT Child, BSTR* Out) {
    if (!Out) return E_POINTER;
    *Out = nullptr;
    return On_Row(Child, [](Reader_Rows&, int) -> HRESULT { return S_FALSE; });
}

HRESULT List_Accessible::get_accHelp(VARIANT Child, BSTR* Out) {
    return No_Text(Child, Out);
}

HRESULT List_Accessible::get_accHelpTopic(BSTR* File, VARIANT, long* Topic) {
    if (File) *File = nullptr;
    if (Topic) *Topic = 0;
    return Window_ ? DISP_E_MEMBERNOTFOUND : CO_E_OBJNOTCONNECTED;
}

HRESULT List_Accessible::get_accKeyboardShortcut(VARIANT Child, BSTR* Out) {
    return No_Text(Child, Out);
}

HRESULT List_Accessible::get_accFocus(VARIANT* Out) {
    if (Out) VariantInit(Out);
    return Guarded([&] {
        Reader_Rows* Rows = Window_ ? Window_->Rows() : nullptr;
        if (!Rows) return CO_E_OBJNOTCONNECTED;
        if (GetFocus() != Window_->Handle()) return Give_Nothing(Out);
        return Give(Out, Child_Id(Rows->Focus()));
    });
}

HRESULT List_Accessible::get_accSelection(VARIANT* Out) {
    if (Out) VariantInit(Out);
    return Guarded([&] {
        Reader_Rows* Rows = Window_ ? Window_->Rows() : nullptr;
        if (!Rows) return CO_E_OBJNOTCONNECTED;
        const int Row = Rows->Focus();
        return Row < 0 ? Give_Nothing(Out) : Give(Out, Child_Id(Row));
    });
}

HRESULT List_Accessible::get_accDefaultAction(VARIANT Child, BSTR* Out) {
    if (!Out) return E_POINTER;
    *Out = nullptr;
    return On_Row(Child, [&](Reader_Rows&, int Row) -> HRESULT {
        return Give(Out, Row < 0 ? "" : Default_Action);
    });
}

HRESULT List_Accessible::accSelect(long Flags, VARIANT Child) {
    return On_Row(Child, [&](Reader_Rows& Rows, int Row) -> HRESULT {
        // One slot is always the selection: taking it is the only change a reader can ask for.
        if (Row < 0 || (Flags & (SELFLAG_TAKEFOCUS | SELFLAG_TAKESELECTION)) == 0)
            return E_INVALIDARG;
        if (Flags & SELFLAG_TAKEFOCUS) SetFocus(Window_->Handle());
        return Rows.Act(Row) ? S_OK : S_FALSE;
    });
}

HRESULT List_Accessible::accLocation(long* Left, long* Top, long* Width, long* Height,
                                     VARIANT Child) {
    if (!Left || !Top || !Width || !Height) return E_POINTER;
    *Left = *Top = *Width = *Height = 0;
    return On_Row(Child, [&](Reader_Rows& Rows, int Row) -> HRESULT {
        RECT Client{};
        GetClientRect(Window_->Handle(), &Client);
        const Rect R = Row < 0 ? Rect{0, 0, Client.right, Client.bottom} : Rows.Row(Row).Location;
        POINT Corner{R.Left, R.Top};
        ClientToScreen(Window_->Handle(), &Corner);
        *Left = Corner.x;
        *Top = Corner.y;
        *Width = R.Width();
        *Height = R.Height();
        return S_OK;
    });
}

HRESULT List_Accessible::accNavigate(long Direction, VARIANT Start, VARIANT* End) {
    if (End) VariantInit(End);
    return On_Row(Start, [&](Reader_Rows& Rows, int Row) -> HRESULT {
        const int Count = Rows.Count();
        int To = -1;
        if (Row < 0 && Direction == NAVDIR_FIRSTCHILD) To = 0;
        if (Row < 0 && Direction == NAVDIR_LASTCHILD) To = Count - 1;
        if (Row >= 0 && (Direction == NAVDIR_NEXT || Direction == NAVDIR_DOWN)) To = Row + 1;
        if (Row >= 0 && (Direction == NAVDIR_PREVIOUS || Direction == NAVDIR_UP)) To = Row - 1;
        return To >= 0 && To < Count ? Give(End, Child_Id(To)) : Give_Nothing(End);
    });
}

HRESULT List_Accessible::accHitTest(long X, long Y, VARIANT* Out) {
    if (Out) VariantInit(Out);
    return Guarded([&] {
        Reader_Rows* Rows = Window_ ? Window_->Rows() : nullptr;
        if (!Rows) return CO_E_OBJNOTCONNECTED;
        POINT P{X, Y};
        ScreenToClient(Window_->Handle(), &P);
        RECT Client{};
        GetClientRect(Window_->Handle(), &Client);
        if (!PtInRect(&Client, P)) return Give_Nothing(Out);
        return Give(Out, Child_Id(Rows->Hit(P.x, P.y)));
    });
}

HRESULT List_Accessible::accDoDefaultAction(VARIANT Child) {
    return On_Row(Child, [&](Reader_Rows& Rows, int Row) -> HRESULT {
        if (Row < 0) return DISP_E_MEMBERNOTFOUND;
        return Rows.Act(Row) ? S_OK : E_FAIL;
    });
}

// Obsolete in Active Accessibility: nothing is renamed from outside.
HRESULT List_Accessible::put_accName(VARIANT, BSTR) {
    return E_NOTIMPL;
}
HRESULT List_Accessible::put_accValue(VARIANT, BSTR) {
    return E_NOTIMPL;
}
