#pragma once

#include <QString>
#include <QStringView>

#include <initializer_list>

// How a mod definition file spells its parts, in one place for the writer,
// Open's reader and the reading of the game itself:
//
//   [Public]
//   Object=(Name="…",Class=Class,MetaClass=Quenlar.MLGameInfo,Description="…")
//
// The Description holds the mod's settings as items, "Key=value; ", and its
// lists as entries, each ended by ";".
namespace ModKeys {

// The section the game reads its Object= lines from.
inline constexpr QStringView Section = u"[Public]";
inline constexpr QStringView Object = u"Object=";

// The values of the Object line, of which the name and the Description
// stand in double quotes.
inline constexpr QStringView Name = u"Name=";
inline constexpr QStringView Class = u"Class=";
inline constexpr QStringView MetaClass = u"MetaClass=";
inline constexpr QStringView Description = u"Description=";
inline constexpr QStringView ValueQuote = u"\"";
inline constexpr QStringView ValueSeparator = u",";
// The Object line's values stand between these.
inline constexpr QStringView ObjectOpening = u"(";
inline constexpr QStringView ObjectClosing = u")";

// The loader lists an entry whose class and meta-class are these, letter
// case aside.
inline constexpr QStringView LoaderEntryClass = u"Class";
inline constexpr QStringView LoaderMetaClass = u"Quenlar.MLGameInfo";

// The Description's items, in file order. The player class item shares its
// key with the Object line's class.
inline constexpr QStringView Action = u"Action=Start";
inline constexpr QStringView Inventory = u"Inv=";
inline constexpr QStringView PlayerClass = Class;
inline constexpr QStringView Credits = u"Credits=";
inline constexpr QStringView SkillPoints = u"SkillPts=";
inline constexpr QStringView Skills = u"Skills=";
inline constexpr QStringView Augmentations = u"Aug=";
inline constexpr QStringView Splash = u"Splash=";
inline constexpr QStringView Map = u"Map=";

// Ends every item and every entry of a list; the writer puts a blank after
// an item.
inline constexpr QStringView EntryEnd = u";";
inline constexpr QStringView ItemSeparator = u"; ";

// The package of the game's own classes: an inventory entry without one is
// written with it, and an augmentation is read without it.
inline constexpr QStringView DefaultPackage = u"DeusEx.";

// The parts in one text, such as the Object line's opening.
inline QString joined(std::initializer_list<QStringView> parts)
{
    QString text;
    for (QStringView part : parts)
        text += part;
    return text;
}

} // namespace ModKeys
