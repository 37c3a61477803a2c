# Shared by the Wine scripts: the project's own prefixes, never the user's ~/.wine. Sourced, not
# run. Tests and benchmarks run in build/wine-tests; scripts/run sets K2Q_WINE_DIR to
# build/wine, the prefix whose settings belong to the person running the programs, which the
# tests never touch.
k2q_root=$(cd "$(dirname "${BASH_SOURCE[0]}")/../.." && pwd)
k2q_wine_dir=${K2Q_WINE_DIR:-$k2q_root/build/wine-tests}
# The prefix links Documents, Desktop ... into $HOME, so it gets a HOME of its own.
export HOME=$k2q_wine_dir/home
export WINEPREFIX=$k2q_wine_dir/prefix
export WINEARCH=win64
export WINEDEBUG=-all
# No network here: keep the prefix from asking for Mono and Gecko.
export WINEDLLOVERRIDES="mscoree,mshtml,winemenubuilder.exe=d"
if [[ -z "${K2Q_KEEP_DISPLAY:-}" && -f $k2q_wine_dir/display ]]; then
    DISPLAY=$(cat "$k2q_wine_dir/display")
    export DISPLAY
fi
