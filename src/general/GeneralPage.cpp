#include "GeneralPage.h"

#include "GameDirectoryBrowse.h"
#include "document/ModDocument.h"
#include "files/Paths.h"
#include "game/MapsAndNames.h"
#include "widgets/Layout.h"
#include "widgets/LostFocusChecks.h"
#include "widgets/ModalInteraction.h"

#include <QCheckBox>
#include <QFrame>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSignalBlocker>

namespace {

// The page's controls in the order they are made; a label is made after the
// control it names.
namespace Design {
constexpr ControlDesign txtPath{"txtPath", 1440, 240, 3135, 285, 96};
constexpr ControlDesign Label21{"Label21", 240, 240, 1095, 255, NotInTabOrder, "Deus Ex Path:"};
constexpr ControlDesign cmdBrowse3{"cmdBrowse3", 4680, 240, 375, 285, 97, "..."};
constexpr ControlDesign txtName{"txtName", 1440, 720, 3615, 285, 3};
constexpr ControlDesign Label1{"Label1", 240, 720, 1095, 255, NotInTabOrder, "Mod Name:"};
constexpr ControlDesign txtMap{"txtMap", 1440, 1200, 3135, 285, 5};
constexpr ControlDesign Label2{"Label2", 240, 1200, 1095, 255, NotInTabOrder, "Starting Map:"};
constexpr ControlDesign cmdBrowse1{"cmdBrowse1", 4680, 1200, 375, 285, 93, "..."};
constexpr ControlDesign txtSplash{"txtSplash", 1440, 1680, 3135, 285, 7};
constexpr ControlDesign Label3{"Label3", 240, 1680, 1095, 255, NotInTabOrder, "Splash Map:"};
constexpr ControlDesign cmdBrowse2{"cmdBrowse2", 4680, 1680, 375, 285, 94, "..."};
constexpr ControlDesign txtCredits{"txtCredits", 1440, 2160, 3615, 285, 11};
constexpr ControlDesign Label4{"Label4", 240, 2160, 1215, 255, NotInTabOrder, "Starting Credits:"};
constexpr ControlDesign txtPlayer{"txtPlayer", 1440, 2640, 3615, 285, 12};
constexpr ControlDesign Label5{"Label5", 240, 2640, 1215, 255, NotInTabOrder, "PlayerClass:"};
constexpr ControlDesign chkAction{"chkAction", 240, 3000, 2775, 255, 8, "Show difficulty and skills screens"};
constexpr ControlDesign chkAutoStart{"chkAutoStart", 240, 3360, 2295, 255, 9, "Autostart Orvane Mod Loader"};
} // namespace Design

const QStringList MapFilters{QStringLiteral("Deus Ex Maps (*.dx)"), QStringLiteral("All Files (*.*)")};

} // namespace

GeneralPage::GeneralPage(ModalInteraction& ui, LostFocusChecks& focusChecks, ModDocument& document, QWidget* parent)
    : QFrame(parent), m_ui(ui), m_focusChecks(focusChecks), m_document(document)
{
    setObjectName(QStringLiteral("frmGeneral"));
    setFrameShape(QFrame::NoFrame);
    setAccessibleName(QStringLiteral("General"));

    auto label = [this](const ControlDesign& design, QWidget* buddy) { place<QLabel>(this, design)->setBuddy(buddy); };

    txtPath = place<QLineEdit>(this, Design::txtPath);
    label(Design::Label21, txtPath);
    cmdBrowse3 = placeButtonWithTip(this, Design::cmdBrowse3, "Browse for the Deus Ex directory");

    txtName = place<QLineEdit>(this, Design::txtName);
    label(Design::Label1, txtName);

    txtMap = place<QLineEdit>(this, Design::txtMap);
    label(Design::Label2, txtMap);
    cmdBrowse1 = placeButtonWithTip(this, Design::cmdBrowse1, "Browse for a starting map");

    txtSplash = place<QLineEdit>(this, Design::txtSplash);
    label(Design::Label3, txtSplash);
    cmdBrowse2 = placeButtonWithTip(this, Design::cmdBrowse2, "Browse for a splash map");

    txtCredits = place<QLineEdit>(this, Design::txtCredits);
    label(Design::Label4, txtCredits);

    txtPlayer = place<QLineEdit>(this, Design::txtPlayer);
    label(Design::Label5, txtPlayer);

    chkAction = place<QCheckBox>(this, Design::chkAction);
    chkAutoStart = place<QCheckBox>(this, Design::chkAutoStart);

    // The page comes into being showing the document as it is.
    showMod();
    showGamePath();
    showAutostart();

    connect(txtPath, &QLineEdit::textChanged, this, &GeneralPage::txtPath_Change);
    m_focusChecks.watch(txtPath, [this] { txtPath_LostFocus(); });
    connect(cmdBrowse3, &QPushButton::clicked, this, &GeneralPage::cmdBrowse3_Click);
    connect(chkAutoStart, &QCheckBox::toggled, this, &GeneralPage::chkAutoStart_Click);
    connect(cmdBrowse1, &QPushButton::clicked, this, &GeneralPage::cmdBrowse1_Click);
    connect(cmdBrowse2, &QPushButton::clicked, this, &GeneralPage::cmdBrowse2_Click);
    m_focusChecks.watch(txtMap, [this] { txtMap_LostFocus(); });
    m_focusChecks.watch(txtName, [this] { txtName_LostFocus(); });

    // Every change of a field reaches the document, a browse button's or a
    // completed edit's as much as the user's typing.
    const auto writesBack = [this](QLineEdit* field, QString ModDefinition::*part) {
        connect(field, &QLineEdit::textChanged, this, [this, part](const QString& text) {
            m_document.editMod([&](ModDefinition& mod) { mod.*part = text; });
        });
    };
    writesBack(txtName, &ModDefinition::name);
    writesBack(txtMap, &ModDefinition::startingMap);
    writesBack(txtSplash, &ModDefinition::splashMap);
    writesBack(txtCredits, &ModDefinition::credits);
    writesBack(txtPlayer, &ModDefinition::playerClass);
    connect(chkAction, &QCheckBox::toggled, this,
            [this](bool on) { m_document.editMod([on](ModDefinition& mod) { mod.action = on; }); });

    connect(&m_document, &ModDocument::modReplaced, this, &GeneralPage::showMod);
    connect(&m_document, &ModDocument::gamePathChanged, this, &GeneralPage::showGamePath);
    connect(&m_document, &ModDocument::autostartChanged, this, &GeneralPage::showAutostart);
}

void GeneralPage::showMod()
{
    const ModDefinition& mod = m_document.mod();
    txtName->setText(mod.name);
    chkAction->setChecked(mod.action);
    txtPlayer->setText(mod.playerClass);
    txtCredits->setText(mod.credits);
    txtSplash->setText(mod.splashMap);
    txtMap->setText(mod.startingMap);
}

void GeneralPage::showGamePath()
{
    // The field's own change came from here: setting it again would move
    // the cursor away from where the user types.
    if (txtPath->text() != m_document.gamePath())
        txtPath->setText(m_document.gamePath());
}

void GeneralPage::showAutostart()
{
    // The document has written the flag already, or taken the state back
    // from it: the box follows without its handler, so nothing is written
    // again.
    const QSignalBlocker blocker(chkAutoStart);
    chkAutoStart->setChecked(m_document.autostart());
}

QWidget* GeneralPage::gamePathField() const
{
    return txtPath;
}

void GeneralPage::txtPath_Change()
{
    m_document.setGamePath(txtPath->text());
}

void GeneralPage::txtPath_LostFocus()
{
    const QString text = txtPath->text();
    if (!text.isEmpty() && !hasTrailingSeparator(text))
        txtPath->setText(text + pathSeparator());
}

void GeneralPage::cmdBrowse3_Click()
{
    browseForGameDirectory(m_ui, this, m_document);
}

void GeneralPage::chkAutoStart_Click()
{
    const Result<> switched = m_document.setAutostart(chkAutoStart->isChecked());
    if (!switched.ok())
        m_ui.tell(this, switched.error(), ModalInteraction::Icon::Exclamation);
}

void GeneralPage::browseForMap(QLineEdit* field)
{
    // The dialog may pick a file anywhere; only its name is kept, and the
    // map check waits until the user leaves the field.
    // Titled with the field's name, without its colon.
    QString title = QString::fromLatin1(field == txtMap ? Design::Label2.caption : Design::Label3.caption);
    title.chop(1);
    const QString chosen =
        m_ui.openFileName(this, title, gameFile(m_document.gamePath(), QStringLiteral("Maps")), MapFilters);
    if (chosen.isEmpty())
        return;
    field->setText(fileNamePart(chosen));
}

void GeneralPage::cmdBrowse1_Click()
{
    browseForMap(txtMap);
}

void GeneralPage::cmdBrowse2_Click()
{
    browseForMap(txtSplash);
}

void GeneralPage::txtMap_LostFocus()
{
    if (mapFound(m_document.gamePath(), txtMap->text()))
        return;
    m_ui.tell(this,
              QStringLiteral("This map was not found in the DeusEx\\Maps directory. It must be there for the Orvane "
                             "ML to work."),
              ModalInteraction::Icon::Exclamation);
    m_focusChecks.returnFocus(txtMap);
}

void GeneralPage::txtName_LostFocus()
{
    if (!hasForbiddenNameCharacter(txtName->text()))
        return;
    m_ui.tell(this, forbiddenNameMessage(), ModalInteraction::Icon::Critical);
    m_focusChecks.returnFocus(txtName);
}
