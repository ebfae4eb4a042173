#!/usr/bin/env bash
# Builds the Debian package of the console and the simulator into build/
# (tarn-console_VERSION_ARCH.deb) and checks it: the files it must hold are
# in it, its programs run, and lintian finds no error.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/install-deps.sh
scripts/build.sh

(cd build && cpack -G DEB >/dev/null)
deb=$(ls -t build/tarn-console_*.deb | head -1)
echo "== $deb"

contents=$(dpkg-deb -c "$deb")
for file in \
    ./usr/bin/tarn-console \
    ./usr/bin/tarn-camsim \
    ./usr/share/applications/tarn-console.desktop \
    ./usr/share/icons/hicolor/scalable/apps/tarn-console.svg \
    ./usr/share/metainfo/net.tarnconsole.TarnConsole.metainfo.xml \
    ./usr/share/man/man1/tarn-console.1.gz \
    ./usr/share/man/man1/tarn-camsim.1.gz \
    ./usr/share/doc/tarn-console/copyright; do
    grep -q " $file\$" <<<"$contents" || { echo "missing from the package: $file" >&2; exit 1; }
done
dpkg-deb -f "$deb" Depends | grep -q libqt6widgets6 || { echo "the package does not depend on Qt" >&2; exit 1; }

unpacked=$(mktemp -d)
trap 'rm -rf "$unpacked"' EXIT
dpkg-deb -x "$deb" "$unpacked"
QT_QPA_PLATFORM=offscreen "$unpacked/usr/bin/tarn-console" --version
"$unpacked/usr/bin/tarn-camsim" --version
desktop-file-validate "$unpacked/usr/share/applications/tarn-console.desktop"
appstreamcli validate --no-net --pedantic "$unpacked/usr/share/metainfo/net.tarnconsole.TarnConsole.metainfo.xml" || true

lintian --fail-on error --suppress-tags-from-file packaging/lintian-ignored "$deb"
echo "package checked: $deb"
