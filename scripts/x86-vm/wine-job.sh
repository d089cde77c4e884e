#!/usr/bin/env bash
# The job of the x86 test virtual machine, run by its init (scripts/x86-vm/init) in this machine's
# root as the guest sees it (read-only below, guest memory above). It runs one Windows program
# under this machine's own Wine as scripts/test-msvc.sh runs the test hosts (a win64 prefix,
# wine64 as the loader, which hands a 32-bit program to the 32-bit Wine; headless, debug output
# off, no Mono or Gecko installers), in the folder and with the arguments that
# scripts/run-x86-host-vm.sh wrote to WORK/run/params. Its standard output, standard error and
# exit status go to WORK/run/.
#
# The Wine prefix: the one kept in the work folder when there is one; else made here, in guest
# memory, and copied to the work folder for the next runs (a new Wine version makes a new one).
set -u
work=$1
run=$work/run
# shellcheck source=/dev/null
source "$run/params" # cwd, program, args, prefix_name
say() { echo "quillmar-vm: $*"; }

export HOME=/root WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml=" WINEARCH=win64 DISPLAY=
wine=/usr/lib/wine/wine64
wineserver=/usr/lib/wine/wineserver
say "32-bit programs run here: $(/usr/lib/wine/wine --version 2>&1)"

kept=/mnt/work-below/$prefix_name
if [ -f "$kept/system.reg" ]; then
  # As the overlay shows it: read from the work folder, changed in guest memory only.
  export WINEPREFIX=$kept
  say "Wine prefix: the kept one"
else
  export WINEPREFIX=/root/wineprefix
  say "making the Wine prefix (the first run in this work folder, several minutes)"
  "$wine" wineboot -i >"$run/wineboot.log" 2>&1
  # wineboot returns before the prefix's 32-bit half (syswow64) is installed, by Wine processes
  # that go on after it; a 32-bit program started earlier finds no kernel32.dll.
  "$wineserver" -w
  syswow64=$WINEPREFIX/drive_c/windows/syswow64
  if [ ! -f "$syswow64/kernel32.dll" ]; then
    say "FAILED: the new Wine prefix has no 32-bit kernel32.dll (see $run/wineboot.log)"
    exit 1
  fi
  say "Wine prefix made ($(ls "$syswow64" | wc -l) files in syswow64); keeping a copy"
  rm -rf "$work/$prefix_name.part"
  cp -a "$WINEPREFIX" "$work/$prefix_name.part" && mv "$work/$prefix_name.part" "$work/$prefix_name"
  say "Wine prefix kept in $work/$prefix_name"
fi

cd "$cwd" || exit 1
say "running $program"
"$wine" "$program" "${args[@]}" >"$run/stdout" 2>"$run/stderr"
echo $? >"$run/status"
say "$program ended with exit status $(cat "$run/status")"
"$wineserver" -k >/dev/null 2>&1
exit 0
