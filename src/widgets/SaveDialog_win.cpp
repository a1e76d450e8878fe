#include "SaveDialog.h"

#include <QDir>
#include <QFileInfo>
#include <QWidget>

#include <shobjidl.h>
#include <windows.h>

#include <vector>

namespace {

const wchar_t* Wide(const QString& text)
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

// Keeps the name in the dialog's name box as the user accepts it: Wine's
// dialog adds the chosen filter's extension to a name typed without one even
// when it is given no default extension, and forgets the typed name once it
// closes.
class TypedName : public IFileDialogEvents
{
public:
    QString name;

    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID riid, void** object) override
    {
        if (riid == IID_IUnknown || riid == IID_IFileDialogEvents) {
            *object = static_cast<IFileDialogEvents*>(this);
            return S_OK;
        }
        *object = nullptr;
        return E_NOINTERFACE;
    }
    // Lives on the stack for as long as the dialog is shown.
    ULONG STDMETHODCALLTYPE AddRef() override { return 1; }
    ULONG STDMETHODCALLTYPE Release() override { return 1; }

    HRESULT STDMETHODCALLTYPE OnFileOk(IFileDialog* dialog) override
    {
        PWSTR typed = nullptr;
        if (SUCCEEDED(dialog->GetFileName(&typed)) && typed) {
            name = QString::fromWCharArray(typed);
            CoTaskMemFree(typed);
        }
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE OnFolderChanging(IFileDialog*, IShellItem*) override { return S_OK; }
    HRESULT STDMETHODCALLTYPE OnFolderChange(IFileDialog*) override { return S_OK; }
    HRESULT STDMETHODCALLTYPE OnSelectionChange(IFileDialog*) override { return S_OK; }
    HRESULT STDMETHODCALLTYPE OnShareViolation(IFileDialog*, IShellItem*, FDE_SHAREVIOLATION_RESPONSE*) override
    {
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE OnTypeChange(IFileDialog*) override { return S_OK; }
    HRESULT STDMETHODCALLTYPE OnOverwrite(IFileDialog*, IShellItem*, FDE_OVERWRITE_RESPONSE*) override { return S_OK; }
};

} // namespace

// Windows' save dialog, shown without a default extension: Qt's wrapper of
// it always gives it the first filter's extension, which the dialog then
// adds to a name typed without one.
QString AskSaveFileName(QWidget* parent, const QString& initialDir, const QStringList& filters)
{
    Held<IFileSaveDialog> dialog;
    if (FAILED(CoCreateInstance(CLSID_FileSaveDialog, nullptr, CLSCTX_INPROC_SERVER, IID_PPV_ARGS(&dialog.p))))
        return {};

    FILEOPENDIALOGOPTIONS options = 0;
    dialog->GetOptions(&options);
    dialog->SetOptions(options | FOS_OVERWRITEPROMPT | FOS_FORCEFILESYSTEM | FOS_PATHMUSTEXIST | FOS_NOCHANGEDIR);

    // "Orvane Mod files (*.int)": the whole text is the caption, the part in
    // brackets the patterns, separated by ";" as the dialog wants them.
    QStringList patterns;
    for (const QString& filter : filters) {
        const std::optional<QStringList> inBrackets = FilterPatterns(filter);
        patterns << (inBrackets ? inBrackets->join(u';') : QStringLiteral("*.*"));
    }
    std::vector<COMDLG_FILTERSPEC> fileTypes;
    for (qsizetype i = 0; i < filters.size(); ++i)
        fileTypes.push_back({Wide(filters[i]), Wide(patterns[i])});
    if (!fileTypes.empty())
        dialog->SetFileTypes(static_cast<UINT>(fileTypes.size()), fileTypes.data());

    Held<IShellItem> folder;
    const QString nativeDir = QDir::toNativeSeparators(QDir::cleanPath(initialDir));
    if (SUCCEEDED(SHCreateItemFromParsingName(Wide(nativeDir), nullptr, IID_PPV_ARGS(&folder.p))))
        dialog->SetFolder(folder.p);

    TypedName typed;
    DWORD cookie = 0;
    const bool advised = SUCCEEDED(dialog->Advise(&typed, &cookie));
    const HWND owner = parent ? reinterpret_cast<HWND>(parent->window()->winId()) : nullptr;
    const HRESULT shown = dialog->Show(owner);
    if (advised)
        dialog->Unadvise(cookie);
    if (FAILED(shown))
        return {}; // cancelled
    Held<IShellItem> chosen;
    if (FAILED(dialog->GetResult(&chosen.p)))
        return {};
    PWSTR path = nullptr;
    if (FAILED(chosen->GetDisplayName(SIGDN_FILESYSPATH, &path)))
        return {};
    const QString result = QString::fromWCharArray(path);
    CoTaskMemFree(path);

    // A name typed without an extension, given one by the dialog, is used as
    // typed.
    const QString typedFile = QFileInfo(typed.name).fileName();
    const QFileInfo chosenFile(result);
    if (!typedFile.isEmpty() && !typedFile.contains(u'.') && chosenFile.completeBaseName() == typedFile &&
        !chosenFile.suffix().isEmpty())
        return QDir::toNativeSeparators(chosenFile.dir().filePath(typedFile));
    return result;
}
