#!/bin/sh
# Installs the build into a scratch prefix and runs the installed varnek:
# it must find the installed plug-in by itself.
#   install_test.sh CMAKE BUILD_DIR
set -eu
cmake=$1
build=$2
prefix=$(mktemp -d)
trap 'rm -rf "$prefix"' EXIT
"$cmake" --install "$build" --prefix "$prefix" >/dev/null
out=$(env -u LD_LIBRARY_PATH LC_ALL=C.UTF-8 "$prefix/bin/varnek" info)
echo "$out" | grep -q "^Plug-in:  $prefix/" || { echo "wrong plug-in: $out" >&2; exit 1; }
echo "$out" | grep -q "^Version:  Varnek Version 1.03" || { echo "no banner: $out" >&2; exit 1; }
