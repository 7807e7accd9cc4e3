#!/usr/bin/env bash
# check_package.sh BUILD_DIR VERSION DRIVER_DIR
# Builds zelvo_VERSION_ARCH.deb from BUILD_DIR with CPack, checks its contents, control fields,
# lintian, the desktop entry and the metainfo; then unpacks it into a scratch root and runs the
# installed programs there, cut off from the build folder and the user's files: zelvo-station
# finds the installed driver, which reads the user's channel table and reaches zelvo-air; zelvo
# finds its help files (German, English, French), reads them through its installed reader, finds
# its pictures, and lists the channel with its TNC answering while zelvo-air runs and not
# answering (exit status 1) once it has ended (zelvo --check).
set -euo pipefail
build=$1 version=$2 driver_dir=$3

for tool in cpack dpkg-deb dpkg-shlibdeps file lintian desktop-file-validate appstreamcli; do
  if ! command -v "$tool" >/dev/null; then
    echo "skipped: $tool is missing (scripts/install-deps installs it)"
    exit 77
  fi
done

scratch=$(mktemp -d)
pids=()
cleanup() {
  for pid in "${pids[@]}"; do kill "$pid" 2>/dev/null || true; done
  wait 2>/dev/null || true
  rm -rf "$scratch"
}
trap cleanup EXIT
fail() {
  echo "FAIL: $*" >&2
  exit 1
}

# --- the package --------------------------------------------------------------------------------
(cd "$build" && cpack -G DEB -B "$scratch/out") >"$scratch/cpack.log" 2>&1 || {
  cat "$scratch/cpack.log"
  fail "cpack could not build the package"
}
deb=$scratch/out/zelvo_${version}_$(dpkg --print-architecture).deb
[ -f "$deb" ] || fail "no $(basename "$deb"); cpack made: $(ls "$scratch/out")"
echo "built $(basename "$deb"), $(stat -c %s "$deb") bytes"

dpkg-deb -c "$deb" | awk '{ sub(/^\./, "", $6); print $6 }' >"$scratch/contents"
for path in /usr/bin/zelvo /usr/bin/zelvo-station /usr/bin/zelvo-air \
  $driver_dir/libflxapi32.so $driver_dir/libzelvo_audio.so $driver_dir/zelvo-help-reader \
  /usr/share/zelvo/Zelvo.chm /usr/share/zelvo/Zelvo_en.chm /usr/share/zelvo/Zelvo_fr.chm \
  /usr/share/applications/org.zelvo.Zelvo.desktop /usr/share/metainfo/org.zelvo.Zelvo.metainfo.xml \
  /usr/share/icons/hicolor/scalable/apps/zelvo.svg /usr/share/icons/hicolor/16x16/apps/zelvo.png \
  /usr/share/icons/hicolor/48x48/apps/zelvo.png /usr/share/icons/hicolor/256x256/apps/zelvo.png \
  /usr/share/man/man1/zelvo.1.gz /usr/share/man/man1/zelvo-station.1.gz \
  /usr/share/man/man1/zelvo-air.1.gz /usr/share/man/man5/flexnet.conf.5.gz \
  /usr/share/doc/zelvo/copyright /usr/share/doc/zelvo/changelog.gz \
  /usr/share/doc/zelvo/examples/flexnet.conf; do
  grep -qx "$path" "$scratch/contents" || fail "$path is not in the package"
done
# Nothing of the build beyond that: no tests, benchmarks or static libraries.
programs=$(grep -E '^/usr/bin/.' "$scratch/contents" | tr '\n' ' ')
[ "$programs" = "/usr/bin/zelvo /usr/bin/zelvo-air /usr/bin/zelvo-station " ] ||
  fail "unexpected programs: $programs"
if grep -E '\.a$|/include/|test' "$scratch/contents"; then fail "build leftovers in the package"; fi

field() { dpkg-deb -f "$deb" "$1"; }
[ "$(field Version)" = "$version" ] || fail "Version is $(field Version), not $version"
depends=$(field Depends)
echo "Depends: $depends"
echo "Recommends: $(field Recommends)"
# From dpkg-shlibdeps, and the plugins no linker sees.
for package in libc6 libqt6widgets6 libqt6multimedia6 libjpeg62-turbo libqt6svg6 libqt6sql6-sqlite; do
  [[ ", $depends," == *", $package"[\ ,]* ]] || fail "Depends lacks $package"
done
[[ "$(field Recommends)" == *libchm1* ]] || fail "Recommends lacks libchm1 (help)"

# lintian: no errors; its warnings are printed for a reader.
lintian --fail-on error --tag-display-limit 0 "$deb" >"$scratch/lintian.log" 2>&1 || {
  cat "$scratch/lintian.log"
  fail "lintian reports errors"
}
cat "$scratch/lintian.log"

# --- unpacked into a scratch root ------------------------------------------------------------
root=$scratch/root
dpkg -x "$deb" "$root"
desktop-file-validate "$root/usr/share/applications/org.zelvo.Zelvo.desktop" ||
  fail "desktop-file-validate refuses the menu entry"
appstreamcli validate --no-net "$root/usr/share/metainfo/org.zelvo.Zelvo.metainfo.xml" ||
  fail "appstreamcli refuses the metainfo"

# The installed programs see none of the build folder and none of the user's files.
unset flexnet ZELVO_FLEXNET_CONF LD_LIBRARY_PATH DISPLAY WAYLAND_DISPLAY
export HOME=$scratch/home XDG_CONFIG_HOME=$scratch/config XDG_STATE_HOME=$scratch/state \
  XDG_DATA_HOME=$scratch/data XDG_RUNTIME_DIR=$scratch/runtime ZELVO_REGISTRY_DIR=$scratch/registry
mkdir -p "$HOME" "$XDG_CONFIG_HOME/zelvo" "$XDG_RUNTIME_DIR"
chmod 700 "$XDG_RUNTIME_DIR"

[ "$("$root/usr/bin/zelvo" --version)" = "zelvo $version" ] || fail "zelvo --version"

# Waits up to 10 s for a line starting with $2 on file descriptor $1.
expect_line() {
  local line
  while IFS= read -r -t 10 line <&"$1"; do
    [[ $line == "$2"* ]] && return 0
  done
  fail "no line \"$2...\""
}

# The simulated channel, and the user's channel table: the installed example, its Direwolf line
# pointed at the simulation.
mkfifo "$scratch/air.out" "$scratch/station.in" "$scratch/station.out"
"$root/usr/bin/zelvo-air" --port 0 >"$scratch/air.out" &
air=$!
pids+=("$air")
exec 3<"$scratch/air.out"
IFS= read -r -t 10 line <&3 || fail "zelvo-air did not start"
port=${line##*:}
sed "s/127\.0\.0\.1:8001/127.0.0.1:$port/" "$root/usr/share/doc/zelvo/examples/flexnet.conf" \
  >"$XDG_CONFIG_HOME/zelvo/flexnet.conf"

"$root/usr/bin/zelvo-station" --mycall DL1ABC <"$scratch/station.in" >"$scratch/station.out" \
  2>"$scratch/station.err" &
station=$!
pids+=("$station")
exec 4>"$scratch/station.in" 5<"$scratch/station.out"
expect_line 5 READY
grep -q " $root$driver_dir/libflxapi32.so\$" "/proc/$station/maps" ||
  fail "zelvo-station did not load the installed driver"
expect_line 3 "zelvo-air: client"  # the driver took the user's table
echo list >&4
expect_line 5 "END 0"
echo quit >&4
expect_line 5 BYE
wait "$station" || fail "zelvo-station ended with status $?"
exec 4>&- 5<&-
if grep flxapi32 "$scratch/station.err"; then fail "the driver found fault with the example table"; fi

# zelvo --check with the TNC (zelvo-air) answering, then without it: exit status 1.
check_says() { # check_says ANSWER
  printf '%s\n' "driver: $root$driver_dir/libflxapi32.so" \
    "channel table: $XDG_CONFIG_HOME/zelvo/flexnet.conf" \
    "channel 0: kiss-tcp 127.0.0.1:$port@1200 \"Direwolf 1200 Bd\": $1" \
    "help: $root/usr/share/zelvo/Zelvo.chm, first page /index.html" \
    "help: $root/usr/share/zelvo/Zelvo_en.chm, first page /index.html" \
    "help: $root/usr/share/zelvo/Zelvo_fr.chm, first page /index.html" \
    "audio: $root$driver_dir/libzelvo_audio.so" \
    "pictures: 28 compiled in, 0 of them unusable"
}
check=$("$root/usr/bin/zelvo" --check 2>/dev/null) || fail "zelvo --check: $check"
[ "$check" = "$(check_says "TNC answers")" ] || fail "zelvo --check said
$check"
echo "$check"
kill "$air"
wait "$air" 2>/dev/null || true
if check=$("$root/usr/bin/zelvo" --check 2>/dev/null); then fail "zelvo --check without a TNC ended with 0"; fi
[ "$check" = "$(check_says "TNC does not answer: connection refused")" ] || fail "zelvo --check without a TNC said
$check"
echo "zelvo --check without a TNC: exit status 1, the channel's TNC does not answer"

# The log went to the state folder, not beside the installed program (root may write there).
[ -f "$XDG_STATE_HOME/zelvo/Zelvo.log" ] || fail "no log in \$XDG_STATE_HOME/zelvo"
[ ! -e "$root/usr/bin/Zelvo.log" ] || fail "the log was written beside the installed program"
echo "installed zelvo-station: driver, channel table, list, quit and log as expected"
