#include "app/frmMain.h"
#include "widgets/Layout.h"
#include "widgets/ModalInteraction.h"

#include <QApplication>
#include <QSettings>

int main(int argc, char* argv[])
{
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Zarvik's ML Utility"));
    QApplication::setApplicationVersion(QStringLiteral("1.2"));
    QApplication::setDesktopFileName(QStringLiteral("zarvik-ml-utility"));
    QApplication::setFont(DesignFont());

    // The remembered game directory: application "ZarvikSoft", section
    // "ModLoader", key "DXPath", in the platform's own settings store.
    QSettings settings(QSettings::NativeFormat, QSettings::UserScope, QStringLiteral("ZarvikSoft"),
                       QStringLiteral("ModLoader"));
    QtModalInteraction ui;

    frmMain window(ui, settings);
    window.Form_Load();
    return app.exec();
}
