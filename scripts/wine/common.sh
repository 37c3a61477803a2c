# Shared by the Wine scripts: the project's own prefix, never the user's. Sourced, not run.
k2q_root=$(cd "$(dirname "${BASH_SOURCE[0]}")/../.." && pwd)
k2q_wine_dir=${K2Q_WINE_DIR:-$k2q_root/build/wine}
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
