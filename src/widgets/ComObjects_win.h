#pragma once

// What the Windows file and folder dialogs share in talking to the shell's
// COM objects.

#include <QString>

#include <windows.h>

inline const wchar_t* Wide(const QString& text)
{
    return reinterpret_cast<const wchar_t*>(text.utf16());
}

// Releases a COM interface when it goes out of scope.
template <class T> struct Held
{
    T* p = nullptr;
    ~Held()
    {
        if (p)
            p->Release();
    }
    T* operator->() const { return p; }
};
