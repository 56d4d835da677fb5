#!/usr/bin/env bash
# Installs the desktop files into a fresh prefix and checks what a desktop reads there:
# the .uds type in the MIME database, the entries in the desktop database, an icon for
# every entry and the type, and Pellora's entry plotting the files it is handed.
set -euo pipefail
cmake=$1 build=$2
prefix=$(mktemp -d)
trap 'rm -rf "$prefix"' EXIT
fail() { echo "desktop_install: $*" >&2; exit 1; }

"$cmake" --install "$build" --prefix "$prefix" --component desktop >"$prefix/install.log" 2>&1 ||
  { cat "$prefix/install.log"; fail "the install failed"; }
share=$prefix/share

[ -f "$share/mime/mime.cache" ] || fail "no MIME cache in $share/mime"
grep -qx '50:application/x-uds-1992:\*\.uds' "$share/mime/globs2" || fail "*.uds is not application/x-uds-1992"
[ -f "$share/mime/application/x-uds-1992.xml" ] || fail "the type's own file is missing"
[ -f "$share/applications/mimeinfo.cache" ] || fail "no desktop database in $share/applications"
grep -q '^application/x-uds-1992=.*pellora\.desktop' "$share/applications/mimeinfo.cache" ||
  fail "the desktop database does not open .uds files with Pellora"
[ -f "$share/icons/hicolor/scalable/mimetypes/application-x-uds-1992.svg" ] || fail "the type has no icon"

count=0
for entry in "$share"/applications/*.desktop; do
  icon=$(sed -n 's/^Icon=//p' "$entry")
  [ -n "$icon" ] || fail "$(basename "$entry") names no icon"
  [ -f "$share/icons/hicolor/scalable/apps/$icon.svg" ] || fail "$(basename "$entry") names icon $icon, not installed"
  if command -v desktop-file-validate >/dev/null 2>&1; then
    desktop-file-validate "$entry" || fail "$(basename "$entry") is not a valid desktop entry"
  fi
  count=$((count + 1))
done
[ "$count" -eq 5 ] || fail "$count desktop entries installed, 5 expected"
grep -qx 'Exec=Pellora -O %F' "$share/applications/pellora.desktop" || fail "Pellora's entry lists files without plotting them"
echo "desktop_install: the type, 5 entries and their icons are in place"
