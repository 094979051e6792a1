#!/usr/bin/env bash
# check_package.sh CPACK CPACK_CONFIG OUT_DIR HAS_DESKTOP_APP
# Builds the Debian package of an already built tree into OUT_DIR and checks
# that it carries the programs, the menu entry and icon, and the runtime
# dependencies.
set -euo pipefail
cpack=$1 config=$2 out=$3 desktop=$4

rm -rf "$out"
mkdir -p "$out"
if ! "$cpack" --config "$config" -G DEB -B "$out" > "$out/cpack.log" 2>&1; then
  cat "$out/cpack.log"
  exit 1
fi
debs=("$out"/*.deb)
if [ ${#debs[@]} -ne 1 ] || [ ! -f "${debs[0]}" ]; then
  echo "expected one .deb in $out"; ls "$out"; exit 1
fi
deb=${debs[0]}
contents=$(dpkg-deb -c "$deb")
depends=$(dpkg-deb -f "$deb" Depends)

failed=0
expect_file() {
  if ! grep -qE " \./usr/$1\$" <<<"$contents"; then
    echo "not in the package: /usr/$1"; failed=1
  fi
}
expect_depends() {
  if ! grep -qE "(^|, )$1( |,|\$)" <<<"$depends"; then
    echo "not among the dependencies ($depends): $1"; failed=1
  fi
}

expect_file bin/kerbwise-cli
expect_depends libstdc\\+\\+6
expect_depends libc6
if [ "$desktop" = 1 ]; then
  expect_file bin/kerbwise
  expect_file share/applications/kerbwise.desktop
  expect_file share/icons/hicolor/scalable/apps/kerbwise.svg
  expect_depends libqt6widgets6
  expect_depends libqt6gui6
  expect_depends libqt6core6
fi

if [ $failed -ne 0 ]; then
  echo "package contents:"; echo "$contents"
  exit 1
fi
rm -rf "$out"
