#include "app/AppStyle.h"
#include "app/Layout.h"
#include "app/ModalInteraction.h"
#include "app/frmMain.h"

#include <QApplication>
#include <QSettings>
#include <QStyleFactory>

int main(int argc, char* argv[])
{
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Zarvik's ML Utility"));
    QApplication::setApplicationVersion(QStringLiteral("1.2"));
    QApplication::setDesktopFileName(QStringLiteral("zarvik-ml-utility"));
    QApplication::setFont(DesignFont());
    QApplication::setStyle(new AppStyle(QStyleFactory::create(QApplication::style()->name())));

    // The remembered game directory: application "ZarvikSoft", section
    // "ModLoader", key "DXPath", in the platform's own settings store.
    QSettings settings(QSettings::NativeFormat, QSettings::UserScope, QStringLiteral("ZarvikSoft"),
                       QStringLiteral("ModLoader"));
    QtModalInteraction ui;

    frmMain window(ui, settings);
    window.Form_Load();
    return app.exec();
}
