#include "SaveDialog.h"

#include "ComObjects_win.h"

#include <QDir>
#include <QFileInfo>
#include <QWidget>

#include <shobjidl.h>
#include <windows.h>

#include <vector>

namespace {

// Takes the name as the user typed it when the dialog is accepted, and asks
// before a file of that name is replaced. The dialog's own answer cannot be
// used: Wine's adds the chosen filter's extension to a name typed without
// one, or with another one ("Upper.INT" becomes "Upper.INT.int") even when it
// is given no default extension, and its own overwrite question is about that
// name, not the typed one.
class TypedName : public IFileDialogEvents
{
public:
    QString target;

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
        if (FAILED(dialog->GetFileName(&typed)) || !typed)
            return S_OK; // the dialog's own result is used
        const QString name = QString::fromWCharArray(typed);
        CoTaskMemFree(typed);
        QString folder;
        Held<IShellItem> shown;
        PWSTR folderPath = nullptr;
        if (SUCCEEDED(dialog->GetFolder(&shown.p)) &&
            SUCCEEDED(shown->GetDisplayName(SIGDN_FILESYSPATH, &folderPath))) {
            folder = QString::fromWCharArray(folderPath);
            CoTaskMemFree(folderPath);
        }
        const QString path = typedSaveTarget(folder, name);
        if (QFileInfo::exists(path)) {
            HWND window = nullptr;
            Held<IOleWindow> ole;
            if (SUCCEEDED(dialog->QueryInterface(IID_PPV_ARGS(&ole.p))))
                ole->GetWindow(&window);
            const QString question =
                QStringLiteral("%1 already exists.\nDo you want to replace it?").arg(QFileInfo(path).fileName());
            if (MessageBoxW(window, wide(question), L"Confirm Save As", MB_YESNO | MB_ICONWARNING | MB_DEFBUTTON2) !=
                IDYES)
                return S_FALSE; // the dialog stays open for another name
        }
        target = path;
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

QString systemMessage(HRESULT result)
{
    return qt_error_string(int(result));
}

// The shell's item for a folder, or why there is none.
HRESULT folderItem(const QString& folder, IShellItem** item)
{
    const QString nativeDir = QDir::toNativeSeparators(QDir::cleanPath(folder));
    return SHCreateItemFromParsingName(wide(nativeDir), nullptr, IID_PPV_ARGS(item));
}

} // namespace

std::optional<QString> saveFolderProblem(const QString& folder)
{
    if (!QFileInfo(folder).isDir())
        return QStringLiteral("The folder does not exist.");
    Held<IShellItem> item;
    const HRESULT found = folderItem(folder, &item.p);
    if (SUCCEEDED(found))
        return std::nullopt;
    if (QDir::toNativeSeparators(QDir::cleanPath(folder)).size() >= MAX_PATH)
        return QStringLiteral("Its path is longer than the dialog can show.");
    return systemMessage(found);
}

// Windows' save dialog, shown without a default extension: Qt's wrapper of
// it always gives it the first filter's extension, which the dialog then
// adds to a name typed without one.
Result<QString> askSaveFileName(QWidget* parent, const QString& initialDir, const QStringList& filters)
{
    const auto failed = [](HRESULT result) {
        return Failure{QStringLiteral("The save dialog could not be shown.\n%1").arg(systemMessage(result))};
    };
    Held<IFileSaveDialog> dialog;
    const HRESULT made = CoCreateInstance(CLSID_FileSaveDialog, nullptr, CLSCTX_INPROC_SERVER, IID_PPV_ARGS(&dialog.p));
    if (FAILED(made))
        return failed(made);

    // The overwrite question is the program's own, about the typed name.
    FILEOPENDIALOGOPTIONS options = 0;
    dialog->GetOptions(&options);
    dialog->SetOptions((options & ~FOS_OVERWRITEPROMPT) | FOS_FORCEFILESYSTEM | FOS_PATHMUSTEXIST | FOS_NOCHANGEDIR);

    // "Orvane Mod files (*.int)": the whole text is the caption, the part in
    // brackets the patterns, separated by ";" as the dialog wants them.
    QStringList patterns;
    for (const QString& filter : filters) {
        const std::optional<QStringList> inBrackets = filterPatterns(filter);
        patterns << (inBrackets ? inBrackets->join(u';') : QStringLiteral("*.*"));
    }
    std::vector<COMDLG_FILTERSPEC> fileTypes;
    for (qsizetype i = 0; i < filters.size(); ++i)
        fileTypes.push_back({wide(filters[i]), wide(patterns[i])});
    if (!fileTypes.empty())
        dialog->SetFileTypes(static_cast<UINT>(fileTypes.size()), fileTypes.data());

    // A folder it cannot open in has been told of already.
    Held<IShellItem> folder;
    if (SUCCEEDED(folderItem(initialDir, &folder.p)))
        dialog->SetFolder(folder.p);

    TypedName typed;
    DWORD cookie = 0;
    const bool advised = SUCCEEDED(dialog->Advise(&typed, &cookie));
    const HWND owner = parent ? reinterpret_cast<HWND>(parent->window()->winId()) : nullptr;
    const HRESULT shown = dialog->Show(owner);
    if (advised)
        dialog->Unadvise(cookie);
    if (shown == HRESULT_FROM_WIN32(ERROR_CANCELLED))
        return QString();
    if (FAILED(shown))
        return failed(shown);
    if (!typed.target.isEmpty())
        return typed.target;

    QString chosen;
    if (const HRESULT result = chosenPath(dialog.p, chosen); FAILED(result))
        return failed(result);
    return chosen;
}
