#!/usr/bin/env bash
# Boots Debian's own kernel under QEMU (no KVM needed) with a small initramfs
# that loads parport, parport_pc and ppdev and runs lptdump against QEMU's
# emulated port at 0x378: once with the port, once without any.
#
# usage: run.sh LPTDUMP WORKDIR
# The kernel package is fetched with apt-get download into WORKDIR once.
set -euo pipefail
lptdump=$(realpath "$1")
work=$2
here=$(dirname "$(realpath "$0")")
mkdir -p "$work"
cd "$work"

if [ ! -d kernel ]; then
    package=$(apt-cache depends linux-image-amd64 | awk '/Depends: linux-image-[0-9]/ {print $2; exit}')
    [ -n "$package" ] || { echo "no Debian kernel package found (apt-get update first?)"; exit 1; }
    rm -f ./*.deb
    apt-get download "$package"
    dpkg-deb -x ./*.deb kernel.tmp
    mv kernel.tmp kernel
fi
vmlinuz=$(ls kernel/boot/vmlinuz-*)

# The initramfs: busybox, the three modules, lptdump with its libraries, and
# the expected results.
rm -rf root
mkdir -p root/bin root/modules root/expected root/proc root/sys root/dev root/tmp
cp /bin/busybox root/bin/busybox
for module in parport parport_pc ppdev; do
    cp "$(find kernel/lib/modules -name "$module.ko")" root/modules/
done
cp "$lptdump" root/lptdump
for library in $(ldd "$lptdump" | grep -o '/[^ ]*'); do
    mkdir -p "root$(dirname "$library")"
    cp -L "$library" "root$library"
done
cp "$here/init" root/init
chmod +x root/init
printf 'Filename: 64K\n' > root/expected/capture.out
head -c 65536 /dev/zero | tr '\000' '\377' > root/expected/image.bin
printf 'Unable to initialise WinIo library\n' > root/expected/refused.out
printf 'lptdump: /dev/parport0: cannot claim: busy (another driver such as lp, or another program, holds the port)\n' \
    > root/expected/busy.err
printf 'lptdump: /dev/parport0: cannot open: no such device (no parallel port, or the ppdev module is not loaded: modprobe ppdev)\n' \
    > root/expected/noport.err
(cd root && find . | cpio -o -H newc --quiet | gzip -1) > initramfs.gz

boot() {  # scenario, parallel port option; prints the serial console
    timeout 600 qemu-system-x86_64 -machine pc -accel tcg -m 256 -nographic -no-reboot \
        -kernel "$vmlinuz" -initrd initramfs.gz \
        -append "console=ttyS0 panic=-1 loglevel=4 lptdump.scenario=$1" \
        -parallel "$2" -nic none -monitor none -serial stdio < /dev/null | tr -d '\r' | tee "$1.log"
}

verdict=0
expect() {  # scenario, checks that must pass
    local scenario=$1
    shift
    grep -q '^CHECKS DONE' "$scenario.log" || { echo "FAIL $scenario: the guest did not finish"; verdict=1; }
    if grep '^CHECK FAIL' "$scenario.log"; then verdict=1; fi
    for name in "$@"; do
        grep -qx "CHECK PASS $name" "$scenario.log" || { echo "FAIL $scenario: $name did not pass"; verdict=1; }
    done
}

boot port null > /dev/null
expect port capture-status capture-output capture-no-errors capture-image busy-status busy-output busy-reason
boot noport none > /dev/null
expect noport noport-status noport-output noport-reason noport-no-file

if [ "$verdict" != 0 ]; then
    cat port.log noport.log
    echo "lptdump on the kernel's parallel-port driver: FAILED"
    exit 1
fi
grep -h '^CHECK' port.log noport.log
echo "lptdump on the kernel's parallel-port driver: all checks passed"
