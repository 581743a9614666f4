#!/usr/bin/env bash
# The Windows installer, built from this build and run silently in the build's Wine prefix: it installs
# the programs with the DLLs they load (the installed tool runs), puts the Start-menu entry in place, and
# its uninstaller takes everything away again.
# Usage: Installer.sh BUILD_FOLDER WINE_RUN
set -euo pipefail
build=$1 wine_run=$2
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
(cd "$work" && cpack --config "$build/CPackConfig.cmake" -G NSIS -B "$work" >cpack.log) ||
    { cat "$work/cpack.log"; exit 1; }
installer=$(ls "$work"/vcm7310-bench-*-win64.exe)
target="C:\\vcm7310-installer-test"
folder=$(WINEDEBUG=-all "$wine_run" winepath -u "$target" | tr -d '\r')
rm -rf "$folder"

"$wine_run" "$installer" /S "/D=$target"
for file in bin/vcm7310-bench.exe bin/vcm7310.exe bin/vcm7310-adapter-bridge.exe bin/Qt6Core.dll \
    bin/Qt6Widgets.dll bin/platforms/qwindows.dll bin/libstdc++-6.dll Uninstall.exe; do
    [ -f "$folder/$file" ] || { echo "not installed: $file"; exit 1; }
done
# With no DLL folder of the build's on Wine's path: the installed folder is enough.
version=$(WINEPATH= "$wine_run" "$target\\bin\\vcm7310.exe" --version | tr -d '\r')
echo "installed tool: $version"
[[ $version == vcm7310\ * ]]
menu=$(WINEDEBUG=-all "$wine_run" winepath -u 'C:\ProgramData\Microsoft\Windows\Start Menu\Programs' | tr -d '\r')
find "$menu" -iname 'VCM7310 Bench*.lnk' | grep -q . || { echo "no Start-menu entry in $menu"; exit 1; }

# The uninstaller copies itself elsewhere and returns at once unless told to stay (_?=).
"$wine_run" "$folder/Uninstall.exe" /S "_?=$target"
rm -f "$folder/Uninstall.exe"
leftover=$(find "$folder" -type f | head -5)
[ -z "$leftover" ] || { echo "left behind: $leftover"; exit 1; }
if find "$menu" -iname 'VCM7310 Bench*.lnk' | grep -q .; then
    echo "the Start-menu entry is still there"
    exit 1
fi
