// The Skills page: the level spinners and the level check.

#include "support/Controls.h"
#include "support/GameFixture.h"
#include "support/TestWindow.h"

#include "app/frmMain.h"
#include "skills/LevelSpinner.h"

#include <QLineEdit>
#include <QTabWidget>
#include <QTest>
#include <QWheelEvent>
#include <QtTest/qtestspontaneevent.h>

using Icon = ModalInteraction::Icon;

namespace {

constexpr int Lockpicking = 6;

// The Skills page of a shown, active window.
struct SkillsWindow
{
    SkillsWindow()
    {
        TabStrip(&w)->setCurrentIndex(3);
        w.show();
        QApplication::setActiveWindow(&w);
    }
    QLineEdit* txtLevel(int index) const { return Control<QLineEdit>(&w, "txtLevel", index); }
    LevelSpinner* scrlLevel(int index) const { return Control<LevelSpinner>(&w, "scrlLevel", index); }

    TestWindow t;
    frmMain& w = *t.window;
};

void clickArrow(LevelSpinner* spinner, bool up)
{
    const QPoint at(spinner->width() / 2, up ? 2 : spinner->height() - 3);
    QTest::mouseClick(spinner, Qt::LeftButton, {}, at);
}

// Lets a check queued by a focus change run.
void settle()
{
    QCoreApplication::sendPostedEvents();
    QCoreApplication::processEvents();
}

} // namespace

class TestSkills : public QObject
{
    Q_OBJECT
private slots:
    void spinnerStepsFromItsOwnValue();
    void upKeyRaisesTheLevel();
    void wheelMovesOnlyAFocusedSpinner();
    void levelCheck_data();
    void levelCheck();
    void newLeavesSpinnersWhereTheyAre();
};

void TestSkills::spinnerStepsFromItsOwnValue()
{
    SkillsWindow s;
    LevelSpinner* spinner = s.scrlLevel(Lockpicking);
    QLineEdit* text = s.txtLevel(Lockpicking);
    QCOMPARE(text->text(), QStringLiteral("1"));
    QCOMPARE(spinner->size(), QSize(13, 19));
    QCOMPARE(spinner->x(), text->geometry().right()); // touching the box

    clickArrow(spinner, false); // already at the bottom: nothing moves
    QCOMPARE(text->text(), QStringLiteral("1"));

    clickArrow(spinner, true);
    QCOMPARE(text->text(), QStringLiteral("2"));

    // A typed level is overwritten by the spinner's own next value.
    text->setText(QStringLiteral("3"));
    clickArrow(spinner, false);
    QCOMPARE(text->text(), QStringLiteral("1"));

    for (int i = 0; i < 6; ++i)
        clickArrow(spinner, true);
    QCOMPARE(text->text(), QStringLiteral("4"));
    QCOMPARE(spinner->value(), 4);

    // The text never moves the spinner.
    text->setText(QStringLiteral("2"));
    QCOMPARE(spinner->value(), 4);
    QVERIFY(s.t.ui.asked.isEmpty());
}

void TestSkills::upKeyRaisesTheLevel()
{
    SkillsWindow s;
    LevelSpinner* spinner = s.scrlLevel(0);
    spinner->setFocus();
    QTest::keyClick(spinner, Qt::Key_Up);
    QTest::keyClick(spinner, Qt::Key_Up);
    QCOMPARE(s.txtLevel(0)->text(), QStringLiteral("3"));
    QTest::keyClick(spinner, Qt::Key_Down);
    QCOMPARE(s.txtLevel(0)->text(), QStringLiteral("2"));
}

void TestSkills::wheelMovesOnlyAFocusedSpinner()
{
    SkillsWindow s;
    LevelSpinner* spinner = s.scrlLevel(Lockpicking);
    auto wheelUp = [spinner] {
        const QPointF at(spinner->width() / 2.0, spinner->height() / 2.0);
        QWheelEvent wheel(at, spinner->mapToGlobal(at), QPoint(), QPoint(0, 120), Qt::NoButton, Qt::NoModifier,
                          Qt::NoScrollPhase, false);
        QSpontaneKeyEvent::setSpontaneous(&wheel);
        QApplication::sendEvent(spinner, &wheel);
    };
    s.txtLevel(0)->setFocus();
    QTRY_VERIFY(s.txtLevel(0)->hasFocus());

    // Rolled over on its way past: nothing changes, and the focus stays.
    wheelUp();
    QCOMPARE(spinner->value(), 1);
    QCOMPARE(s.txtLevel(Lockpicking)->text(), QStringLiteral("1"));
    QVERIFY(s.txtLevel(0)->hasFocus());

    spinner->setFocus();
    QTRY_VERIFY(spinner->hasFocus());
    wheelUp();
    QCOMPARE(spinner->value(), 2);
    QCOMPARE(s.txtLevel(Lockpicking)->text(), QStringLiteral("2"));
}

void TestSkills::levelCheck_data()
{
    QTest::addColumn<QString>("typed");
    QTest::addColumn<bool>("refused");
    QTest::newRow("zero") << "0" << true;
    QTest::newRow("five") << "5" << true;
    QTest::newRow("empty") << "" << true;
    QTest::newRow("letters") << "abc" << true;
    QTest::newRow("blanks join digits: 1 2 reads as 12") << "1 2" << true;
    QTest::newRow("just below one") << "0.99" << true;
    QTest::newRow("fraction") << "2.5" << false;
    QTest::newRow("four") << "4" << false;
    QTest::newRow("number and words") << "3 stars" << false;
    QTest::newRow("blank before") << " 1" << false;
}

void TestSkills::levelCheck()
{
    QFETCH(QString, typed);
    QFETCH(bool, refused);
    SkillsWindow s;
    QLineEdit* text = s.txtLevel(Lockpicking);
    text->setFocus();
    QTRY_COMPARE(QApplication::focusWidget(), text);
    text->clear();
    QTest::keyClicks(text, typed);
    QTest::keyClick(text, Qt::Key_Tab);

    if (refused) {
        QTRY_COMPARE(s.t.ui.messages().size(), 1);
        const auto& asked = s.t.ui.asked.first();
        QCOMPARE(asked.text, QStringLiteral("You can only enter a value between 1 and 4"));
        QCOMPARE(asked.icon, Icon::None);
        QCOMPARE(asked.buttons, ModalInteraction::Buttons::Ok);
        QTRY_COMPARE(QApplication::focusWidget(), text);
    } else {
        QTRY_COMPARE(QApplication::focusWidget(), s.scrlLevel(Lockpicking));
    }
    settle();
    QCOMPARE(s.t.ui.messages().size(), refused ? 1 : 0);
    QCOMPARE(text->text(), typed);
    QCOMPARE(s.scrlLevel(Lockpicking)->value(), 1);
}

void TestSkills::newLeavesSpinnersWhereTheyAre()
{
    SkillsWindow s;
    LevelSpinner* spinner = s.scrlLevel(Lockpicking);
    clickArrow(spinner, true);
    clickArrow(spinner, true);
    QCOMPARE(spinner->value(), 3);
    s.w.NewMod();
    QCOMPARE(spinner->value(), 3);
    clickArrow(spinner, true);
    QCOMPARE(s.txtLevel(Lockpicking)->text(), QStringLiteral("4"));
}

QTEST_MAIN(TestSkills)
#include "test_skills.moc"
