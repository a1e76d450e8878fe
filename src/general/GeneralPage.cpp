#include "GeneralPage.h"

#include "files/Paths.h"
#include "game/GamePath.h"
#include "game/MapsAndNames.h"
#include "mod/ModDefinition.h"
#include "widgets/Layout.h"
#include "widgets/LostFocusChecks.h"
#include "widgets/ModalInteraction.h"

#include <QCheckBox>
#include <QFrame>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSettings>
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

// The per-user setting that remembers the game directory.
constexpr char PathSettingKey[] = "DXPath";

} // namespace

GeneralPage::GeneralPage(ModalInteraction& ui, LostFocusChecks& focusChecks, QSettings& settings, QWidget* parent)
    : QFrame(parent), m_ui(ui), m_focusChecks(focusChecks), m_settings(settings)
{
    setObjectName(QStringLiteral("frmGeneral"));
    setFrameShape(QFrame::NoFrame);
    setAccessibleName(QStringLiteral("General"));

    auto label = [this](const ControlDesign& design, QWidget* buddy) { Place<QLabel>(this, design)->setBuddy(buddy); };

    txtPath = Place<QLineEdit>(this, Design::txtPath);
    label(Design::Label21, txtPath);
    cmdBrowse3 = PlaceButtonWithTip(this, Design::cmdBrowse3, "Browse for the Deus Ex directory");

    txtName = Place<QLineEdit>(this, Design::txtName);
    label(Design::Label1, txtName);

    txtMap = Place<QLineEdit>(this, Design::txtMap);
    label(Design::Label2, txtMap);
    cmdBrowse1 = PlaceButtonWithTip(this, Design::cmdBrowse1, "Browse for a starting map");

    txtSplash = Place<QLineEdit>(this, Design::txtSplash);
    label(Design::Label3, txtSplash);
    cmdBrowse2 = PlaceButtonWithTip(this, Design::cmdBrowse2, "Browse for a splash map");

    txtCredits = Place<QLineEdit>(this, Design::txtCredits);
    label(Design::Label4, txtCredits);

    txtPlayer = Place<QLineEdit>(this, Design::txtPlayer);
    label(Design::Label5, txtPlayer);

    chkAction = Place<QCheckBox>(this, Design::chkAction);
    chkAutoStart = Place<QCheckBox>(this, Design::chkAutoStart);

    connect(txtPath, &QLineEdit::textChanged, this, &GeneralPage::txtPath_Change);
    m_focusChecks.watch(txtPath, [this] { txtPath_LostFocus(); });
    connect(cmdBrowse3, &QPushButton::clicked, this, &GeneralPage::cmdBrowse3_Click);
    connect(chkAutoStart, &QCheckBox::toggled, this, &GeneralPage::chkAutoStart_Click);
    connect(cmdBrowse1, &QPushButton::clicked, this, &GeneralPage::cmdBrowse1_Click);
    connect(cmdBrowse2, &QPushButton::clicked, this, &GeneralPage::cmdBrowse2_Click);
    m_focusChecks.watch(txtMap, [this] { txtMap_LostFocus(); });
    m_focusChecks.watch(txtName, [this] { txtName_LostFocus(); });
}

void GeneralPage::apply(const ModDefinition& mod)
{
    txtName->setText(mod.name);
    chkAction->setChecked(mod.action);
    txtPlayer->setText(mod.playerClass);
    txtCredits->setText(mod.credits);
    txtSplash->setText(mod.splashMap);
    txtMap->setText(mod.startingMap);
}

void GeneralPage::collect(ModDefinition& mod) const
{
    mod.name = txtName->text();
    mod.action = chkAction->isChecked();
    mod.playerClass = txtPlayer->text();
    mod.credits = txtCredits->text();
    mod.splashMap = txtSplash->text();
    mod.startingMap = txtMap->text();
}

QString GeneralPage::GamePath() const
{
    return txtPath->text();
}

void GeneralPage::setGamePath(const QString& path)
{
    txtPath->setText(path);
}

QWidget* GeneralPage::gamePathField() const
{
    return txtPath;
}

void GeneralPage::restoreGamePath()
{
    // One saved while the field still had the focus lacks its final
    // separator, and every name joined to it would miss.
    txtPath->setText(WithTrailingSeparator(m_settings.value(QString::fromLatin1(PathSettingKey)).toString()));
}

void GeneralPage::txtPath_Change()
{
    // Start-up puts the remembered path back into the field: writing it back
    // unchanged would cost a locked, synced rewrite of the settings file
    // before the window is painted.
    const QString key = QString::fromLatin1(PathSettingKey);
    const QString path = txtPath->text();
    if (m_settings.value(key).toString() != path || !m_settings.contains(key))
        m_settings.setValue(key, path);
}

void GeneralPage::txtPath_LostFocus()
{
    const QString text = txtPath->text();
    if (!text.isEmpty() && !HasTrailingSeparator(text))
        txtPath->setText(text + PathSeparator());
}

void GeneralPage::cmdBrowse3_Click()
{
    for (;;) {
        const Result<QString> asked =
            m_ui.existingDirectory(this, QStringLiteral("Select the directory where Deus Ex is installed"));
        if (!asked.ok()) {
            m_ui.tell(this, asked.error(), ModalInteraction::Icon::Exclamation);
            return;
        }
        const QString& chosen = asked.value();
        if (chosen.isEmpty())
            return;
        if (IsGameDirectory(chosen)) {
            // A drive root comes with its separator already there.
            txtPath->setText(WithTrailingSeparator(chosen));
            return;
        }
        m_ui.tell(this, QStringLiteral("Essential Deus Ex files were not found in this directory."),
                  ModalInteraction::Icon::None);
    }
}

void GeneralPage::setAutoStart(bool on)
{
    chkAutoStart->setChecked(on);
}

void GeneralPage::writeAutostartFlag(FlagForm form)
{
    writeAutostartFlag(form, chkAutoStart->isChecked());
}

void GeneralPage::chkAutoStart_Click()
{
    if (!GamePath().isEmpty())
        writeAutostartFlag(FlagForm::Unspaced, !chkAutoStart->isChecked());
}

void GeneralPage::writeAutostartFlag(FlagForm form, bool shownBefore)
{
    const QString gamePath = GamePath();
    const Result<> written = WriteAutostartFlag(gamePath, chkAutoStart->isChecked(), form);
    if (written.ok())
        return;
    // The loader goes by the file, so the box goes back to what the file
    // still says (to what it showed before where the file cannot be read
    // either), without its handler: nothing is written again.
    const Result<bool> flag = ReadAutostartFlag(gamePath);
    {
        const QSignalBlocker blocker(chkAutoStart);
        chkAutoStart->setChecked(flag.valueOr(shownBefore));
    }
    m_ui.tell(this,
              QStringLiteral("The autostart setting could not be written to %1.\n%2")
                  .arg(PathInMessage(AutostartFlagFile(gamePath)), written.error()),
              ModalInteraction::Icon::Exclamation);
}

void GeneralPage::browseForMap(QLineEdit* field)
{
    // The dialog may pick a file anywhere; only its name is kept, and the
    // map check waits until the user leaves the field.
    // Titled with the field's name, without its colon.
    QString title = QString::fromLatin1(field == txtMap ? Design::Label2.caption : Design::Label3.caption);
    title.chop(1);
    const QString chosen = m_ui.openFileName(this, title, GameFile(GamePath(), QStringLiteral("Maps")), MapFilters);
    if (chosen.isEmpty())
        return;
    field->setText(FileNamePart(chosen));
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
    if (MapFound(GamePath(), txtMap->text()))
        return;
    m_ui.tell(this,
              QStringLiteral("This map was not found in the DeusEx\\Maps directory. It must be there for the Orvane "
                             "ML to work."),
              ModalInteraction::Icon::Exclamation);
    m_focusChecks.returnFocus(txtMap);
}

void GeneralPage::txtName_LostFocus()
{
    if (!HasForbiddenNameCharacter(txtName->text()))
        return;
    m_ui.tell(this, ForbiddenNameMessage(), ModalInteraction::Icon::Critical);
    m_focusChecks.returnFocus(txtName);
}
