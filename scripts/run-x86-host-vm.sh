#!/usr/bin/env bash
# Runs a 32-bit Windows program (the x86 test host) under Wine where this machine's kernel runs no
# 32-bit programs: in a virtual machine, QEMU's software emulation (TCG, no KVM needed) booting
# Debian's amd64 kernel, whose IA32 emulation runs them.
#
#   scripts/run-x86-host-vm.sh PROGRAM.exe [ARGUMENT...]
#
# runs PROGRAM.exe with its arguments in the current folder, as `wine64 PROGRAM.exe ARGUMENT...`
# does in scripts/test-msvc.sh. The program's standard output (CR removed) and standard error come
# out here when it has ended; the exit status is the program's, or 1 when the virtual machine gave
# none (it failed, or ran longer than QUILLMAR_VM_TIMEOUT seconds, default 1800). Progress lines go
# to standard error, each with the seconds since the start.
#
# The guest has no disk: its root is this machine's root file system, shared read-only over
# virtio-9p, with a file system in guest memory over it (scripts/x86-vm/init), so it runs this
# machine's own Wine (wine64, wine32:i386) on the build outputs, and whatever it writes stays in its
# memory, except in the work folder, the one share it writes to: build-vm/ of the project unless
# QUILLMAR_VM_DIR names another (an absolute path without spaces). Kept there between runs:
#   kernel/              Debian's kernel (linux-image-amd64's package, fetched with apt-get download
#                        and unpacked, not installed), and the few modules the guest loads;
#   initramfs.cpio.gz    busybox-static, those modules and scripts/x86-vm/init;
#   wineprefix-VERSION/  the Wine prefix, made in the first run (minutes under emulation) by
#                        scripts/x86-vm/wine-job.sh; a new Wine version makes a new one.
# Each run writes run/ (the guest's orders and what it gave back) and console.log (its console).
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
work=${QUILLMAR_VM_DIR:-$root/build-vm}
timeout_s=${QUILLMAR_VM_TIMEOUT:-1800}
# The guest's modules: what the kernel needs for the 9p shares over virtio-pci and the overlay;
# their dependencies come along.
guest_modules=(virtio_pci 9pnet_virtio 9p overlay)

if (($# < 1)) || [ ! -f "$1" ]; then
  echo "usage: scripts/run-x86-host-vm.sh PROGRAM.exe [ARGUMENT...]" >&2
  exit 2
fi
start=$EPOCHREALTIME
seconds() { awk -v a="$start" -v b="$EPOCHREALTIME" 'BEGIN { printf "%6.1f", b - a }'; }
say() { echo "[$(seconds)s] $*"; }
fail() {
  echo "FAILED: $*"
  exit 1
}

# Standard output carries the program's output alone: everything else goes to standard error.
exec 3>&1 1>&2
"$root/scripts/install-deps.sh" qemu-system-x86 busybox-static
dpkg -s wine64 wine32:i386 >/dev/null 2>&1 ||
  fail "the guest runs this machine's Wine: install wine64 and wine32:i386 (test-msvc.sh does)"
mkdir -p "$work"
work=$(cd "$work" && pwd)
# The kernel command line carries the work folder's and the project's paths.
[[ $work$root != *[[:space:]]* ]] || fail "a path with a space: $work, $root"

# --- The kernel and its modules, once per work folder --------------------------------------------
kernel=$work/kernel
if ! compgen -G "$kernel/vmlinuz-*" >/dev/null; then
  kernel_package() { apt-cache depends linux-image-amd64 2>/dev/null |
    awk '/Depends: linux-image-[0-9]/ { print $2; exit }'; }
  package=$(kernel_package)
  if [ -z "$package" ]; then
    apt-get update -qq
    package=$(kernel_package)
  fi
  [ -n "$package" ] || fail "apt-cache names no package behind linux-image-amd64"
  say "fetching and unpacking $package"
  new=$work/kernel.new
  rm -rf "$new" && mkdir -p "$new"
  # Unsandboxed: as root, apt-get download would hand the folder to its own user.
  download() { (cd "$new" && apt-get download -qq -o APT::Sandbox::User=root "$package"); }
  download || { apt-get update -qq && download; } || fail "apt-get download $package"
  dpkg-deb -x "$new/${package}_"*.deb "$new/unpacked"
  vmlinuz=$(echo "$new"/unpacked/boot/vmlinuz-*)
  version=${vmlinuz##*/vmlinuz-}
  grep -qx CONFIG_IA32_EMULATION=y "$new/unpacked/boot/config-$version" ||
    fail "$package runs no 32-bit programs (no CONFIG_IA32_EMULATION)"
  busybox depmod -b "$new/unpacked" "$version"
  modules=$new/unpacked/lib/modules/$version
  mkdir -p "$new/lib/modules/$version"
  for m in "${guest_modules[@]}"; do
    # A modules.dep line: the module's file, a colon, every module it needs, transitively.
    line=$(grep -m1 "/$m\.ko[.a-z]*:" "$modules/modules.dep") || fail "$package has no module $m"
    for file in ${line/:/}; do
      mkdir -p "$new/lib/modules/$version/$(dirname "$file")"
      case $file in
        *.ko.xz) xz -dc "$modules/$file" >"$new/lib/modules/$version/${file%.xz}" ;;
        *) cp "$modules/$file" "$new/lib/modules/$version/$file" ;;
      esac
    done
  done
  cp "$vmlinuz" "$new/"
  rm -rf "$new/unpacked" "$new/${package}_"*.deb "$kernel"
  mv "$new" "$kernel"
fi
vmlinuz=$(echo "$kernel"/vmlinuz-*)
version=${vmlinuz##*/vmlinuz-}

# --- The initramfs, again when its init changes ---------------------------------------------------
initramfs=$work/initramfs.cpio.gz
init=$root/scripts/x86-vm/init
if [ ! -f "$initramfs" ] || [ "$init" -nt "$initramfs" ] || [ "$0" -nt "$initramfs" ] ||
  [ "$kernel" -nt "$initramfs" ]; then
  tree=$work/initramfs
  rm -rf "$tree" && mkdir -p "$tree"/{bin,dev,proc,sys}
  cp /bin/busybox "$tree/bin/"
  cp "$init" "$tree/init"
  cp -a "$kernel/lib" "$tree/"
  busybox depmod -b "$tree" "$version"
  (cd "$tree" && find . | busybox cpio -o -H newc 2>/dev/null | gzip -1) >"$initramfs.new"
  mv "$initramfs.new" "$initramfs"
  rm -rf "$tree"
fi

# --- The guest's orders ---------------------------------------------------------------------------
run=$work/run
rm -rf "$run" && mkdir -p "$run"
wine_version=$(dpkg-query -W -f '${Version}' wine32:i386)
{
  printf 'cwd=%q\nprogram=%q\nprefix_name=%q\nargs=(' "$PWD" "$1" \
    "wineprefix-${wine_version//[^A-Za-z0-9.+-]/_}"
  shift
  if (($#)); then printf ' %q' "$@"; fi
  printf ' )\n'
} >"$run/params"

# --- The virtual machine --------------------------------------------------------------------------
# SMAP off: under QEMU 7.2's TCG, with it on, every 64-bit Wine process dies at its first return to
# user code (a kernel oops on the user stack read by iretq).
guest_orders="quillmar.work=$work quillmar.job=$root/scripts/x86-vm/wine-job.sh"
qemu=(qemu-system-x86_64 -machine q35 -accel tcg,thread=multi -cpu max,smap=off -smp 2 -m 6144
  -nodefaults -no-user-config -display none -monitor none -serial stdio -no-reboot
  -kernel "$vmlinuz" -initrd "$initramfs"
  -append "console=ttyS0 quiet loglevel=3 panic=-1 rdinit=/init $guest_orders"
  -virtfs local,path=/,mount_tag=hostroot,security_model=none,readonly=on,multidevs=remap
  -virtfs "local,path=$work,mount_tag=work,security_model=none,multidevs=remap")
say "booting the virtual machine (kernel $version; at most ${timeout_s}s)"
: >"$work/console.log"
set +e
timeout -k 30 "$timeout_s" "${qemu[@]}" </dev/null 2>"$work/qemu.err" |
  while IFS= read -r line; do
    line=${line%$'\r'}
    echo "$line" >>"$work/console.log"
    [[ $line != quillmar-vm:* ]] || say "${line#quillmar-vm: }"
  done
qemu_status=${PIPESTATUS[0]}
set -e
say "virtual machine ended (QEMU exit status $qemu_status)"

if [ ! -f "$run/status" ]; then
  ((qemu_status != 124)) || echo "FAILED: the virtual machine ran longer than ${timeout_s}s"
  echo "FAILED: the virtual machine gave no exit status; its console's end ($work/console.log):"
  tail -20 "$work/console.log"
  cat "$work/qemu.err"
  exit 1
fi
tr -d '\r' <"$run/stdout" >&3
cat "$run/stderr"
exit "$(cat "$run/status")"
