#pragma once
#include "mainwindow/Accessible_List.h"
#include "win32/Unique_Handle.h"

#include <oleacc.h>
#include <string>

class Win32_Main_Window;

// MinGW's import library resolves IID_IAccessible to a thunk, not the GUID.
inline constexpr IID Accessible_Iid = {
    0x618736E0, 0x3C3D, 0x11CF, {0x81, 0x0C, 0x00, 0xAA, 0x00, 0x38, 0x9B, 0x71}};

template <typename Interface> struct Com_Traits {
    using Handle = Interface*;
    static constexpr Interface* Invalid() { return nullptr; }
    static void Close(Interface* P) { P->Release(); }
};
template <typename Interface> using Com_Ref = Unique_Handle<Com_Traits<Interface>>;

// COM objects end in their own Release, never through a pointer to the interface.
#if defined(__GNUC__)
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wnon-virtual-dtor"
#endif
// The list as Active Accessibility sees it: a thin layer over the rows the window is given,
// one child per row. A reader may hold it after the window is gone: once disconnected, every
// call fails with CO_E_OBJNOTCONNECTED.
class List_Accessible final : public IAccessible {
  public:
    explicit List_Accessible(Win32_Main_Window& Window) : Window_(&Window) {}
    List_Accessible(const List_Accessible&) = delete;
    List_Accessible& operator=(const List_Accessible&) = delete;
    void Disconnect() { Window_ = nullptr; }

    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID Iid, void** Out) override;
    ULONG STDMETHODCALLTYPE AddRef() override;
    ULONG STDMETHODCALLTYPE Release() override;

    HRESULT STDMETHODCALLTYPE GetTypeInfoCount(UINT* Count) override;
    HRESULT STDMETHODCALLTYPE GetTypeInfo(UINT, LCID, ITypeInfo**) override;
    HRESULT STDMETHODCALLTYPE GetIDsOfNames(REFIID, LPOLESTR*, UINT, LCID, DISPID*) override;
    HRESULT STDMETHODCALLTYPE Invoke(DISPID, REFIID, LCID, WORD, DISPPARAMS*, VARIANT*, EXCEPINFO*,
                                     UINT*) override;

    HRESULT STDMETHODCALLTYPE get_accParent(IDispatch** Parent) override;
    HRESULT STDMETHODCALLTYPE get_accChildCount(long* Count) override;
    HRESULT STDMETHODCALLTYPE get_accChild(VARIANT Child, IDispatch** Out) override;
    HRESULT STDMETHODCALLTYPE get_accName(VARIANT Child, BSTR* Out) override;
    HRESULT STDMETHODCALLTYPE get_accValue(VARIANT Child, BSTR* Out) override;
    HRESULT STDMETHODCALLTYPE get_accDescription(VARIANT Child, BSTR* Out) override;
    HRESULT STDMETHODCALLTYPE get_accRole(VARIANT Child, VARIANT* Out) override;
    HRESULT STDMETHODCALLTYPE get_accState(VARIANT Child, VARIANT* Out) override;
    HRESULT STDMETHODCALLTYPE get_accHelp(VARIANT Child, BSTR* Out) override;
    HRESULT STDMETHODCALLTYPE get_accHelpTopic(BSTR* File, VARIANT Child, long* Topic) override;
    HRESULT STDMETHODCALLTYPE get_accKeyboardShortcut(VARIANT Child, BSTR* Out) override;
    HRESULT STDMETHODCALLTYPE get_accFocus(VARIANT* Out) override;
    HRESULT STDMETHODCALLTYPE get_accSelection(VARIANT* Out) override;
    HRESULT STDMETHODCALLTYPE get_accDefaultAction(VARIANT Child, BSTR* Out) override;
    HRESULT STDMETHODCALLTYPE accSelect(long Flags, VARIANT Child) override;
    HRESULT STDMETHODCALLTYPE accLocation(long* Left, long* Top, long* Width, long* Height,
                                          VARIANT Child) override;
    HRESULT STDMETHODCALLTYPE accNavigate(long Direction, VARIANT Start, VARIANT* End) override;
    HRESULT STDMETHODCALLTYPE accHitTest(long X, long Y, VARIANT* Out) override;
    HRESULT STDMETHODCALLTYPE accDoDefaultAction(VARIANT Child) override;
    HRESULT STDMETHODCALLTYPE put_accName(VARIANT, BSTR) override;
    HRESULT STDMETHODCALLTYPE put_accValue(VARIANT, BSTR) override;

  private:
    ~List_Accessible() = default;
    // The rows and the row a child id names (-1: the list itself); a failure when the window
    // is gone or the id names no child of ours.
    HRESULT Find(const VARIANT& Child, Reader_Rows*& Rows, int& Row) const;
    // Run(rows, row; -1 for the list) for the row Child names; nothing unwinds to the caller.
    template <typename Body> HRESULT On_Row(const VARIANT& Child, Body&& Run) const;
    // One text of a row, or the list's own (Of_List) for the list itself.
    HRESULT Row_Text(VARIANT Child, BSTR* Out, std::string Accessible_Row::*Field,
                     const char* Of_List);
    HRESULT No_Text(VARIANT Child, BSTR* Out);

    LONG Refs_ = 1;
    Win32_Main_Window* Window_;
};
#if defined(__GNUC__)
#pragma GCC diagnostic pop
#endif

// The window's reference: it disconnects the object as it lets go of it.
struct List_Accessible_Traits {
    using Handle = List_Accessible*;
    static constexpr List_Accessible* Invalid() { return nullptr; }
    static void Close(List_Accessible* P) {
        P->Disconnect();
        P->Release();
    }
};
using Unique_List_Accessible = Unique_Handle<List_Accessible_Traits>;
