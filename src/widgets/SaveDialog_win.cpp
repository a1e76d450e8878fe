#include "SaveDialog.h"

#include <QDir>
#include <QFileInfo>
#include <QRegularExpression>
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
    static const QRegularExpression patternsAtEnd(QStringLiteral("\\(([^()]*)\\)\\s*$"));
    QStringList patterns;
    for (const QString& filter : filters) {
        const QRegularExpressionMatch match = patternsAtEnd.match(filter);
        patterns << (match.hasMatch() ? match.captured(1).split(u' ', Qt::SkipEmptyParts).join(u';')
                                      : QStringLiteral("*.*"));
    }
    std::vector<COMDLG_FILTERSPEC> specs;
    for (qsizetype i = 0; i < filters.size(); ++i)
        specs.push_back({Wide(filters[i]), Wide(patterns[i])});
    if (!specs.empty())
        dialog->SetFileTypes(static_cast<UINT>(specs.size()), specs.data());

    Held<IShellItem> folder;
    const QString nativeDir = QDir::toNativeSeparators(QDir::cleanPath(initialDir));
    if (SUCCEEDED(SHCreateItemFromParsingName(Wide(nativeDir), nullptr, IID_PPV_ARGS(&folder.p))))
        dialog->SetFolder(folder.p);

    const HWND owner = parent ? reinterpret_cast<HWND>(parent->window()->winId()) : nullptr;
    if (FAILED(dialog->Show(owner)))
        return {}; // cancelled
    Held<IShellItem> chosen;
    if (FAILED(dialog->GetResult(&chosen.p)))
        return {};
    PWSTR path = nullptr;
    if (FAILED(chosen->GetDisplayName(SIGDN_FILESYSPATH, &path)))
        return {};
    const QString result = QString::fromWCharArray(path);
    CoTaskMemFree(path);

    // Wine's dialog adds the chosen filter's extension all the same: a name
    // typed without an extension is given back as typed.
    PWSTR typedName = nullptr;
    if (FAILED(dialog->GetFileName(&typedName)) || !typedName)
        return result;
    const QString typed = QFileInfo(QString::fromWCharArray(typedName)).fileName();
    CoTaskMemFree(typedName);
    const QFileInfo chosenFile(result);
    if (!typed.isEmpty() && !typed.contains(u'.') && chosenFile.completeBaseName() == typed &&
        !chosenFile.suffix().isEmpty())
        return QDir::toNativeSeparators(chosenFile.dir().filePath(typed));
    return result;
}
