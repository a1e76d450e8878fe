// Times reading a mod definition of the largest size Open accepts, packed
// with inventory entries. Not part of the test run: build the target
// bench_open and run it.

#include "mod/ModReader.h"

#include <QElapsedTimer>
#include <QTextStream>

#include <algorithm>
#include <limits>

int main()
{
    QString text = QStringLiteral("[Public]\r\nObject=(Name=\"Big\",Class=Class,MetaClass=Quenlar.MLGameInfo,"
                                  "Description=\"Inv=");
    while (text.size() < MaxModFileBytes - 64)
        text += QStringLiteral("DeusEx.MedKit(2);");
    text += QStringLiteral("; Class=A.B; Skills=0;1;2;3;0;0;0;0;0;0;0;; Map=M.dx\")");

    qint64 best = std::numeric_limits<qint64>::max();
    qsizetype entries = 0;
    for (int run = 0; run < 5; ++run) {
        QElapsedTimer timer;
        timer.start();
        const ModDefinition mod = ReadModDefinition(text);
        best = std::min(best, timer.nsecsElapsed());
        entries = mod.inventory.size();
    }
    QTextStream(stdout) << "Read " << text.size() << " characters, " << entries << " inventory entries: best of 5 "
                        << QString::number(best / 1e6, 'f', 1) << " ms\n";
    return 0;
}
