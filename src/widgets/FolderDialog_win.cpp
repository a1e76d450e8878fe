#include "FolderDialog.h"

#include "ComObjects_win.h"

#include <QDir>
#include <QWidget>

#include <shobjidl.h>
#include <windows.h>

Result<QString> askFolder(QWidget* parent, const QString& prompt)
{
    const auto failed = [](HRESULT result) {
        return Failure{QStringLiteral("The folder dialog could not be shown.\n%1").arg(qt_error_string(int(result)))};
    };
    Held<IFileOpenDialog> dialog;
    const HRESULT made = CoCreateInstance(CLSID_FileOpenDialog, nullptr, CLSCTX_INPROC_SERVER, IID_PPV_ARGS(&dialog.p));
    if (FAILED(made))
        return failed(made);
    FILEOPENDIALOGOPTIONS options = 0;
    dialog->GetOptions(&options);
    dialog->SetOptions(options | FOS_PICKFOLDERS | FOS_FORCEFILESYSTEM | FOS_PATHMUSTEXIST | FOS_NOCHANGEDIR);
    // After the options: choosing folders gives Wine's dialog its own title.
    dialog->SetTitle(wide(prompt));

    Held<IShellItem> home;
    const QString homeDir = QDir::toNativeSeparators(QDir::homePath());
    if (SUCCEEDED(SHCreateItemFromParsingName(wide(homeDir), nullptr, IID_PPV_ARGS(&home.p))))
        dialog->SetFolder(home.p);

    const HWND owner = parent ? reinterpret_cast<HWND>(parent->window()->winId()) : nullptr;
    const HRESULT shown = dialog->Show(owner);
    if (shown == HRESULT_FROM_WIN32(ERROR_CANCELLED))
        return QString();
    if (FAILED(shown))
        return failed(shown);
    QString folder;
    if (const HRESULT result = chosenPath(dialog.p, folder); FAILED(result))
        return failed(result);
    return QDir::toNativeSeparators(folder);
}
