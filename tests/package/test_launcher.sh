#!/bin/sh
# The launcher on a stand-in installed tree: the first start makes the workspace
# (copies of the user's files, links to the rest) and runs the program there; a
# later start keeps the user's changes and brings what a newer package adds.
# Usage: test_launcher.sh LAUNCHER INSTALLED_PROGRAM_DIR
set -eu
launcher=$1
installed=$2
root=$(mktemp -d)
trap 'rm -rf "$root" "$installed"' EXIT
failures=0
check() {
    what=$1
    shift
    if ! "$@"; then
        echo "FAIL: $what" >&2
        failures=$((failures + 1))
    fi
}
links_to() { [ -L "$1" ] && [ "$(readlink "$1")" = "$2" ]; }
regular() { [ -f "$1" ] && [ ! -L "$1" ] && [ -w "$1" ]; }
holds() { [ "$(cat "$1")" = "$2" ]; }

rm -rf "$installed"
mkdir -p "$installed/Images" "$installed/Help" "$installed/Projects" "$installed/Report/help"
echo picture >"$installed/Images/cycle.png"
echo page >"$installed/Help/index.htm"
echo shipped >"$installed/Projects/Default.rdf"
echo 'Shipped letterhead' >"$installed/Report/letterhead.txt"
echo logo >"$installed/Report/ReportLogo.gif"
echo fault >"$installed/Report/help/fault1.png"
# The program tells where it was started and writes its settings there.
printf '#!/bin/sh\npwd >started-in.txt\necho "{}" >Kelvora.json\n' >"$installed/kelvora"
chmod 755 "$installed/kelvora"
chmod -R a-w "$installed/Projects" "$installed/Report"

export HOME="$root/home"
unset XDG_DATA_HOME || true
ws=$HOME/.local/share/Zandrovel/Kelvora
check "first start" "$launcher"
check "the program runs in the workspace" holds "$ws/started-in.txt" "$ws"
check "the settings are written in the workspace" regular "$ws/Kelvora.json"
check "the start-up project is a writable copy" regular "$ws/Projects/Default.rdf"
check "the letterhead is a writable copy" regular "$ws/Report/letterhead.txt"
check "pictures are linked" links_to "$ws/Images" "$installed/Images"
check "help is linked" links_to "$ws/Help" "$installed/Help"
check "the report logo is linked" links_to "$ws/Report/ReportLogo.gif" "$installed/Report/ReportLogo.gif"
check "the report's fault pictures are linked" links_to "$ws/Report/help" "$installed/Report/help"

# The user's changes, then a newer package: a new project, a new report picture,
# a new folder, and the logo dropped.
echo mine >"$ws/Projects/Default.rdf"
echo 'My company' >"$ws/Report/letterhead.txt"
echo site >"$ws/Projects/site.rdf"
chmod -R u+w "$installed/Projects" "$installed/Report"
echo sample >"$installed/Projects/Sample.rdf"
echo chart >"$installed/Report/chart.gif"
mkdir "$installed/Manual"
rm "$installed/Report/ReportLogo.gif"
check "second start" "$launcher"
check "the user's project is kept" holds "$ws/Projects/Default.rdf" mine
check "the user's letterhead is kept" holds "$ws/Report/letterhead.txt" 'My company'
check "the user's own project stays" holds "$ws/Projects/site.rdf" site
check "a new shipped project is copied" regular "$ws/Projects/Sample.rdf"
check "a new report picture is linked" links_to "$ws/Report/chart.gif" "$installed/Report/chart.gif"
check "a new folder is linked" links_to "$ws/Manual" "$installed/Manual"
check "the dropped logo's link is gone" test ! -L "$ws/Report/ReportLogo.gif"

# The XDG data folder when it is set and absolute; a relative one does not count.
XDG_DATA_HOME="$root/xdg" "$launcher"
check "XDG_DATA_HOME holds the workspace" holds "$root/xdg/Zandrovel/Kelvora/started-in.txt" "$root/xdg/Zandrovel/Kelvora"
(cd "$root" && XDG_DATA_HOME=relative "$launcher")
check "a relative XDG_DATA_HOME is ignored" test ! -e "$root/relative"

# No place for the workspace: a message and exit code 1, and the program not run.
touch "$root/file"
if HOME="$root/file" "$launcher" 2>"$root/err"; then
    check "a workspace that cannot be made fails" false
fi
check "the failure is told" grep -q "cannot create the workspace" "$root/err"

[ "$failures" -eq 0 ] || exit 1
echo "launcher: all checks passed"
