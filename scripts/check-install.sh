#!/usr/bin/env bash
# Installs the build into a staging folder and checks it the way a
# distribution would: the installed tree, the desktop entry and the AppStream
# metainfo, the Debian package's contents and dependencies, and that the
# installed command line writes only into the user's data folder.
set -euo pipefail
cd "$(dirname "$0")/.."
build="${BUILD_DIR:-build}"
work="$(mktemp -d)"
trap 'rm -rf "$work"' EXIT
fail() { echo "check-install: $*" >&2; exit 1; }

stage="$work/stage"
DESTDIR="$stage" cmake --install "$build" --prefix /usr > /dev/null
root="$stage/usr"
for f in bin/lumitag-cli share/lumitag/Data lib/udev/rules.d/70-lumitag.rules \
         share/applications/org.lumitag.Lumitag.desktop share/metainfo/org.lumitag.Lumitag.metainfo.xml \
         share/icons/hicolor/scalable/apps/org.lumitag.Lumitag.svg share/man/man1/lumitag-cli.1; do
  [ -e "$root/$f" ] || fail "missing from the installed tree: $f"
done
if grep -q '^LUMITAG_BUILD_GUI:BOOL=ON' "$build/CMakeCache.txt"; then
  for f in bin/lumitag share/man/man1/lumitag.1; do
    [ -e "$root/$f" ] || fail "missing from the installed tree: $f"
  done
fi
desktop-file-validate "$root/share/applications/org.lumitag.Lumitag.desktop"
appstreamcli validate --no-net "$root/share/metainfo/org.lumitag.Lumitag.metainfo.xml" > /dev/null

# The installed command line keeps the read-only tree untouched and writes
# into $XDG_DATA_HOME/lumitag only.
home="$work/home"
mkdir -p "$home/data"
before="$(cd "$stage" && find . -printf '%p %s %T@\n' | sort)"
run() { env -i PATH=/usr/bin:/bin HOME="$home" XDG_DATA_HOME="$home/data" QT_QPA_PLATFORM=offscreen "$root/bin/lumitag-cli" "$@"; }
run models > /dev/null
run text 1 "Installed" > /dev/null
run send --output "$home/frames.bin" --yes > /dev/null 2>&1
after="$(cd "$stage" && find . -printf '%p %s %T@\n' | sort)"
[ "$before" = "$after" ] || fail "the installed tree changed while the program ran"
[ -s "$home/frames.bin" ] || fail "no frames written"
[ -f "$home/data/lumitag/WorkData/0.led" ] || fail "no work file in \$XDG_DATA_HOME/lumitag"
stray="$(cd "$home" && find . -type f ! -path './data/lumitag/*' ! -name frames.bin)"
[ -z "$stray" ] || fail "written outside \$XDG_DATA_HOME/lumitag: $stray"

# The package: computed library dependencies, the files above, the udev
# reload after installing.
(cd "$build" && cpack -G DEB > /dev/null)
deb="$(ls "$build"/lumitag_*.deb | head -n1)"
[ -n "$deb" ] || fail "no package built"
depends="$(dpkg-deb -f "$deb" Depends)"
for lib in libhidapi-hidraw0 libudev1 libqt6gui6 fonts-liberation2; do
  grep -q "$lib" <<< "$depends" || fail "package does not depend on $lib: $depends"
done
contents="$(dpkg-deb -c "$deb")"
for f in ./usr/bin/lumitag-cli ./usr/lib/udev/rules.d/70-lumitag.rules ./usr/share/applications/org.lumitag.Lumitag.desktop; do
  grep -q " $f\$" <<< "$contents" || fail "package lacks $f"
done
dpkg-deb -I "$deb" postinst | grep -q 'udevadm control --reload-rules' || fail "postinst does not reload the udev rules"
echo "check-install: $(basename "$deb") and the installed tree are sound"
