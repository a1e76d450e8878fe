#pragma once

// What the Windows file and folder dialogs share in talking to the shell's
// COM objects.

#include <QString>

#include <shobjidl.h>
#include <windows.h>

inline const wchar_t* wide(const QString& text)
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

// The file system path of what the user chose in a file or folder dialog
// that was accepted; a failure's code otherwise.
inline HRESULT chosenPath(IFileDialog* dialog, QString& chosenPath)
{
    Held<IShellItem> chosen;
    if (const HRESULT result = dialog->GetResult(&chosen.p); FAILED(result))
        return result;
    PWSTR path = nullptr;
    if (const HRESULT named = chosen->GetDisplayName(SIGDN_FILESYSPATH, &path); FAILED(named))
        return named;
    chosenPath = QString::fromWCharArray(path);
    CoTaskMemFree(path);
    return S_OK;
}
