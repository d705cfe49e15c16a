#!/bin/sh
# Wine as the emulator that runs the Windows tests, one program after another.
#
# A wineserver started by a program exits with it, and the next program can
# reach it as it goes ("wine client error:0: recvmsg: Connection reset by
# peer"). So one server is kept for the whole run, lingering 30 s after its
# last program. Wine's own background processes are started here too, with
# their output to /dev/null: started by a test they would hold its output
# open, and CTest would wait for them.
wineserver=/usr/lib/wine/wineserver
if "$wineserver" -p30 > /dev/null 2>&1; then
    /usr/lib/wine/wine64 wineboot < /dev/null > /dev/null 2>&1
fi
exec /usr/lib/wine/wine64 "$@"
