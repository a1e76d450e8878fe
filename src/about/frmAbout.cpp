#include "frmAbout.h"

#include "AboutLinks.h"
#include "game/HelpDocument.h"
#include "widgets/AssetPictures.h"
#include "widgets/Captions.h"
#include "widgets/Layout.h"
#include "widgets/ModalInteraction.h"

#include <QCloseEvent>
#include <QKeyEvent>
#include <QLabel>
#include <QMouseEvent>
#include <QPushButton>
#include <QUrl>

#include <algorithm>

namespace {

constexpr int ClientWidth = 4440;
constexpr int ClientHeight = 2775;

const QColor BackgroundColour(0, 0, 0);
const QColor PlainColour(208, 208, 208);
const QColor TitleColour(255, 0, 0);
const QColor LinkColour(63, 96, 143);
const QColor LinkHoverColour(127, 154, 195);

// How a label answers the mouse passing over it: links light up, the credit
// texts put the links back, the title and the version do neither.
enum class Role
{
    Title,
    Quiet,
    Resets,
    Link,
};

struct AboutLabel
{
    QLabel* frmAbout::*member;
    ControlDesign design;
    Role role;
};

// In the order they are made: later labels lie on top of earlier ones where
// the design lets them overlap.
const std::array<AboutLabel, 13> Labels{{
    {&frmAbout::Label1, {"Label1", 360, 120, 3615, 615, NotInTabOrder, "Zarvik's ML Utility"}, Role::Title},
    {&frmAbout::Label5, {"Label5", 2040, 600, 375, 255, NotInTabOrder, "v" ZARVIK_VERSION}, Role::Quiet},
    {&frmAbout::lblAbout1,
     {"lblAbout1", 360, 960, 1935, 375, NotInTabOrder, "This utility was created by website."},
     Role::Resets},
    {&frmAbout::lblHL, {"lblHL", 2220, 960, 375, 255, NotInTabOrder, "Zarvik"}, Role::Link},
    {&frmAbout::lblAbout2, {"lblAbout2", 2600, 960, 1215, 255, NotInTabOrder, "of the Orvane"}, Role::Resets},
    {&frmAbout::lblTanks1, {"lblTanks1", 360, 1350, 735, 495, NotInTabOrder, "Thanks to thanks to"}, Role::Resets},
    {&frmAbout::lblTovin, {"lblTovin", 1140, 1350, 975, 255, NotInTabOrder, AboutLinks::ThankedName}, Role::Link},
    {&frmAbout::lblThanks2,
     {"lblThanks2", 2040, 1350, 1815, 255, NotInTabOrder, "for help and advice and"},
     Role::Resets},
    {&frmAbout::lblTeamOrvane, {"lblTeamOrvane", 1060, 1550, 735, 255, NotInTabOrder, "Team Orvane"}, Role::Link},
    {&frmAbout::Label3, {"Label3", 1800, 1540, 2055, 255, NotInTabOrder, "for making the Mod Loader."}, Role::Resets},
    {&frmAbout::lblEmail, {"lblEmail", 600, 1920, 615, 255, NotInTabOrder, "Email"}, Role::Link},
    {&frmAbout::lblWebsite, {"lblWebsite", 600, 2160, 615, 255, NotInTabOrder, "Website"}, Role::Link},
    {&frmAbout::lblHelp, {"lblHelp", 3240, 2160, 375, 255, NotInTabOrder, "Help"}, Role::Link},
}};

constexpr ControlDesign OkButton{"cmdOK", 1680, 2040, 1215, 375, NotInTabOrder, "OK"};

void setTextColour(QLabel* label, const QColor& colour)
{
    QPalette palette = label->palette();
    palette.setColor(QPalette::WindowText, colour);
    label->setPalette(palette);
}

void setLinkLook(QLabel* link, const QColor& colour, bool underlined)
{
    setTextColour(link, colour);
    QFont font = link->font();
    font.setUnderline(underlined);
    link->setFont(font);
}

} // namespace

frmAbout::frmAbout(ModalInteraction& ui, const QString& programDirectory, QWidget* parent)
    : QDialog(parent), m_ui(ui), m_programDirectory(programDirectory)
{
    setObjectName(QStringLiteral("frmAbout"));
    setWindowTitle(QStringLiteral("About Zarvik's ML Utility"));
    setWindowIcon(applicationIcon());
    setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                   Qt::WindowCloseButtonHint | Qt::MSWindowsFixedSizeDialogHint);
    setModal(true);

    setFont(designFont());

    QPalette palette = this->palette();
    palette.setColor(QPalette::Window, BackgroundColour);
    setPalette(palette);
    setAutoFillBackground(true);
    // Moves over the background put the links back; see eventFilter for the labels.
    setMouseTracking(true);

    for (const AboutLabel& row : Labels) {
        auto* label = place<QLabel>(this, row.design);
        label->setTextFormat(Qt::PlainText);
        label->setAlignment(Qt::AlignLeft | Qt::AlignTop);
        label->setWordWrap(row.design.height > 255 && row.role != Role::Title);
        this->*row.member = label;
        switch (row.role) {
        case Role::Title: {
            setTextColour(label, TitleColour);
            // Verdana, else faces of its wide, open kind, else any sans-serif
            // face: a serif stand-in is taller and runs into the version.
            QFont titleFont;
            titleFont.setFamilies({QStringLiteral("Verdana"), QStringLiteral("DejaVu Sans"), QStringLiteral("Tahoma"),
                                   QStringLiteral("Liberation Sans"), QStringLiteral("Arial")});
            titleFont.setStyleHint(QFont::SansSerif);
            titleFont.setPointSizeF(20.25);
            titleFont.setBold(true);
            label->setFont(titleFont);
            break;
        }
        case Role::Quiet:
            setTextColour(label, PlainColour);
            break;
        case Role::Resets:
            setTextColour(label, PlainColour);
            label->setMouseTracking(true);
            label->installEventFilter(this);
            break;
        case Role::Link:
            setLinkLook(label, LinkColour, false);
            label->setMouseTracking(true);
            label->setCursor(Qt::PointingHandCursor);
            label->installEventFilter(this);
            break;
        }
    }
    // Without mouse tracking the title and the version swallow the moves over
    // them, so passing over them changes no link.

    lblHL->setAccessibleDescription(QStringLiteral("Write to the author"));
    lblEmail->setAccessibleDescription(QStringLiteral("Write to the author"));
    lblTovin->setAccessibleDescription(QStringLiteral("Write to ") + lblTovin->text());
    lblTeamOrvane->setAccessibleDescription(QStringLiteral("Open the team's site"));
    lblWebsite->setAccessibleDescription(QStringLiteral("Open the website"));
    lblHelp->setAccessibleDescription(QStringLiteral("Open the help document"));

    m_clicks = {
        {lblHL, &frmAbout::lblHL_Click},           {lblEmail, &frmAbout::lblEmail_Click},
        {lblTovin, &frmAbout::lblTovin_Click},     {lblTeamOrvane, &frmAbout::lblTeamOrvane_Click},
        {lblWebsite, &frmAbout::lblWebsite_Click}, {lblHelp, &frmAbout::lblHelp_Click},
    };

    // Neither default nor cancel button, so Enter and Space work on it only
    // while it has the focus; Escape does what it does.
    cmdOK = place<QPushButton>(this, OkButton);
    connect(cmdOK, &QPushButton::clicked, this, &frmAbout::cmdOK_Click);
    cmdOK->setFocus();

    // The links take the focus too, in the order they are read, so the
    // keyboard reaches each of them from OK and back; Enter or Space opens
    // the one that has it.
    QWidget* previous = cmdOK;
    for (QLabel* link : {lblHL, lblTovin, lblTeamOrvane, lblEmail, lblWebsite, lblHelp}) {
        link->setFocusPolicy(Qt::TabFocus);
        setTabOrder(previous, link);
        previous = link;
    }
    setTabOrder(previous, cmdOK);

    fitCaptions();
}

void frmAbout::fitCaptions()
{
    // The design's widths were measured in another font. Each credit line
    // must still read as one sentence, and a wrapped label breaks where the
    // design breaks it.
    const QString createdBy = QStringLiteral("This utility was created by");
    breakCaptionAfter(lblAbout1, createdBy);
    breakCaptionAfter(lblTanks1, QStringLiteral("Thanks to"));
    flowCaptions(lblAbout1, createdBy, {lblHL, lblAbout2});
    flowCaptions(lblTanks1, QStringLiteral("Thanks to"), {lblTovin, lblThanks2});
    flowCaptions(lblTanks1, QStringLiteral("thanks to"), {lblTeamOrvane, Label3});

    // Every other one-line label keeps its place and grows to its text; the
    // title may need more room than the design gave it where Verdana is missing.
    for (QLabel* label : {Label1, Label5, lblEmail, lblWebsite, lblHelp})
        fitCaption(label);

    // The window grows only when a line would otherwise run off its edge,
    // and OK stays in the middle.
    const int margin = fromTwips(360);
    int width = fromTwips(ClientWidth);
    for (QLabel* label : findChildren<QLabel*>())
        width = std::max(width, label->geometry().right() + 1 + margin);
    setFixedSize(width, fromTwips(ClientHeight));
    cmdOK->move((width - cmdOK->width()) / 2, cmdOK->y());
}

void frmAbout::cmdOK_Click()
{
    hide();
}

void frmAbout::lblHL_Click()
{
    open(QUrl(QStringLiteral("mailto:") + QLatin1String(AboutLinks::AuthorEmail)));
}

void frmAbout::lblEmail_Click()
{
    open(QUrl(QStringLiteral("mailto:") + QLatin1String(AboutLinks::AuthorEmail)));
}

void frmAbout::lblTovin_Click()
{
    open(QUrl(QStringLiteral("mailto:") + QLatin1String(AboutLinks::ThankedEmail)));
}

void frmAbout::lblTeamOrvane_Click()
{
    open(QUrl(QString::fromLatin1(AboutLinks::TeamSite)));
}

void frmAbout::lblWebsite_Click()
{
    open(QUrl(QString::fromLatin1(AboutLinks::Website)));
}

void frmAbout::lblHelp_Click()
{
    // Not checked first: a missing document simply leaves the screen as it was.
    open(QUrl::fromLocalFile(helpDocumentPath(m_programDirectory)));
}

void frmAbout::open(const QUrl& target)
{
    // Whether the desktop found a handler is not reported; this window shows
    // no messages.
    m_ui.openUrl(target);
}

void frmAbout::highlightLink(QLabel* link)
{
    setLinkLook(link, LinkHoverColour, true);
}

void frmAbout::ResetLinks()
{
    // The link the keyboard is on stays lit: that is how it shows the focus.
    for (QLabel* link : {lblHL, lblEmail, lblTovin, lblTeamOrvane, lblHelp, lblWebsite}) {
        if (!link->hasFocus())
            setLinkLook(link, LinkColour, false);
    }
}

bool frmAbout::eventFilter(QObject* watched, QEvent* event)
{
    auto* label = qobject_cast<QLabel*>(watched);
    if (!label)
        return QDialog::eventFilter(watched, event);
    const bool isLink = m_clicks.contains(label);
    switch (event->type()) {
    case QEvent::MouseMove:
        if (isLink)
            highlightLink(label);
        else
            ResetLinks();
        return true;
    case QEvent::FocusIn:
        if (isLink)
            highlightLink(label);
        break;
    case QEvent::FocusOut:
        // A link left by the keyboard goes back; one under the mouse is lit
        // again by the next move over it.
        if (isLink)
            setLinkLook(label, LinkColour, false);
        break;
    case QEvent::KeyPress: {
        const int key = static_cast<QKeyEvent*>(event)->key();
        if (isLink && (key == Qt::Key_Return || key == Qt::Key_Enter || key == Qt::Key_Space)) {
            (this->*m_clicks.value(label))();
            return true;
        }
        break;
    }
    case QEvent::MouseButtonPress:
        if (isLink && static_cast<QMouseEvent*>(event)->button() == Qt::LeftButton) {
            m_pressedLink = label;
            return true;
        }
        break;
    case QEvent::MouseButtonRelease: {
        auto* mouse = static_cast<QMouseEvent*>(event);
        if (isLink && mouse->button() == Qt::LeftButton) {
            // A click is a press and a release on the same link.
            const bool clicked = m_pressedLink == label && label->rect().contains(mouse->position().toPoint());
            m_pressedLink = nullptr;
            if (clicked)
                (this->*m_clicks.value(label))();
            return true;
        }
        break;
    }
    default:
        break;
    }
    return QDialog::eventFilter(watched, event);
}

void frmAbout::mouseMoveEvent(QMouseEvent* event)
{
    ResetLinks();
    QDialog::mouseMoveEvent(event);
}

void frmAbout::closeEvent(QCloseEvent* event)
{
    m_discarded = true;
    QDialog::closeEvent(event);
}

void frmAbout::keyPressEvent(QKeyEvent* event)
{
    // Escape does what OK does: the window is hidden and kept.
    if (event->key() == Qt::Key_Escape) {
        event->accept();
        cmdOK_Click();
        return;
    }
    QDialog::keyPressEvent(event);
}
