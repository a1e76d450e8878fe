// The mod definition file: composing it byte for byte, the numeric rules and
// the values that cannot be saved, reading it back, and that whatever Save
// accepts opens again as it was.

#include "support/ModRoundTrip.h"
#include "support/SampleMods.h"

#include "files/AnsiText.h"
#include "files/TextFile.h"
#include "mod/GameReading.h"
#include "mod/GetField.h"
#include "mod/ModFormat.h"
#include "mod/ModReader.h"
#include "mod/Numeric.h"

#include <QElapsedTimer>
#include <QFile>
#include <QRandomGenerator>
#include <QTemporaryDir>
#include <QTest>

#include <algorithm>

using namespace Qt::StringLiterals;

namespace {

const QString NewModDescription = QStringLiteral("Skills=0;0;0;0;0;0;0;0;0;0;0;; Map=");

} // namespace

class TestMod : public QObject
{
    Q_OBJECT
private slots:
    void workedExamplesByteForByte();
    void leaveOutRules_data();
    void leaveOutRules();
    void skillLevelEncoding_data();
    void skillLevelEncoding();
    void numericValue_data();
    void numericValue();
    void numericText_data();
    void numericText();
    void unsavableValues_data();
    void unsavableValues();
    void unencodableCharacterShownAsTyped_data();
    void unencodableCharacterShownAsTyped();
    void everyValueReadsBackExactlyWhenSaveTakesIt();
    void cp1252RoundTripsEveryByte();
    void cp1252HighCharacterAnywhere_data();
    void cp1252HighCharacterAnywhere();
    void atomicWriteKeepsOldFileOnFailure();
    void getField_data();
    void getField();
    void listEntriesAsGetFieldReadsThem_data();
    void listEntriesAsGetFieldReadsThem();
    void readWorkedExample();
    void readHandWrittenFiles();
    void readAugmentations_data();
    void readAugmentations();
    void readSkills_data();
    void readSkills();
    void readFileCutShort_data();
    void readFileCutShort();
    void recognisesModDefinitions_data();
    void recognisesModDefinitions();
    void overlongValues_data();
    void overlongValues();
    void readingIsLinear();
    void gameValue_data();
    void gameValue();
    void gameReadingOfFiles_data();
    void gameReadingOfFiles();
};

void TestMod::workedExamplesByteForByte()
{
    QCOMPARE(
        composeModFile(WorkedExampleSample()),
        QStringLiteral("[Public]\r\nObject=(Name=\"Test Mod\",Class=Class,MetaClass=Quenlar.MLGameInfo,Description=\""
                       "Action=Start; Inv=DeusEx.MedKit(2);DeusEx.WeaponPistol;MyPackage.MyItem;; "
                       "Class=ModPkg.ModPlayer; Credits=500; SkillPts=5000; Skills=0;1;0;0;0;0;2;0;0;3;0;; "
                       "Aug=DeusEx.AugSpeed(1);DeusEx.AugHealing(0);DeusEx.AugCloak(3);; Splash=ModSplash.dx; "
                       "Map=ModMap.dx\")"));
    QCOMPARE(composeModFile(NewModSample()),
             QStringLiteral("[Public]\r\nObject=(Name=\"\",Class=Class,MetaClass=Quenlar.MLGameInfo,Description=\"") +
                 NewModDescription + QStringLiteral("\")"));
}

void TestMod::leaveOutRules_data()
{
    QTest::addColumn<QString>("field");
    QTest::addColumn<QString>("value");
    QTest::addColumn<QString>("description");

    QTest::newRow("placeholder class") << "class"
                                       << "MyPackage.MyNewPlayer" << NewModDescription;
    QTest::newRow("other class") << "class"
                                 << "A.B" << QStringLiteral("Class=A.B; ") + NewModDescription;
    QTest::newRow("placeholder splash") << "splash"
                                        << "DX.dx" << NewModDescription;
    QTest::newRow("splash in other case") << "splash"
                                          << "dx.dx"
                                          << "Skills=0;0;0;0;0;0;0;0;0;0;0;; Splash=dx.dx; Map=";
    QTest::newRow("credits abc") << "credits"
                                 << "abc" << NewModDescription;
    QTest::newRow("credits empty") << "credits"
                                   << "" << NewModDescription;
    QTest::newRow("credits as typed") << "credits"
                                      << " -12.50 " << QStringLiteral("Credits= -12.50 ; ") + NewModDescription;
    QTest::newRow("credits decimal") << "credits"
                                     << "1.5" << QStringLiteral("Credits=1.5; ") + NewModDescription;
    QTest::newRow("skill points 1e3") << "skillpts"
                                      << "1e3" << NewModDescription;
    QTest::newRow("skill points") << "skillpts"
                                  << "+7" << QStringLiteral("SkillPts=+7; ") + NewModDescription;
    QTest::newRow("map with spaces") << "map"
                                     << "My Map.dx"
                                     << "Skills=0;0;0;0;0;0;0;0;0;0;0;; Map=My Map.dx";
    QTest::newRow("inventory entry with package")
        << "inventory"
        << "Pkg.Item(3)" << QStringLiteral("Inv=Pkg.Item(3);; ") + NewModDescription;
    QTest::newRow("inventory entry gets prefix")
        << "inventory"
        << "Flare" << QStringLiteral("Inv=DeusEx.Flare;; ") + NewModDescription;
    QTest::newRow("action") << "action"
                            << "" << QStringLiteral("Action=Start; ") + NewModDescription;
    QTest::newRow("aug level kept as read") << "aug"
                                            << "AugVision"
                                            << "Skills=0;0;0;0;0;0;0;0;0;0;0;; Aug=DeusEx.AugVision(7);; Map=";
}

void TestMod::leaveOutRules()
{
    QFETCH(QString, field);
    QFETCH(QString, value);
    QFETCH(QString, description);
    ModDefinition mod = NewModSample();
    if (field == QLatin1String("class"))
        mod.playerClass = value;
    else if (field == QLatin1String("splash"))
        mod.splashMap = value;
    else if (field == QLatin1String("credits"))
        mod.credits = value;
    else if (field == QLatin1String("skillpts"))
        mod.skillPoints = value;
    else if (field == QLatin1String("map"))
        mod.startingMap = value;
    else if (field == QLatin1String("inventory"))
        mod.inventory = {value};
    else if (field == QLatin1String("action"))
        mod.action = true;
    else if (field == QLatin1String("aug")) {
        mod.augSlots[2] = value;
        mod.augLevels[2] = 7;
    }
    QCOMPARE(composeDescription(mod), description);
}

void TestMod::skillLevelEncoding_data()
{
    QTest::addColumn<QString>("level");
    QTest::addColumn<QString>("written");
    QTest::newRow("1") << "1"
                       << "0";
    QTest::newRow("2") << "2"
                       << "1";
    QTest::newRow("4") << "4"
                       << "3";
    QTest::newRow("empty") << ""
                           << "-1";
    QTest::newRow("x") << "x"
                       << "-1";
    QTest::newRow("2.5") << "2.5"
                         << "1.5";
    QTest::newRow("1 2") << "1 2"
                         << "11";
    QTest::newRow("3 stars") << "3 stars"
                             << "2";
    QTest::newRow("0.5") << "0.5"
                         << "-0.5";
    QTest::newRow("1.1 without binary noise") << "1.1"
                                              << "0.1";
    QTest::newRow("2.3 without binary noise") << "2.3"
                                              << "1.3";
    QTest::newRow("3.14159") << "3.14159"
                             << "2.14159";
    QTest::newRow("the next double after 1") << "1.0000000000000002"
                                             << "0.0000000000000002";
}

void TestMod::skillLevelEncoding()
{
    QFETCH(QString, level);
    QFETCH(QString, written);
    QCOMPARE(encodeSkillLevel(level), written);
    // Open adds the one back and shows the level as typed.
    const double typed = ::numericValue(level);
    if (typed > 0.0 && typed < 5.0)
        QCOMPARE(shortestDecimal(::numericValue(written) + 1.0), shortestDecimal(typed));
}

void TestMod::numericValue_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<double>("value");
    QTest::newRow("empty") << "" << 0.0;
    QTest::newRow("plain") << "42" << 42.0;
    QTest::newRow("blanks inside") << " 1 2" << 12.0;
    QTest::newRow("tab and line feed") << "\t3\n5" << 35.0;
    QTest::newRow("trailing words") << "3 stars" << 3.0;
    QTest::newRow("fraction") << "2.5" << 2.5;
    QTest::newRow("sign") << "- 4" << -4.0;
    QTest::newRow("leading fraction") << ".5x" << 0.5;
    QTest::newRow("letters first") << "abc" << 0.0;
    QTest::newRow("carriage return is not a blank") << "\r4" << 0.0;
}

void TestMod::numericValue()
{
    QFETCH(QString, text);
    QFETCH(double, value);
    QCOMPARE(::numericValue(text), value);
}

void TestMod::numericText_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<bool>("numeric");
    QTest::newRow("empty") << "" << false;
    QTest::newRow("blanks only") << "   " << false;
    QTest::newRow("digits") << "500" << true;
    QTest::newRow("blanks around") << " 500 " << true;
    QTest::newRow("signed fraction") << "-1.25" << true;
    QTest::newRow("fraction only") << ".5" << true;
    QTest::newRow("sign only") << "-" << false;
    QTest::newRow("words") << "abc" << false;
    QTest::newRow("digits then words") << "5 k" << false;
    QTest::newRow("two points") << "1.2.3" << false;
}

void TestMod::numericText()
{
    QFETCH(QString, text);
    QFETCH(bool, numeric);
    QCOMPARE(isNumericText(text), numeric);
}

void TestMod::unsavableValues_data()
{
    // The field named in the message for the worked example, which has every
    // item, and for a new mod, which has few: empty when the value can be
    // saved, and then reads back as saved. A key text inside a value matters
    // only where Open finds it before its item, or where the item is left out.
    QTest::addColumn<QString>("field");
    QTest::addColumn<QString>("value");
    QTest::addColumn<QString>("inWorkedExample");
    QTest::addColumn<QString>("inNewMod");

    QTest::newRow("semicolon in map is read back") << "map"
                                                   << "A;B.dx"
                                                   << ""
                                                   << "";
    QTest::newRow("closing quote in map") << "map"
                                          << "A\")"
                                          << "Starting Map"
                                          << "Starting Map";
    // Open reads the map on to the closing quote; the game stops at any.
    QTest::newRow("lone quote in map") << "map"
                                       << "A\"B"
                                       << "Starting Map"
                                       << "Starting Map";
    QTest::newRow("quote ending the map") << "map"
                                          << "A\""
                                          << "Starting Map"
                                          << "Starting Map";
    QTest::newRow("semicolon in class") << "class"
                                        << "A;B"
                                        << "PlayerClass"
                                        << "PlayerClass";
    QTest::newRow("closing quote in class") << "class"
                                            << "A\")"
                                            << "PlayerClass"
                                            << "PlayerClass";
    QTest::newRow("semicolon in placeholder-free splash") << "splash"
                                                          << "S;.dx"
                                                          << "Splash Map"
                                                          << "Splash Map";
    // Open reads the splash map up to its ";", but the game stops at the quote.
    QTest::newRow("closing quote in splash") << "splash"
                                             << "S\").dx"
                                             << "Splash Map"
                                             << "Splash Map";
    QTest::newRow("semicolon in inventory") << "inventory"
                                            << "Box;Red"
                                            << "Current Inventory"
                                            << "Current Inventory";
    QTest::newRow("closing quote in inventory") << "inventory"
                                                << "Box\")"
                                                << "Current Inventory"
                                                << "Current Inventory";
    QTest::newRow("parenthesis in an entry") << "inventory"
                                             << ").x"
                                             << ""
                                             << "";
    QTest::newRow("quote in name") << "name"
                                   << "The \"Mod\""
                                   << "Mod Name"
                                   << "Mod Name";
    QTest::newRow("semicolon in name is fine") << "name"
                                               << "A;B"
                                               << ""
                                               << "";
    QTest::newRow("euro sign is fine") << "name" << QString(QChar(0x20AC)) << ""
                                       << "";
    QTest::newRow("kanji") << u"map"_s << QString(QChar(0x6F22)) + u".dx"_s << "Starting Map"
                           << "Starting Map";
    QTest::newRow("kanji in name") << "name" << QString(QChar(0x6F22)) << "Mod Name"
                                   << "Mod Name";
    QTest::newRow("line break") << "class"
                                << "A\nB"
                                << "PlayerClass"
                                << "PlayerClass";

    // Key texts Open would find in place of their items.
    QTest::newRow("credits key in the class") << "class"
                                              << "P.Credits=1"
                                              << "PlayerClass"
                                              << "PlayerClass";
    QTest::newRow("map key in the name") << "name"
                                         << "Map=Test"
                                         << "Mod Name"
                                         << "Mod Name";
    QTest::newRow("key in other letter case") << "name"
                                              << "my mAP=x"
                                              << "Mod Name"
                                              << "Mod Name";
    QTest::newRow("description key in the name") << "name"
                                                 << "A Description=B"
                                                 << "Mod Name"
                                                 << "Mod Name";
    // Open's search for it minds the letter case; the game's does not.
    QTest::newRow("description in small letters") << "name"
                                                  << "a description=b"
                                                  << "Mod Name"
                                                  << "Mod Name";
    QTest::newRow("action in the splash map") << "splash"
                                              << "Action=Start.dx"
                                              << ""
                                              << "Splash Map";
    QTest::newRow("class key in an inventory entry") << "inventory"
                                                     << "Pkg.MetaClass=X"
                                                     << "Current Inventory"
                                                     << "Current Inventory";
    QTest::newRow("splash key in the map, where the splash is left out") << "map"
                                                                         << "Splash=S.dx"
                                                                         << ""
                                                                         << "Starting Map";
    // Open finds the player class only from the Description on, but the
    // game takes a class key in the name for the entry's own.
    QTest::newRow("class key in the name") << "name"
                                           << "Class=Warrior"
                                           << "Mod Name"
                                           << "Mod Name";
    QTest::newRow("class key among words") << "name"
                                           << "First Class=Best"
                                           << "Mod Name"
                                           << "Mod Name";
    QTest::newRow("class key the game reads as the loader's") << "name"
                                                              << "A Class=Class B"
                                                              << ""
                                                              << "";
    QTest::newRow("class key after a letter") << "name"
                                              << "FirstClass=Best"
                                              << ""
                                              << "";
    // Key texts Open finds only after their items, or that read as nothing:
    // such a file opens as it was saved.
    QTest::newRow("skills key in the map") << "map"
                                           << "Skills=x.dx"
                                           << ""
                                           << "";
    QTest::newRow("map key in the map") << "map"
                                        << "Map=x.dx"
                                        << ""
                                        << "";
    QTest::newRow("inventory key in the map") << "map"
                                              << "inv=x"
                                              << ""
                                              << "Starting Map";
    QTest::newRow("name key in an inventory entry") << "inventory"
                                                    << "P.Name=x"
                                                    << ""
                                                    << "";
    QTest::newRow("name key in the name") << "name"
                                          << "My Name=Best"
                                          << ""
                                          << "";
    // Read as the list of skills from there on, it still gives every level
    // of a new mod.
    QTest::newRow("skill key in the class") << "class"
                                            << "Skills=P"
                                            << "PlayerClass"
                                            << "";
    // Read as the list of augmentations from there on, it names none.
    QTest::newRow("augmentation key in the map") << "map"
                                                 << "Aug=.dx"
                                                 << ""
                                                 << "";
    QTest::newRow("augmentation key naming one in the name") << "name"
                                                             << "Aug=DeusEx.AugSpeed(1)"
                                                             << "Mod Name"
                                                             << "Mod Name";
    QTest::newRow("key fragments without their sign are fine") << "name"
                                                               << "Map Class Inv Skills Splash Aug"
                                                               << ""
                                                               << "";
    QTest::newRow("key text without the equals sign") << "map"
                                                      << "Name.dx"
                                                      << ""
                                                      << "";
    // With no player class of its own, the loader takes one from the map.
    QTest::newRow("class key in the map") << "map"
                                          << "Class=Class1"
                                          << ""
                                          << "Starting Map";
    QTest::newRow("placeholder class is left out, not refused") << "class"
                                                                << "MyPackage.MyNewPlayer"
                                                                << ""
                                                                << "";
}

void TestMod::unsavableValues()
{
    QFETCH(QString, field);
    QFETCH(QString, value);
    QFETCH(QString, inWorkedExample);
    QFETCH(QString, inNewMod);
    const std::pair<ModDefinition, QString> cases[] = {{WorkedExampleSample(), inWorkedExample},
                                                       {NewModSample(), inNewMod}};
    for (const auto& [base, named] : cases) {
        ModDefinition mod = base;
        if (field == QLatin1String("map"))
            mod.startingMap = value;
        else if (field == QLatin1String("class"))
            mod.playerClass = value;
        else if (field == QLatin1String("splash"))
            mod.splashMap = value;
        else if (field == QLatin1String("inventory"))
            mod.inventory = {QStringLiteral("MedKit"), value};
        else if (field == QLatin1String("name"))
            mod.name = value;

        const auto problem = findUnsavableValue(mod);
        const QString difference = OpensDifferently(mod);
        const QString gameDifference = GameReadsDifferently(mod);
        if (named.isEmpty()) {
            QVERIFY2(!problem, qPrintable(problem ? problem->message : QString()));
            QVERIFY2(difference.isEmpty(), qPrintable(difference));
            QVERIFY2(gameDifference.isEmpty(), qPrintable(gameDifference));
            continue;
        }
        QVERIFY2(problem, qPrintable(mod.name));
        QVERIFY2(problem->field.startsWith(named), qPrintable(problem->field));
        QVERIFY(problem->message.contains(named));
        // What is refused for not reading back does not read back.
        if (problem->message.contains(QLatin1String("opened again")))
            QVERIFY2(!difference.isEmpty(), qPrintable(problem->message));
        if (problem->message.contains(QLatin1String("the game")))
            QVERIFY2(!gameDifference.isEmpty(), qPrintable(problem->message));
    }
}

void TestMod::unencodableCharacterShownAsTyped_data()
{
    // The refusal names the character exactly as typed: a small letter stays
    // small, and one beyond U+FFFF is shown whole, not as half of its pair.
    QTest::addColumn<uint>("code");
    QTest::addColumn<QString>("codePoint");
    QTest::newRow("Cyrillic small letter") << 0x0436u << "0436";
    QTest::newRow("Cyrillic capital letter") << 0x0416u << "0416";
    QTest::newRow("Latin small letter with macron") << 0x0101u << "0101";
    QTest::newRow("Greek small letter") << 0x03C9u << "03C9";
    QTest::newRow("CJK ideograph") << 0x4E2Du << "4E2D";
    QTest::newRow("beyond U+FFFF") << 0x1F600u << "1F600";
}

void TestMod::unencodableCharacterShownAsTyped()
{
    QFETCH(uint, code);
    QFETCH(QString, codePoint);
    const auto character = static_cast<char32_t>(code);
    const QString typed = QString::fromUcs4(&character, 1);
    if (AnsiText::firstUnencodable(typed) < 0)
        QSKIP("This system's code page holds the character.");
    ModDefinition mod = NewModSample();
    mod.name = QStringLiteral("My ") + typed + QStringLiteral(" Mod");
    const auto problem = findUnsavableValue(mod);
    QVERIFY(problem);
    QCOMPARE(problem->message, QStringLiteral("The mod can't be saved: the Mod Name field contains the character "
                                              "\"%1\" (U+%2), which a Deus Ex mod file cannot hold.")
                                   .arg(typed, codePoint));
}

void TestMod::everyValueReadsBackExactlyWhenSaveTakesIt()
{
    // Random values built from the marks and keys of the format: whatever
    // Save accepts opens again exactly as saved and the game reads as saved,
    // and whatever it refuses one of the two would read otherwise.
    const QStringList pieces{
        QStringLiteral(";"),
        QStringLiteral("\""),
        QStringLiteral(")"),
        QStringLiteral("="),
        QStringLiteral("("),
        QStringLiteral(","),
        QStringLiteral(" "),
        QStringLiteral("; "),
        QStringLiteral(";;"),
        QStringLiteral("\")"),
        QStringLiteral("a"),
        QStringLiteral("Z"),
        QStringLiteral("."),
        QStringLiteral("1"),
        QStringLiteral("Map"),
        QStringLiteral("map="),
        QStringLiteral("Name"),
        QStringLiteral("Name=\""),
        QStringLiteral("Class"),
        QStringLiteral("class="),
        QStringLiteral("Meta"),
        QStringLiteral("Inv"),
        QStringLiteral("INV="),
        QStringLiteral("Aug"),
        QStringLiteral("Skills"),
        QStringLiteral("SkillPts"),
        QStringLiteral("Credits"),
        QStringLiteral("Splash"),
        QStringLiteral("Action=Start"),
        QStringLiteral("Start"),
        QStringLiteral("Description"),
        QStringLiteral("description="),
        QStringLiteral("DeusEx."),
        QStringLiteral("AugSpeed(2)"),
        QStringLiteral("Object=("),
        QStringLiteral("dx"),
        QStringLiteral("s="),
        QStringLiteral("0;"),
        QStringLiteral(" Class="),
        QStringLiteral("MetaClass="),
        QStringLiteral("Name="),
        QStringLiteral("DESCRIPTION="),
        QStringLiteral("Class=Class"),
        QStringLiteral("\t"),
        QStringLiteral("_"),
    };
    QRandomGenerator random(14);
    const auto randomValue = [&] {
        QString value;
        for (int n = random.bounded(6); n > 0; --n)
            value += pieces[random.bounded(pieces.size())];
        return value;
    };

    int accepted = 0;
    int refused = 0;
    for (int round = 0; round < 6000; ++round) {
        ModDefinition mod = random.bounded(2) ? WorkedExampleSample() : NewModSample();
        for (int n = 1 + random.bounded(3); n > 0; --n) {
            switch (random.bounded(8)) {
            case 0:
                mod.name = randomValue();
                break;
            case 1:
                mod.inventory.append(randomValue());
                break;
            case 2:
                mod.playerClass = randomValue();
                break;
            case 3:
                mod.credits = random.bounded(2) ? randomValue() : QString::number(random.bounded(1000));
                break;
            case 4:
                mod.splashMap = randomValue();
                break;
            case 5:
                mod.startingMap = randomValue();
                break;
            case 6:
                mod.skillLevels[random.bounded(SkillCount)] = QString::number(1 + random.bounded(30) / 10.0);
                break;
            default:
                mod.action = !mod.action;
                break;
            }
        }
        // Now and then a value long enough to bring the name or the
        // Description to the game's limit, give or take a few characters.
        if (random.bounded(10) == 0) {
            const qsizetype around = GameValueLength - 3 + random.bounded(7);
            if (random.bounded(2)) {
                mod.name = mod.name.leftJustified(around, u'n', true);
            } else {
                const qsizetype others = composeDescription(mod).size() - mod.startingMap.size();
                mod.startingMap = mod.startingMap.leftJustified(std::max<qsizetype>(0, around - others), u'm', true);
            }
        }
        const auto problem = findUnsavableValue(mod);
        const QString difference = OpensDifferently(mod);
        const QString gameDifference = GameReadsDifferently(mod);
        const QString file = composeModFile(mod).left(600);
        if (problem) {
            ++refused;
            QVERIFY2(!difference.isEmpty() || !gameDifference.isEmpty(),
                     qPrintable(file + QStringLiteral("\nrefused, yet reads as saved: ") + problem->message));
        } else {
            ++accepted;
            QVERIFY2(difference.isEmpty(), qPrintable(file + QStringLiteral("\n") + difference));
            QVERIFY2(gameDifference.isEmpty(), qPrintable(file + QStringLiteral("\ngame: ") + gameDifference));
        }
    }
    // Enough of both for the test to mean something.
    QVERIFY2(accepted > 2000 && refused > 1000,
             qPrintable(QStringLiteral("%1 accepted, %2 refused").arg(accepted).arg(refused)));
}

void TestMod::cp1252RoundTripsEveryByte()
{
    QByteArray all;
    for (int b = 0; b < 256; ++b)
        all.append(static_cast<char>(b));
    const QString text = AnsiText::decode(all);
    QCOMPARE(text.at(0x80), QChar(0x20AC));
    QCOMPARE(text.at(0xE9), QChar(0xE9));
    QCOMPARE(AnsiText::encode(text).value(), all);
    QCOMPARE(AnsiText::firstUnencodable(QStringLiteral("ab") + QChar(0x0100)), 2);
    QVERIFY(!AnsiText::encode(QString(QChar(0x0100))));
}

void TestMod::cp1252HighCharacterAnywhere_data()
{
    // Plain ASCII is handled in blocks: put the one character that is not
    // ASCII before, inside and after the first blocks.
    QTest::addColumn<int>("at");
    for (int at : {0, 1, 3, 4, 5, 7, 8, 9, 15, 16, 17, 40})
        QTest::addRow("at %d", at) << at;
}

void TestMod::cp1252HighCharacterAnywhere()
{
    QFETCH(int, at);
    const QByteArray ascii = "Object=(Name=\"Mod\",Class=Class,MetaClass=Quenlar.MLGameInfo";
    QByteArray bytes = ascii.left(at) + '\x80' + ascii.mid(at);
    const QString text = AnsiText::decode(bytes);
    QCOMPARE(text, QString::fromLatin1(ascii.left(at)) + QChar(0x20AC) + QString::fromLatin1(ascii.mid(at)));
    QCOMPARE(AnsiText::encode(text).value(), bytes);
    QCOMPARE(AnsiText::firstUnencodable(text), -1);

    // An encodable character ahead of the one that is not is passed over.
    const QString unencodable = text.left(at) + QChar(0x00E9) + text.mid(at, 2) + QChar(0x0100) + text.mid(at + 2);
    QCOMPARE(AnsiText::firstUnencodable(unencodable), at + 3);
    QVERIFY(!AnsiText::encode(unencodable));
}

void TestMod::atomicWriteKeepsOldFileOnFailure()
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("Mod.int"));
    QVERIFY(writeTextFile(path, QStringLiteral("old")).ok());

    // Refused text: the old file stays.
    QVERIFY(!writeTextFile(path, QString(QChar(0x6F22))).ok());
    // A read-only file is not replaced.
    QFile::setPermissions(path, QFileDevice::ReadOwner | QFileDevice::ReadUser);
    QVERIFY(!writeTextFile(path, QStringLiteral("new")).ok());
    QFile::setPermissions(path, QFileDevice::ReadOwner | QFileDevice::WriteOwner);
    // A missing folder is reported.
    QVERIFY(!writeTextFile(dir.filePath(QStringLiteral("Missing/Mod.int")), QStringLiteral("new")).ok());

    QFile f(path);
    QVERIFY(f.open(QIODevice::ReadOnly));
    QCOMPARE(f.readAll(), QByteArray("old"));
}

void TestMod::getField_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<qsizetype>("position");
    QTest::addColumn<QString>("key");
    QTest::addColumn<QString>("endMark"); // "-" for none
    QTest::addColumn<QString>("limit");
    QTest::addColumn<QString>("value");
    QTest::addColumn<qsizetype>("positionAfter");

    QTest::newRow("found") << "a Key=val; b" << qsizetype(1) << "Key="
                           << ";"
                           << ""
                           << "val" << qsizetype(10);
    QTest::newRow("missing key") << "a b" << qsizetype(1) << "Key="
                                 << ";"
                                 << ""
                                 << "" << qsizetype(1);
    QTest::newRow("missing end mark runs to the end") << "Key=val" << qsizetype(1) << "Key="
                                                      << ";"
                                                      << ""
                                                      << "val" << qsizetype(8);
    QTest::newRow("no end mark") << "Key=a;b" << qsizetype(1) << "Key="
                                 << "-"
                                 << ""
                                 << "a;b" << qsizetype(8);
    QTest::newRow("position 0") << "Key=val;" << qsizetype(0) << "Key="
                                << ";"
                                << ""
                                << "" << qsizetype(0);
    QTest::newRow("key before position") << "Key=val;" << qsizetype(2) << "Key="
                                         << ";"
                                         << ""
                                         << "" << qsizetype(2);
    QTest::newRow("limit before end mark") << "Key=a(2);" << qsizetype(1) << "Key="
                                           << ";"
                                           << ")"
                                           << "" << qsizetype(1);
    QTest::newRow("limit after end mark") << "Key=a;(2)" << qsizetype(1) << "Key="
                                          << ";"
                                          << ")"
                                          << "a" << qsizetype(6);
    QTest::newRow("case-insensitive key") << "kEY=v;" << qsizetype(1) << "Key="
                                          << ";"
                                          << ""
                                          << "v" << qsizetype(6);
    QTest::newRow("next entry from the end mark") << "L=a;b;;" << qsizetype(4) << ";"
                                                  << ";"
                                                  << ""
                                                  << "b" << qsizetype(6);
    QTest::newRow("empty entry") << "L=a;;" << qsizetype(4) << ";"
                                 << ";"
                                 << ""
                                 << "" << qsizetype(5);
}

void TestMod::getField()
{
    QFETCH(QString, text);
    QFETCH(qsizetype, position);
    QFETCH(QString, key);
    QFETCH(QString, endMark);
    QFETCH(QString, limit);
    QFETCH(QString, value);
    QFETCH(qsizetype, positionAfter);
    const QString result = endMark == QLatin1String("-") ? GetField(position, text, key, NoEndMark, limit)
                                                         : GetField(position, text, key, endMark, limit);
    QCOMPARE(result, value);
    QCOMPARE(position, positionAfter);
}

void TestMod::listEntriesAsGetFieldReadsThem_data()
{
    QTest::addColumn<QString>("text");
    QTest::newRow("list and more") << QStringLiteral("Inv=A;B(2);C;; Class=X;");
    QTest::newRow("runs to the end") << QStringLiteral("Inv=A;B");
    QTest::newRow("ends on its mark") << QStringLiteral("Inv=A;B;");
    QTest::newRow("first entry empty") << QStringLiteral("Inv=;A;;");
    QTest::newRow("no mark at all") << QStringLiteral("Inv=A");
    // U+013B and U+3B00 share a byte with ";".
    QTest::newRow("look-alike bytes") << QStringLiteral("Inv=A\u013B;\u3B00B;C\u3B3B;;");
    QTest::newRow("long entries") << QStringLiteral("Inv=") + QString(100, u'x') + u';' + QString(70, u'y') + u';';
}

void TestMod::listEntriesAsGetFieldReadsThem()
{
    QFETCH(QString, text);
    const QString semicolon = QStringLiteral(";");
    qsizetype expectedPosition = 1;
    QStringList expected{GetField(expectedPosition, text, QStringLiteral("Inv="), semicolon)};
    qsizetype position = expectedPosition;
    for (QString entry = GetField(expectedPosition, text, semicolon, semicolon); !entry.isEmpty();
         entry = GetField(expectedPosition, text, semicolon, semicolon))
        expected.append(entry);

    QStringList entries{expected.first()};
    appendListEntries(position, text, entries);
    QCOMPARE(entries, expected);
    QCOMPARE(position, expectedPosition);
}

void TestMod::readWorkedExample()
{
    ModReadReport report;
    const ModDefinition mod = readModDefinition(composeModFile(WorkedExampleSample()), &report);
    QCOMPARE(mod.name, QStringLiteral("Test Mod"));
    QVERIFY(mod.action);
    QCOMPARE(mod.inventory, (QStringList{QStringLiteral("DeusEx.MedKit(2)"), QStringLiteral("DeusEx.WeaponPistol"),
                                         QStringLiteral("MyPackage.MyItem")}));
    // The class stands after a counted inventory entry and is still read.
    QCOMPARE(mod.playerClass, QStringLiteral("ModPkg.ModPlayer"));
    QCOMPARE(mod.credits, QStringLiteral("500"));
    QCOMPARE(mod.skillPoints, QStringLiteral("5000"));
    QCOMPARE(mod.skillLevels, WorkedExampleSample().skillLevels);
    QCOMPARE(mod.augSlots, WorkedExampleSample().augSlots);
    QCOMPARE(mod.augLevels, WorkedExampleSample().augLevels);
    QCOMPARE(mod.splashMap, QStringLiteral("ModSplash.dx"));
    QCOMPARE(mod.startingMap, QStringLiteral("ModMap.dx"));
    QVERIFY(report.unplacedAugmentations.isEmpty());
}

void TestMod::readHandWrittenFiles()
{
    // Keys in lower case, lists without and with entries.
    ModDefinition mod = readModDefinition(QStringLiteral(
        "[public]\r\nobject=(name=\"Low\",class=Class,Description=\"credits=500; inv=A;B;; map=M.dx\")"));
    QCOMPARE(mod.name, QStringLiteral("Low"));
    QCOMPARE(mod.credits, QStringLiteral("500"));
    QCOMPARE(mod.inventory, (QStringList{QStringLiteral("A"), QStringLiteral("B")}));
    QCOMPARE(mod.startingMap, QStringLiteral("M.dx"));
    // "Description=" is the one case-sensitive search: without it, no class.
    QCOMPARE(mod.playerClass, QString());

    mod = readModDefinition(QStringLiteral("Inv=;"));
    QCOMPARE(mod.inventory, QStringList{QString()});

    mod = readModDefinition(QStringLiteral("Description=\"Skills=0;; Map=\")"));
    QVERIFY(mod.inventory.isEmpty());
    QCOMPARE(mod.augSlots, ModDefinition().augSlots);
    QCOMPARE(mod.playerClass, QString());
    QCOMPARE(mod.splashMap, QString());
}

void TestMod::readAugmentations_data()
{
    QTest::addColumn<QString>("list");
    QTest::addColumn<QStringList>("classes");
    QTest::addColumn<QList<int>>("levels");
    QTest::addColumn<QStringList>("unplaced");
    const QString e;

    QTest::newRow("without a level") << "DeusEx.AugSpeed;;"
                                     << QStringList{e, e, e, QStringLiteral("AugSpeed"), e, e, e, e, e}
                                     << QList<int>{0, 0, 0, 0, 0, 0, 0, 0, 0} << QStringList{};
    QTest::newRow("no prefix ends the list") << "DeusEx.AugSpeed(1);AugVision(2);DeusEx.AugCombat(3);;"
                                             << QStringList{e, e, e, QStringLiteral("AugSpeed"), e, e, e, e, e}
                                             << QList<int>{0, 0, 0, 1, 0, 0, 0, 0, 0} << QStringList{};
    QTest::newRow("same class in two torso slots")
        << "DeusEx.AugShield(1);DeusEx.AugShield(2);;"
        << QStringList{e, e, e, e, QStringLiteral("AugShield"), QStringLiteral("AugShield"), e, e, e}
        << QList<int>{0, 0, 0, 0, 1, 2, 0, 0, 0} << QStringList{};
    QTest::newRow("level above 3 kept") << "DeusEx.AugDrone(7);;"
                                        << QStringList{QStringLiteral("AugDrone"), e, e, e, e, e, e, e, e}
                                        << QList<int>{7, 0, 0, 0, 0, 0, 0, 0, 0} << QStringList{};
    QTest::newRow("unplaceable entries left out")
        << "DeusEx.AugDefense(1);DeusEx.AugUnknown(1);DeusEx.(2);DeusEx.augspeed(1);DeusEx.AugCloak(0);"
           "DeusEx.AugEMP(1);DeusEx.AugBallistic(2);;"
        << QStringList{QStringLiteral("AugDefense"), e, e, e, e, e, e, QStringLiteral("AugCloak"),
                       QStringLiteral("AugEMP")}
        << QList<int>{1, 0, 0, 0, 0, 0, 0, 0, 1}
        << QStringList{QStringLiteral("AugUnknown(1)"), QStringLiteral("(2)"), QStringLiteral("augspeed(1)"),
                       QStringLiteral("AugBallistic(2)")};
    QTest::newRow("prefix in other case")
        << "deusex.AugMuscle(3);;" << QStringList{e, QStringLiteral("AugMuscle"), e, e, e, e, e, e, e}
        << QList<int>{0, 3, 0, 0, 0, 0, 0, 0, 0} << QStringList{};
}

void TestMod::readAugmentations()
{
    QFETCH(QString, list);
    QFETCH(QStringList, classes);
    QFETCH(QList<int>, levels);
    QFETCH(QStringList, unplaced);
    ModReadReport report;
    const ModDefinition mod =
        readModDefinition(QStringLiteral("Description=\"Aug=") + list + QStringLiteral(" Map=\")"), &report);
    for (int slot = 0; slot < AugSlotCount; ++slot) {
        QCOMPARE(mod.augSlots[slot], classes[slot]);
        QCOMPARE(int(mod.augLevels[slot]), levels[slot]);
    }
    QCOMPARE(report.unplacedAugmentations, unplaced);
}

void TestMod::readSkills_data()
{
    QTest::addColumn<QString>("list");
    QTest::addColumn<QStringList>("levels");
    const QString one = QStringLiteral("1");
    QTest::newRow("first four") << u"0;1;2;3;;"_s
                                << QStringList{one, u"2"_s, u"3"_s, u"4"_s, one, one, one, one, one, one, one};
    QTest::newRow("out of range and words left alone")
        << u"4;-1;x;1.5;;"_s << QStringList{one, one, one, u"2.5"_s, one, one, one, one, one, one, one};
    QTest::newRow("beyond the eleventh ignored")
        << u"1;1;1;1;1;1;1;1;1;1;1;3;3;;"_s
        << QStringList{u"2"_s, u"2"_s, u"2"_s, u"2"_s, u"2"_s, u"2"_s, u"2"_s, u"2"_s, u"2"_s, u"2"_s, u"2"_s};
}

void TestMod::readSkills()
{
    QFETCH(QString, list);
    QFETCH(QStringList, levels);
    const ModDefinition mod =
        readModDefinition(QStringLiteral("Description=\"Skills=") + list + QStringLiteral(" Map=\")"));
    QCOMPARE(QStringList(mod.skillLevels.begin(), mod.skillLevels.end()), levels);
}

void TestMod::readFileCutShort_data()
{
    QTest::addColumn<QString>("tail"); // what follows "Skills=0;;" in the Description
    QTest::addColumn<QString>("splash");
    QTest::addColumn<QString>("map");
    QTest::addColumn<QStringList>("inventory");

    QTest::newRow("after the map") << " Map=M.dx\r\n"
                                   << ""
                                   << "M.dx" << QStringList{};
    QTest::newRow("several line breaks") << " Map=M.dx\r\n\r\n\n"
                                         << ""
                                         << "M.dx" << QStringList{};
    QTest::newRow("after the splash map") << " Splash=S.dx\r\n"
                                          << "S.dx"
                                          << "" << QStringList{};
    QTest::newRow("inside a list") << " Inv=A;B\r\n"
                                   << "" << u""_s << QStringList{u"A"_s, u"B"_s};
    QTest::newRow("a line break inside stays") << " Map=M\r\nN\r\n"
                                               << ""
                                               << "M\r\nN" << QStringList{};
    QTest::newRow("a line break before the end mark stays") << " Splash=S\r\n; Map=M\")"
                                                            << "S\r\n"
                                                            << "M" << QStringList{};
}

void TestMod::readFileCutShort()
{
    QFETCH(QString, tail);
    QFETCH(QString, splash);
    QFETCH(QString, map);
    QFETCH(QStringList, inventory);
    const ModDefinition mod = readModDefinition(
        QStringLiteral("[Public]\r\nObject=(Name=\"N\",Class=Class,MetaClass=Quenlar.MLGameInfo,Description=\""
                       "Skills=0;;") +
        tail);
    QCOMPARE(mod.splashMap, splash);
    QCOMPARE(mod.startingMap, map);
    QCOMPARE(mod.inventory, inventory);
}

void TestMod::recognisesModDefinitions_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<bool>("isMod");
    QTest::newRow("empty") << "" << false;
    QTest::newRow("other ini") << "[Engine.Engine]\r\nGameRenderDevice=D3DDrv" << false;
    QTest::newRow("new mod") << composeModFile(NewModSample()) << true;
    QTest::newRow("keys without the loader's class") << "map=x" << false;
    QTest::newRow("the game's own localisation file")
        << "[Public]\r\nObject=(Name=DeusEx.DeusExGameInfo,Class=Class,MetaClass=Engine.GameInfo)\r\n"
           "Preferences=(Caption=\"Game\",Class=DeusEx.DeusExGameInfo)\r\n[DeusExGameInfo]\r\nMap=\"\""
        << false;
    QTest::newRow("another mod loader") << "Object=(Name=\"M\",Class=Class,MetaClass=Other.MLGameInfo,"
                                           "Description=\"Map=M\")"
                                        << false;
    QTest::newRow("small letters, LF line breaks")
        << "[public]\nobject=(name=\"m\",class=class,metaclass=quenlar.mlgameinfo,description=\"map=m\")" << true;
    QTest::newRow("the class on another line than Object=")
        << "[Public]\r\nMetaClass=Quenlar.MLGameInfo\r\nObject=(Name=\"M\",Description=\"Map=M\")" << false;
    QTest::newRow("a later line holds both")
        << "MetaClass=Quenlar.MLGameInfo\nx\r\nMetaClass=Quenlar.MLGameInfo,Object=(Name=\"M\")" << true;
    QTest::newRow("Object= only on the line after") << "MetaClass=Quenlar.MLGameInfo\nObject=" << false;
}

void TestMod::recognisesModDefinitions()
{
    QFETCH(QString, text);
    QFETCH(bool, isMod);
    QCOMPARE(looksLikeModDefinition(text), isMod);
}

void TestMod::overlongValues_data()
{
    QTest::addColumn<QString>("key");
    QTest::addColumn<int>("length");
    QTest::addColumn<QString>("field"); // empty when every field holds its value
    QTest::newRow("name that just fits") << "Name=\"" << int(MaxFieldLength) << "";
    QTest::newRow("name one too long") << "Name=\"" << int(MaxFieldLength) + 1 << "Mod Name";
    QTest::newRow("map of 40000") << "Map=" << 40000 << "Starting Map";
    QTest::newRow("class") << "Description=\"Class=" << 40000 << "PlayerClass";
    QTest::newRow("an inventory entry is no text box") << "Inv=" << 40000 << "";
}

void TestMod::overlongValues()
{
    QFETCH(QString, key);
    QFETCH(int, length);
    QFETCH(QString, field);
    const ModDefinition mod = readModDefinition(key + QString(length, u'x'));
    QCOMPARE(overlongField(mod).value_or(QString()), field);
}

void TestMod::readingIsLinear()
{
    // A megabyte of inventory entries: reading must not search the whole
    // text again for every entry.
    QString text = QStringLiteral("[Public]\r\nObject=(Name=\"Big\",Description=\"Inv=");
    while (text.size() < MaxModFileBytes - 64)
        text += QStringLiteral("DeusEx.MedKit(2);");
    text += QStringLiteral("; Map=M.dx\")");
    QElapsedTimer timer;
    timer.start();
    const ModDefinition mod = readModDefinition(text);
    QVERIFY(mod.inventory.size() > 50000);
    QVERIFY2(timer.elapsed() < 5000, qPrintable(QStringLiteral("%1 ms").arg(timer.elapsed())));
}

void TestMod::gameValue_data()
{
    QTest::addColumn<QString>("line");
    QTest::addColumn<QString>("key");
    QTest::addColumn<qsizetype>("keyAt"); // -1 when the game finds none
    QTest::addColumn<QString>("value");
    QTest::addColumn<bool>("cut");
    const QString saved = QStringLiteral("Name=\"A Class=B\",Class=Class,MetaClass=Quenlar.MLGameInfo,"
                                         "Description=\"Map=M\"");
    QTest::newRow("name at the start") << saved << "Name=" << qsizetype(0) << "A Class=B" << false;
    QTest::newRow("class inside the name, after a blank") << saved << "Class=" << qsizetype(8) << "B\"" << false;
    QTest::newRow("meta-class not inside a word")
        << saved << "MetaClass=" << qsizetype(29) << "Quenlar.MLGameInfo" << false;
    QTest::newRow("any letter case") << QStringLiteral("x,cLaSs=Y") << "Class=" << qsizetype(2) << "Y" << false;
    // The game folds ASCII letters only: the long s is no "s" to it.
    QTest::newRow("ASCII letters only") << QStringLiteral("Cla\u017Fs=A,class=B") << "Class=" << qsizetype(8) << "B"
                                        << false;
    QTest::newRow("after a letter or digit it is no key")
        << QStringLiteral("FirstClass=A,9Class=B") << "Class=" << qsizetype(-1) << "" << false;
    QTest::newRow("after punctuation it is")
        << QStringLiteral("First_Class=A") << "Class=" << qsizetype(6) << "A" << false;
    QTest::newRow("unquoted ends at a blank")
        << QStringLiteral("Class=A B") << "Class=" << qsizetype(0) << "A" << false;
    QTest::newRow("unquoted ends at a tab") << QStringLiteral("Class=A\tB") << "Class=" << qsizetype(0) << "A" << false;
    QTest::newRow("unquoted ends at a comma")
        << QStringLiteral("Class=A,B") << "Class=" << qsizetype(0) << "A" << false;
    QTest::newRow("quoted keeps blanks and commas")
        << QStringLiteral("Description=\"a b,c\";d") << "Description=" << qsizetype(0) << "a b,c" << false;
    QTest::newRow("quoted without its end runs on")
        << QStringLiteral("Description=\"a b") << "Description=" << qsizetype(0) << "a b" << false;
    QTest::newRow("a value that just fits") << QStringLiteral("Description=\"") + QString(4095, u'd') + u'"'
                                            << "Description=" << qsizetype(0) << QString(4095, u'd') << false;
    QTest::newRow("a value one too long") << QStringLiteral("Description=\"") + QString(4096, u'd') + u'"'
                                          << "Description=" << qsizetype(0) << QString(4095, u'd') << true;
}

void TestMod::gameValue()
{
    QFETCH(QString, line);
    QFETCH(QString, key);
    QFETCH(qsizetype, keyAt);
    QFETCH(QString, value);
    QFETCH(bool, cut);
    const GameValue read = readGameValue(line, key);
    QCOMPARE(read.keyAt, keyAt);
    QCOMPARE(read.value, value);
    QCOMPARE(read.cutAtLimit, cut);
}

void TestMod::gameReadingOfFiles_data()
{
    // Files Open reads, and what the game makes of them otherwise.
    using Settings = GameReadingDifference::Settings;
    QTest::addColumn<QString>("text");
    QTest::addColumn<bool>("listed");
    QTest::addColumn<QString>("listedName"); // empty when listed as Open shows it
    QTest::addColumn<int>("settings");
    QTest::addColumn<QStringList>("notAsShown");

    const auto saved = [](void (*change)(ModDefinition&)) {
        ModDefinition mod = WorkedExampleSample();
        change(mod);
        return composeModFile(mod);
    };
    const QString line = QStringLiteral("Object=(Name=\"M\",Class=Class,MetaClass=Quenlar.MLGameInfo,"
                                        "Description=\"Map=M.dx\")");
    QTest::newRow("as Save writes it") << composeModFile(WorkedExampleSample()) << true << "" << int(Settings::AsShown)
                                       << QStringList{};
    QTest::newRow("section and keys in other letter case")
        << QStringLiteral("[public]\nobject=(name=\"M\",class=class,metaclass=quenlar.mlgameinfo,"
                          "description=\"map=M.dx\")")
        << true << "" << int(Settings::AsShown) << QStringList{};
    QTest::newRow("no [Public] section") << line << false << "" << int(Settings::AsShown) << QStringList{};
    QTest::newRow("the game's own entry first") << QStringLiteral("[Public]\r\nObject=(Name=DeusEx.DeusExGameInfo,"
                                                                  "Class=Class,MetaClass=Engine.GameInfo)\r\n") +
                                                       line
                                                << true << "" << int(Settings::AsShown) << QStringList{};
    QTest::newRow("class key in the name")
        << saved([](ModDefinition& m) { m.name = QStringLiteral("First Class=Best"); }) << false << ""
        << int(Settings::AsShown) << QStringList{};
    QTest::newRow("an unquoted name") << QStringLiteral("[Public]\r\nObject=(Name=My Mod,Class=Class,"
                                                        "MetaClass=Quenlar.MLGameInfo,Description=\"Map=M.dx\")")
                                      << true << u"My"_s << int(Settings::AsShown) << QStringList{};
    QTest::newRow("a quote in the splash map")
        << saved([](ModDefinition& m) { m.splashMap = QStringLiteral("Spl\")ash.dx"); }) << true << ""
        << int(Settings::EndAtQuote) << QStringList{u"Splash Map"_s, u"Starting Map"_s};
    QTest::newRow("a quote in the class")
        << saved([](ModDefinition& m) { m.playerClass = QStringLiteral("P\"kg.Player"); }) << true << ""
        << int(Settings::EndAtQuote)
        << QStringList{u"PlayerClass"_s,   u"Starting Credits"_s, u"Initial Skill Points"_s, u"skill levels"_s,
                       u"augmentations"_s, u"Splash Map"_s,       u"Starting Map"_s};
    QTest::newRow("settings of 4096 characters")
        << saved([](ModDefinition& m) { m.startingMap += QString(4096 - composeDescription(m).size(), u'm'); }) << true
        << u""_s << int(Settings::TooLong) << QStringList{u"Starting Map"_s};
    QTest::newRow("description key in the name")
        << saved([](ModDefinition& m) { m.name = QStringLiteral("(DESCRIPTION=z)"); }) << true << ""
        << int(Settings::FromName)
        << QStringList{u"Show difficulty and skills screens setting"_s,
                       u"Current Inventory"_s,
                       u"PlayerClass"_s,
                       u"Starting Credits"_s,
                       u"Initial Skill Points"_s,
                       u"skill levels"_s,
                       u"augmentations"_s,
                       u"Splash Map"_s,
                       u"Starting Map"_s};
    QTest::newRow("an unquoted description")
        << QStringLiteral("[Public]\r\nObject=(Name=\"M\",Class=Class,MetaClass=Quenlar.MLGameInfo,"
                          "Description=Map=M.dx)")
        << true << u""_s << int(Settings::Otherwise) << QStringList{u"Starting Map"_s};
    QTest::newRow("beyond the section the game reads")
        << QStringLiteral("[Public]\r\nx=") + QString(GameSectionLength, u'x') + QStringLiteral("\r\n") + line << false
        << "" << int(Settings::AsShown) << QStringList{};
}

void TestMod::gameReadingOfFiles()
{
    QFETCH(QString, text);
    QFETCH(bool, listed);
    QFETCH(QString, listedName);
    QFETCH(int, settings);
    QFETCH(QStringList, notAsShown);
    const ModDefinition shown = readModDefinition(text);
    const GameReadingDifference difference = compareGameReading(text, shown);
    QCOMPARE(difference.listed, listed);
    QCOMPARE(difference.nameDiffers, !listedName.isEmpty());
    QCOMPARE(difference.listedName, listedName);
    QCOMPARE(int(difference.settings), settings);
    QCOMPARE(difference.settingsNotAsShown, notAsShown);
    QCOMPARE(difference.differs(), !listed || !listedName.isEmpty() || !notAsShown.isEmpty());
}

QTEST_GUILESS_MAIN(TestMod)
#include "test_mod.moc"
