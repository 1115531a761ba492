// The object a window carries: a window property under a name of the
// program's own. A property rather than GWLP_USERDATA or DWLP_USER because
// the layer and the skin bind windows they did not create (a dialog's
// controls, a hosted control's own window), whose user data belongs to their
// creator or class, and a property works the same on every kind of window.
// Remove it before the window is gone (at WM_NCDESTROY at the latest).
#pragma once
#include <windows.h>

template <class T>
class WindowProperty {
public:
    explicit WindowProperty(const char* name) : m_atom(GlobalAddAtomA(name)) {}
    T* Get(HWND hWnd) const { return hWnd ? static_cast<T*>(GetPropA(hWnd, Key())) : nullptr; }
    void Set(HWND hWnd, T* object) const { SetPropA(hWnd, Key(), object); }
    void Remove(HWND hWnd) const { RemovePropA(hWnd, Key()); }

private:
    LPCSTR Key() const { return MAKEINTATOM(m_atom); }
    ATOM m_atom;
};
