// The About window: its design, the links lighting up under the mouse, their
// targets, and what OK and the close box keep.

#include "support/ApplicationFont.h"
#include "support/Controls.h"
#include "support/GameFixture.h"
#include "support/TestWindow.h"

#include "about/frmAbout.h"
#include "app/frmMain.h"
#include "widgets/Layout.h"

#include <QAction>
#include <QDir>
#include <QLabel>
#include <QMouseEvent>
#include <QPointer>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

#include <algorithm>
#include <functional>

using namespace Qt::StringLiterals;

using Kind = ScriptedModalInteraction::Asked::Kind;

namespace {

const QColor LinkColour(63, 96, 143);
const QColor LitColour(127, 154, 195);
const QColor PlainColour(208, 208, 208);

QColor textColour(const QLabel* label)
{
    return label->palette().color(QPalette::WindowText);
}

bool lit(const QLabel* link)
{
    return textColour(link) == LitColour && link->font().underline();
}

bool normal(const QLabel* link)
{
    return textColour(link) == LinkColour && !link->font().underline();
}

QList<QLabel*> links(const frmAbout& about)
{
    return {about.lblHL, about.lblEmail, about.lblTovin, about.lblTeamOrvane, about.lblWebsite, about.lblHelp};
}

// A shown About window of its own, with scripted dialogs.
struct AboutWindow
{
    AboutWindow() : about(ui, programDir.path())
    {
        about.show();
        QApplication::setActiveWindow(&about);
    }
    // Moves the mouse, with no button held, over a point of a control; the
    // window system delivers it to whatever lies on top there.
    void moveOver(QWidget* control, QPoint at = {})
    {
        const QPoint inWindow = control->mapTo(&about, at.isNull() ? control->rect().center() : at);
        QTest::mouseMove(&about, inWindow);
    }

    ScriptedModalInteraction ui;
    QTemporaryDir programDir;
    frmAbout about;
};

// The same move, sent straight to the control under the point, for the
// modal window that other windows may cover on the test platform.
void moveOverDirectly(frmAbout* about, QWidget* control)
{
    const QPoint inWindow = control->mapTo(about, control->rect().center());
    QWidget* target = about->childAt(inWindow);
    if (!target)
        target = about;
    QMouseEvent move(QEvent::MouseMove, target->mapFrom(about, inWindow), about->mapToGlobal(inWindow), Qt::NoButton,
                     Qt::NoButton, Qt::NoModifier);
    QApplication::sendEvent(target, &move);
}

// Opens the About window from the Help menu and acts in it while it is
// shown modally; the window is hidden afterwards whatever the action did.
frmAbout* duringAbout(frmMain& window, const std::function<void(frmAbout*)>& act)
{
    QPointer<frmAbout> shown;
    QTimer::singleShot(0, &window, [&] {
        shown = window.findChild<frmAbout*>();
        if (!shown)
            return;
        act(shown);
        if (shown && shown->isVisible())
            shown->hide();
    });
    Control<QAction>(&window, u"mnuAbout"_s)->trigger();
    return shown;
}

} // namespace

class TestAbout : public QObject
{
    Q_OBJECT
private slots:
    void design();
    void creditLinesReadAsSentences_data();
    void creditLinesReadAsSentences();
    void titleClearOfTheVersion();
    void highlightAndReset();
    void plainLabelsReset();
    void linkTargets_data();
    void linkTargets();
    void okKeepsLinksCloseBoxDiscards();
    void keyboardReachesEveryLink_data();
    void keyboardReachesEveryLink();
    void escapeDoesWhatOkDoes();
};

void TestAbout::design()
{
    AboutWindow a;
    frmAbout& about = a.about;
    QCOMPARE(about.windowTitle(), QStringLiteral("About Zarvik's ML Utility"));
    QVERIFY(about.isModal());
    QCOMPARE(about.palette().color(QPalette::Window), QColor(0, 0, 0));
    QVERIFY(about.width() >= 296);
    QCOMPARE(about.height(), 185);
    QVERIFY(!about.windowFlags().testFlag(Qt::WindowMaximizeButtonHint));
    QVERIFY(!about.windowFlags().testFlag(Qt::WindowMinimizeButtonHint));

    QCOMPARE(about.Label1->text(), QStringLiteral("Zarvik's ML Utility"));
    QCOMPARE(textColour(about.Label1), QColor(255, 0, 0));
    QCOMPARE(about.Label1->font().families().constFirst(), QStringLiteral("Verdana"));
    QCOMPARE(about.Label1->font().pointSizeF(), 20.25);
    QVERIFY(about.Label1->font().bold());
    QCOMPARE(about.Label1->pos(), QPoint(24, 8));
    QCOMPARE(about.Label5->text(), QStringLiteral("v" ZARVIK_VERSION));
    QCOMPARE(about.lblAbout1->text(), QStringLiteral("This utility was created by website."));
    QCOMPARE(about.lblTanks1->text(), QStringLiteral("Thanks to thanks to"));
    QCOMPARE(about.Label3->text(), QStringLiteral("for making the Mod Loader."));
    for (QLabel* plain :
         {about.Label5, about.lblAbout1, about.lblAbout2, about.lblTanks1, about.lblThanks2, about.Label3})
        QCOMPARE(textColour(plain), PlainColour);
    for (QLabel* link : links(about))
        QVERIFY2(normal(link), qPrintable(link->objectName()));

    // "Email" stands right above "Website", the two touching.
    QCOMPARE(about.lblEmail->geometry().bottom(), about.lblWebsite->y());
    QCOMPARE(about.lblEmail->x(), about.lblWebsite->x());

    QVERIFY(qAbs(about.cmdOK->geometry().center().x() - about.width() / 2) <= 1);
}

void TestAbout::creditLinesReadAsSentences_data()
{
    QTest::addColumn<int>("pointSize");
    // The design font as the program uses it, and faces narrower and wider
    // than the one the design's places were measured in.
    QTest::newRow("design font") << 0;
    QTest::newRow("small") << 6;
    QTest::newRow("large") << 11;
}

void TestAbout::creditLinesReadAsSentences()
{
    // Whatever the font, each piece of a credit line starts one space after
    // the text before it ends, so the line reads as one sentence.
    QFETCH(int, pointSize);
    const ApplicationFontScope restore;
    QFont font = designFont();
    if (pointSize > 0)
        font.setPointSize(pointSize);
    QApplication::setFont(font);
    AboutWindow a;
    frmAbout& about = a.about;
    // One space between pieces: more reads as a gap in the sentence.
    auto followsText = [](QLabel* piece, QLabel* before, const QString& text) {
        const QFontMetrics metrics = before->fontMetrics();
        const int textRight = before->x() + metrics.horizontalAdvance(text);
        const int space = metrics.horizontalAdvance(u' ');
        return piece->x() > textRight && piece->x() <= textRight + space;
    };
    QVERIFY(followsText(about.lblHL, about.lblAbout1, QStringLiteral("This utility was created by")));
    QVERIFY(followsText(about.lblAbout2, about.lblHL, about.lblHL->text()));
    QVERIFY(followsText(about.lblTovin, about.lblTanks1, QStringLiteral("Thanks to")));
    QVERIFY(followsText(about.lblThanks2, about.lblTovin, about.lblTovin->text()));
    QVERIFY(followsText(about.lblTeamOrvane, about.lblTanks1, QStringLiteral("thanks to")));
    QVERIFY(followsText(about.Label3, about.lblTeamOrvane, about.lblTeamOrvane->text()));
    for (QLabel* label : about.findChildren<QLabel*>())
        QVERIFY2(label->geometry().right() < about.width(), qPrintable(label->objectName()));
    // The thanked person's name is shown whole.
    QVERIFY(about.lblTovin->width() > about.lblTovin->fontMetrics().horizontalAdvance(about.lblTovin->text()));
}

void TestAbout::titleClearOfTheVersion()
{
    // Whichever face stands in for Verdana, the red title keeps clear of
    // "v1.2" below it.
    AboutWindow a;
    frmAbout& about = a.about;
    const QImage image = about.grab().toImage();
    const QRect around = about.Label5->geometry().adjusted(-2, -2, 2, 2);
    for (int y = around.top(); y <= around.bottom(); ++y) {
        for (int x = around.left(); x <= around.right(); ++x) {
            const QColor pixel = image.pixelColor(x, y);
            QVERIFY2(pixel.red() <= pixel.green() + 40, qPrintable(QStringLiteral("title ink at %1,%2").arg(x).arg(y)));
        }
    }
}

void TestAbout::highlightAndReset()
{
    AboutWindow a;
    frmAbout& about = a.about;
    QVERIFY(QTest::qWaitForWindowExposed(&about));

    // From the background onto "Website" and back.
    QTest::mouseMove(&about, QPoint(4, about.height() - 4));
    a.moveOver(about.lblWebsite);
    QVERIFY(lit(about.lblWebsite));
    for (QLabel* link : links(about)) {
        if (link != about.lblWebsite)
            QVERIFY2(normal(link), qPrintable(link->objectName()));
    }
    QTest::mouseMove(&about, QPoint(4, about.height() - 4));
    QVERIFY(normal(about.lblWebsite));

    // Straight from "Email" onto "Website": both stay lit, also over the
    // title, the version and OK, until the background is crossed.
    a.moveOver(about.lblEmail, QPoint(about.lblEmail->width() / 2, about.lblEmail->height() - 2));
    a.moveOver(about.lblWebsite, QPoint(about.lblWebsite->width() / 2, 1));
    QVERIFY(lit(about.lblEmail));
    QVERIFY(lit(about.lblWebsite));
    a.moveOver(about.Label1);
    a.moveOver(about.Label5);
    a.moveOver(about.cmdOK);
    QVERIFY(lit(about.lblEmail));
    QVERIFY(lit(about.lblWebsite));
    QTest::mouseMove(&about, QPoint(about.width() - 4, 4));
    for (QLabel* link : links(about))
        QVERIFY2(normal(link), qPrintable(link->objectName()));
}

void TestAbout::plainLabelsReset()
{
    AboutWindow a;
    frmAbout& about = a.about;
    QVERIFY(QTest::qWaitForWindowExposed(&about));
    for (QLabel* plain : {about.lblAbout1, about.lblAbout2, about.lblTanks1, about.lblThanks2, about.Label3}) {
        for (QLabel* link : links(about))
            a.moveOver(link);
        a.moveOver(plain, QPoint(2, 2));
        for (QLabel* link : links(about))
            QVERIFY2(normal(link), qPrintable(plain->objectName() + QStringLiteral(" / ") + link->objectName()));
    }
}

void TestAbout::linkTargets_data()
{
    QTest::addColumn<QString>("link");
    QTest::addColumn<QString>("target"); // empty: the help document
    QTest::newRow("author's handle") << "lblHL"
                                     << "mailto:zarvik@orvane.example";
    QTest::newRow("Email") << "lblEmail"
                           << "mailto:zarvik@orvane.example";
    QTest::newRow("thanked person") << "lblTovin"
                                    << "mailto:tovin.hale@orvane.example";
    QTest::newRow("team site") << "lblTeamOrvane"
                               << "https://team.orvane.example/";
    QTest::newRow("website") << "lblWebsite"
                             << "https://www.orvane.example/orvane";
    QTest::newRow("help, document missing") << "lblHelp"
                                            << "";
}

void TestAbout::linkTargets()
{
    QFETCH(QString, link);
    QFETCH(QString, target);
    AboutWindow a;
    a.ui.openUrlResult = false; // no handler: still nothing is shown
    QLabel* label = a.about.findChild<QLabel*>(link);
    QVERIFY(label);
    QTest::mouseClick(label, Qt::LeftButton);

    const auto opened = a.ui.ofKind(Kind::Url);
    QCOMPARE(opened.size(), 1);
    const QUrl expected = target.isEmpty()
                              ? QUrl::fromLocalFile(QDir(a.programDir.path()).filePath(QStringLiteral("readme.htm")))
                              : QUrl(target);
    QCOMPARE(opened[0].url, expected);
    QVERIFY(a.ui.messages().isEmpty());
    QVERIFY(a.about.isVisible());
}

void TestAbout::okKeepsLinksCloseBoxDiscards()
{
    TestWindow t;
    frmMain& w = *t.window;
    w.show();

    // Lit under the mouse, then OK from the keyboard.
    bool litBeforeOk = false;
    QPointer<frmAbout> first = duringAbout(w, [&](frmAbout* about) {
        moveOverDirectly(about, about->lblHL);
        litBeforeOk = lit(about->lblHL);
        about->cmdOK->setFocus();
        QTest::keyClick(about->cmdOK, Qt::Key_Space);
    });
    QVERIFY(first);
    QVERIFY(litBeforeOk);
    QVERIFY(!first->isVisible());

    // The same window comes back as it was left; its close box discards it.
    bool stillLit = false;
    frmAbout* second = duringAbout(w, [&](frmAbout* about) {
        stillLit = lit(about->lblHL);
        about->close();
    });
    QCOMPARE(second, first.data());
    QVERIFY(stillLit);
    QVERIFY(first.isNull());

    // The next opening starts afresh.
    bool allNormal = false;
    QPointer<frmAbout> third = duringAbout(w, [&](frmAbout* about) {
        const QList<QLabel*> all = links(*about);
        allNormal = std::all_of(all.cbegin(), all.cend(), normal);
        QTest::mouseClick(about->cmdOK, Qt::LeftButton);
    });
    QVERIFY(third);
    QVERIFY(allNormal);
    QVERIFY(t.ui.asked.isEmpty());
}

void TestAbout::keyboardReachesEveryLink_data()
{
    QTest::addColumn<int>("key");
    QTest::newRow("Enter") << int(Qt::Key_Return);
    QTest::newRow("keypad Enter") << int(Qt::Key_Enter);
    QTest::newRow("Space") << int(Qt::Key_Space);
}

void TestAbout::keyboardReachesEveryLink()
{
    // Tab goes from OK through the links as they are read and back to OK; the
    // link with the focus is lit, and the key opens it.
    QFETCH(int, key);
    AboutWindow a;
    frmAbout& about = a.about;
    QVERIFY(QTest::qWaitForWindowActive(&about));
    QCOMPARE(QApplication::focusWidget(), about.cmdOK);
    const QList<QLabel*> order{about.lblHL,    about.lblTovin,   about.lblTeamOrvane,
                               about.lblEmail, about.lblWebsite, about.lblHelp};
    for (QLabel* link : order) {
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        QCOMPARE(QApplication::focusWidget(), link);
        QVERIFY(lit(link));
        for (QLabel* other : links(about)) {
            if (other != link)
                QVERIFY2(normal(other), qPrintable(other->objectName()));
        }
        QTest::keyClick(link, Qt::Key(key));
        QCOMPARE(a.ui.ofKind(Kind::Url).size(), order.indexOf(link) + 1);
    }
    const QList<QUrl> expected{
        QUrl(QStringLiteral("mailto:zarvik@orvane.example")),
        QUrl(QStringLiteral("mailto:tovin.hale@orvane.example")),
        QUrl(QStringLiteral("https://team.orvane.example/")),
        QUrl(QStringLiteral("mailto:zarvik@orvane.example")),
        QUrl(QStringLiteral("https://www.orvane.example/orvane")),
        QUrl::fromLocalFile(QDir(a.programDir.path()).filePath(QStringLiteral("readme.htm"))),
    };
    for (qsizetype i = 0; i < expected.size(); ++i)
        QCOMPARE(a.ui.ofKind(Kind::Url).at(i).url, expected.at(i));
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
    QCOMPARE(QApplication::focusWidget(), about.cmdOK);
    QVERIFY(normal(about.lblHelp));
    QTest::keyClick(about.cmdOK, Qt::Key_Backtab, Qt::ShiftModifier);
    QCOMPARE(QApplication::focusWidget(), about.lblHelp);
    // The mouse passing over the background leaves the keyboard's link lit.
    QTest::mouseMove(&about, QPoint(4, about.height() - 4));
    QVERIFY(lit(about.lblHelp));
    QVERIFY(about.isVisible());
    // Only the links and OK take the focus, and a click gives none to a link.
    for (QWidget* child : about.findChildren<QWidget*>())
        QCOMPARE(child->focusPolicy(), child == about.cmdOK    ? about.cmdOK->focusPolicy()
                                       : order.contains(child) ? Qt::TabFocus
                                                               : Qt::NoFocus);
}

void TestAbout::escapeDoesWhatOkDoes()
{
    // Escape hides the window and keeps it, links as they were, as OK does.
    TestWindow t;
    frmMain& w = *t.window;
    w.show();
    bool visibleAfterEscape = true;
    QPointer<frmAbout> first = duringAbout(w, [&](frmAbout* about) {
        moveOverDirectly(about, about->lblTovin);
        QTest::keyClick(about, Qt::Key_Escape);
        visibleAfterEscape = about->isVisible();
    });
    QVERIFY(first);
    QVERIFY(!visibleAfterEscape);
    bool stillLit = false;
    frmAbout* second = duringAbout(w, [&](frmAbout* about) {
        stillLit = lit(about->lblTovin);
        QTest::keyClick(about->lblTovin, Qt::Key_Escape);
    });
    QCOMPARE(second, first.data());
    QVERIFY(stillLit);
    QVERIFY(first);
}

QTEST_MAIN(TestAbout)
#include "test_about.moc"
