#!/usr/bin/env bash
# Makes the Debian package of the Linux build and the zip of the Windows build,
# installs the Debian package, runs lptdump from it and renders its man page.
# Installs and removes a package: for CI, as root.
#
# usage: check-packages.sh LINUX-BUILD-DIR WINDOWS-BUILD-DIR
set -euo pipefail
linux_build=$(realpath "$1") windows_build=$(realpath "$2")

(cd "$linux_build" && cpack -G DEB > /dev/null)
deb=$(ls "$linux_build"/lptdump_*_amd64.deb)
dpkg -i "$deb"
trap 'dpkg -r lptdump > /dev/null' EXIT

# No parallel port here: the installed lptdump refuses, as specified, with status 0.
output=$(printf 'image.bin\n' | /usr/bin/lptdump 2> /dev/null)
[ "$output" = "Unable to initialise WinIo library" ] || { echo "installed lptdump printed: $output"; exit 1; }
page=$(dpkg -L lptdump | grep '/man1/lptdump\.1')
MANWIDTH=80 man -l "$page" | grep -q 'copy a 16-bit memory behind a parallel-port adapter' \
    || { echo "the man page did not render"; exit 1; }
echo "Debian package: installs, lptdump runs from it, its man page renders"

(cd "$windows_build" && cpack -G ZIP > /dev/null)
zip=$(ls "$windows_build"/lptdump-*-win64.zip)
listing=$(unzip -l "$zip")
for file in lptdump.exe lptdump-emu.exe README.md; do
    grep -q "/$file\$" <<< "$listing" || { echo "$zip lacks $file"; exit 1; }
done
echo "Windows zip: $(basename "$zip") holds lptdump.exe, lptdump-emu.exe and README.md"
