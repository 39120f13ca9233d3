#!/usr/bin/env bash
# Makes the till's installer and its zip from the cross build (make package):
#   build/dist/varenko-setup-<version>.exe   the installer (NSIS)
#   build/dist/varenko-<version>.zip         the same files, for a copy-install
# Both come from one staged install folder, build/dist/stage: the terminal with its
# logos and help page, and server/ with the development shop server and its demo shop.
set -euo pipefail
root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
bin=$root/build/win/bin
dist=$root/build/dist
stage=$dist/stage
header=$root/build/win/generated/version.h

# The version and the revision the cross build was made from.
define() { sed -n "s/^#define $1 \(.*\)$/\1/p" "$header" | tr -d '"'; }
version=$(define VARENKO_VERSION)
numbers=$(define VARENKO_VERSION_NUMBERS | tr , .)
revision=$(define VARENKO_REVISION)
[ -n "$version" ] && [ -n "$revision" ] || { echo "package: no version in $header" >&2; exit 1; }

# Windows text files: CRLF line ends.
crlf() { sed 's/\r*$/\r/' "$1" >"$2"; }

rm -rf "$stage"
mkdir -p "$stage/server"
cp "$bin/varenko.exe" "$bin/letter.bmp" "$bin/receipt.bmp" "$stage/"
crlf "$root/packaging/varenko.htm" "$stage/varenko.htm"
cp "$bin/shopserver.exe" "$stage/server/"
crlf "$root/packaging/demo-server.cmd" "$stage/server/demo-server.cmd"
cp -r "$root/devserver/demo" "$stage/server/demo"
rm -f "$stage/server/demo/make_pictures.sh"  # a development tool, not part of the shop

zip=$dist/varenko-$version.zip
setup=$dist/varenko-setup-$version.exe
rm -f "$zip" "$setup"
(cd "$stage" && zip -q -r -X "$zip" .)
makensis -V2 -DVERSION="$version" -DVERSION_NUMBERS="$numbers" -DREVISION="$revision" \
  -DSTAGE="$stage" -DOUTFILE="$setup" "$root/packaging/varenko.nsi"
echo "package: $setup"
echo "package: $zip"
