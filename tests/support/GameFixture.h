#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>
#include <QTemporaryDir>

// A game directory in a temporary folder: System/DeusEx.exe, DeusEx.ini,
// Quenlar.u, Quenlar.ini and Maps/ with a few maps. Any part can be left out,
// and any file made unreadable (a folder stands in its place, which stops
// even an administrator from reading it).
class GameFixture
{
public:
    struct Options
    {
        bool deusExExe = true;
        bool deusExIni = true;
        bool quenlarU = true;
        bool quenlarIni = true;
        bool maps = true;
        QByteArray deusExIniText = "[Engine.Engine]\r\nDefaultGame=DeusEx.DeusExGameInfo\r\n"
                                   "GameRenderDevice=D3DDrv.D3DRenderDevice\r\n";
        QByteArray quenlarIniText = "[Quenlar.MLGameInfo]\r\nbAutoStart=False";
        QStringList unreadable; // relative names such as "System/Quenlar.ini"
        QString under;          // the folder to make the game directory in; the system's temporary folder if empty
    };

    GameFixture() : GameFixture(Options{}) {}
    explicit GameFixture(const Options& options);

    // The game directory with its final separator, as the Deus Ex Path field holds it.
    QString gamePath() const;
    // A file of the game, by a relative name such as "System/DeusEx.ini".
    QString file(const QString& relative) const;
    QByteArray read(const QString& relative) const;
    void write(const QString& relative, const QByteArray& bytes) const;
    bool exists(const QString& relative) const;
    // Puts a folder where the file was.
    void makeUnreadable(const QString& relative) const;

private:
    QTemporaryDir m_dir;
};

// Points HOME and WINEPREFIX into an empty folder made below dir, so that
// looking for the game never finds the user's own Wine prefix or Steam
// libraries; returns that home folder.
QString IsolateHome(const QTemporaryDir& dir);
