#!/usr/bin/env bash
# lptdump.exe and lptdump-emu.exe under Wine, as a user runs them: standard
# input piped, console and image file checked byte for byte. The emulated
# adapter's DLL stands in for WinIo64.dll beside a copy of lptdump.exe, so the
# real loading path is the one tested.
#
# usage: transcripts.sh WINE LPTDUMP.EXE LPTDUMP-EMU.EXE EMULATED.DLL NO-FUNCTIONS.DLL WORKDIR
set -uo pipefail
export WINEDEBUG=-all
wine=$(realpath "$1")
lptdump=$(realpath "$2") emu=$(realpath "$3") emulated_dll=$(realpath "$4") empty_dll=$(realpath "$5")
work=$6
rm -rf "$work" && mkdir -p "$work/app" "$work/elsewhere" && cd "$work/app" || exit 1
cp "$lptdump" lptdump.exe
cp "$emu" lptdump-emu.exe

passed=0 failed=0
check() {  # name, then a command whose status is the verdict
    local name=$1
    shift
    if "$@"; then
        passed=$((passed + 1)); echo "PASS $name"
    else
        failed=$((failed + 1)); echo "FAIL $name"
    fi
}
same() {  # file, expected contents (printf format)
    cmp -s "$1" <(printf "$2") || { echo "  $1 holds:"; od -c "$1" | head -20; return 1; }
}
exited_with() {  # expected status; Wine's own complaints show in err.txt
    [ "$status" = "$1" ] || { echo "  exit status $status; err.txt holds:"; cat err.txt; return 1; }
}
one_line_containing() {  # file, text
    [ "$(grep -c '' "$1")" = 1 ] && grep -qF "$2" "$1" || { echo "  $1 holds:"; cat "$1"; return 1; }
}
run() {  # input, then the command; sets status, out.txt and err.txt in the current folder
    status=0
    printf "$1" | "${@:2}" > out.txt 2> err.txt || status=$?
}

# A memory of two banks whose words are full of line-end bytes (and a Ctrl+Z):
# the image must come through untranslated.
printf '\x0a\x0d\x0d\x0a\x0a\x0a\x0d\x0d\x0d\x0a\x1a\x0a\x00\x0d\xff\x0a' > bank0
printf '\x0d\x0a\x0a\x0d\x0d\x0d\x0a\x0a\x0a\x1a\x0d\x0d\x0a\x00\x0a\xff' > bank1
for bank in bank0 bank1; do
    for doubling in $(seq 12); do cat $bank $bank > doubled && mv doubled $bank; done
done
cat bank0 bank1 > memory.bin && rm bank0 bank1

cp "$emulated_dll" WinIo64.dll
LPTDUMP_EMU_MEMORY=memory.bin run 'image.bin\r\n' $wine lptdump.exe
check capture-status exited_with 0
check capture-console same out.txt 'Filename: 64K\r\n128K\r\n'
check capture-no-errors same err.txt ''
check capture-image cmp image.bin memory.bin
check name-without-carriage-return test ! -e $'image.bin\r'

# The DLL traces the lines too, on kernel32's counter.
LPTDUMP_EMU_MEMORY=memory.bin LPTDUMP_EMU_TRACE=trace.vcd run 'traced.bin\r\n' $wine lptdump.exe
check trace-capture-unchanged cmp traced.bin memory.bin
check trace-written grep -q '^\$enddefinitions' trace.vcd
check trace-sigrok-loads-it bash -c 'sigrok-cli -I vcd -i trace.vcd -O vcd > /dev/null 2> sigrok.err && [ ! -s sigrok.err ]'

run 'builtin.bin\n' $wine lptdump.exe
check builtin-status exited_with 0
progress='Filename: '
for kib in $(seq 64 64 1024); do progress+="${kib}K\r\n"; done
check builtin-console same out.txt "$progress"

run 'emu.bin\r\n' $wine lptdump-emu.exe
check emu-status exited_with 0
check emu-console same out.txt "$progress"
check emu-image-equals-dll-image cmp emu.bin builtin.bin
check emu-image-size test "$(stat -c %s emu.bin)" = 1048576

LPTDUMP_EMU_MEMORY=missing.bin run 'image.bin\r\n' $wine lptdump.exe
check bad-memory-refused same out.txt 'Unable to initialise WinIo library\r\n'
check bad-memory-reason grep -qF 'emulated adapter: memory file missing.bin' err.txt

# A WinIo64.dll in the current folder is not the one beside the executable.
mv WinIo64.dll ../elsewhere/
(cd ../elsewhere && run 'image.bin\r\n' $wine ../app/lptdump.exe && cp out.txt err.txt ../app/)
check missing-dll-refused same out.txt 'Unable to initialise WinIo library\r\n'
check missing-dll-reason one_line_containing err.txt 'WinIo64.dll: cannot load'
check missing-dll-no-file test ! -e ../elsewhere/image.bin

cp "$empty_dll" WinIo64.dll
run 'image.bin\r\n' $wine lptdump.exe
check no-functions-refused same out.txt 'Unable to initialise WinIo library\r\n'
check no-functions-reason one_line_containing err.txt 'WinIo64.dll: does not export InitializeWinIo'

echo "$passed passed, $failed failed"
[ "$failed" = 0 ]
