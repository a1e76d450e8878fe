#include "GameDirectoryBrowse.h"

#include "document/ModDocument.h"
#include "widgets/ModalInteraction.h"

void browseForGameDirectory(ModalInteraction& ui, QWidget* parent, ModDocument& document)
{
    for (;;) {
        const Result<QString> asked =
            ui.existingDirectory(parent, QStringLiteral("Select the directory where Deus Ex is installed"));
        if (!asked.ok()) {
            ui.tell(parent, asked.error(), ModalInteraction::Icon::Exclamation);
            return;
        }
        const QString& chosen = asked.value();
        if (chosen.isEmpty())
            return;
        const Result<> taken = document.chooseGamePath(chosen);
        if (taken.ok())
            return;
        ui.tell(parent, taken.error(), ModalInteraction::Icon::None);
    }
}
