# Sourced by scripts/bench.sh and tests/startup/check_start.sh: a home and a
# runtime folder of their own under $1, so that nothing of the user's desktop
# settings is read, with a valid game directory the program remembers and
# whose default game is already the loader, so that starting asks nothing.
startup_fixture() {
    local work="$1"
    export HOME="$work/home" XDG_CONFIG_HOME="$work/home/.config" XDG_RUNTIME_DIR="$work/runtime"
    mkdir -p -m 700 "$XDG_RUNTIME_DIR"
    local game="$work/game"
    mkdir -p "$game/System" "$game/Maps" "$XDG_CONFIG_HOME/ZarvikSoft"
    printf 'MZ' >"$game/System/DeusEx.exe"
    printf '[Engine.Engine]\r\nDefaultGame=Quenlar.MLGameInfo\r\n' >"$game/System/DeusEx.ini"
    printf 'package' >"$game/System/Quenlar.u"
    printf '[Quenlar.MLGameInfo]\r\nbAutoStart=False' >"$game/System/Quenlar.ini"
    printf 'map' >"$game/Maps/00_Intro.dx"
    printf '[General]\nDXPath=%s/\n' "$game" >"$XDG_CONFIG_HOME/ZarvikSoft/ModLoader.conf"
}
