#!/usr/bin/env bash
# Builds the Debian package from a built tree, unpacks it into a scratch root and checks what a user
# gets: both programs, the desktop entry, the icons, the manual page (which must name every option
# that `vsl-report --help` lists) and an installed `vsl-report` that runs.
# Usage: package_test.sh CPACK BUILD_DIR DEMO_DIR
set -euo pipefail

cpack=$1 build=$2 demo=$3
scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT
failures=0
fail() { echo "FAIL: $*" >&2; failures=$((failures + 1)); }

if ! "$cpack" -G DEB --config "$build/CPackConfig.cmake" -B "$scratch/out" >"$scratch/cpack.log" 2>&1; then
  cat "$scratch/cpack.log" >&2
  echo "FAIL: cpack could not build the package" >&2
  exit 1
fi
debs=("$scratch"/out/*.deb)
[ ${#debs[@]} -eq 1 ] && [ -f "${debs[0]}" ] || { echo "FAIL: expected one .deb, got: ${debs[*]}" >&2; exit 1; }
deb=${debs[0]}
echo "built $(basename "$deb") ($(stat -c %s "$deb") bytes)"

# Control fields.
field() { dpkg-deb -f "$deb" "$1"; }
[ "$(field Package)" = vellum-saves-list ] || fail "package name is '$(field Package)'"
[ -n "$(field Maintainer)" ] || fail "no maintainer"
[ -n "$(field Description)" ] || fail "no description"
depends=$(field Depends)
echo "Depends: $depends"
for lib in libc6 libstdc++6 zlib1g libdeflate0 libqt6core6 libqt6gui6 libqt6widgets6 libqt6charts6 \
           qt6-qpa-plugins; do
  sed 's/ *([^)]*)//g; s/ *| */\n/g; s/, */\n/g' <<<"$depends" | grep -Fqx "$lib" || fail "Depends does not name $lib"
done

root=$scratch/root
dpkg-deb -x "$deb" "$root"
usr=$root/usr

# The programs.
for program in vsl-report vellum-saves-list; do
  [ -x "$usr/bin/$program" ] || fail "usr/bin/$program is missing or not executable"
done

# The desktop entry, and that what it names is installed.
desktop=$usr/share/applications/vellum-saves-list.desktop
if [ -f "$desktop" ]; then
  if command -v desktop-file-validate >/dev/null; then
    desktop-file-validate "$desktop" || fail "desktop-file-validate rejects the desktop entry"
  else
    echo "note: desktop-file-validate not installed, entry checked by its fields only"
  fi
  grep -qx 'Name=Vellum Saves List' "$desktop" || fail "desktop entry Name"
  grep -qx 'Type=Application' "$desktop" || fail "desktop entry Type"
  grep -Eq '^Categories=(.*;)?Game;' "$desktop" || fail "desktop entry is not in the Game category"
  exec_program=$(sed -n 's/^Exec=\([^ ]*\).*/\1/p' "$desktop")
  [ -x "$usr/bin/$exec_program" ] || fail "Exec names '$exec_program', which is not installed"
  icon=$(sed -n 's/^Icon=//p' "$desktop")
  [ "$icon" = vellum-saves-list ] || fail "Icon is '$icon'"
else
  fail "no desktop entry in usr/share/applications"
fi

# The icons: the SVG, and every PNG at its size (width and height from the PNG header).
hicolor=$usr/share/icons/hicolor
grep -q '<svg' "$hicolor/scalable/apps/vellum-saves-list.svg" 2>/dev/null || fail "scalable SVG icon missing"
for size in 16 32 48 64 128 256; do
  png=$hicolor/${size}x${size}/apps/vellum-saves-list.png
  if [ ! -f "$png" ]; then
    fail "icon ${size}x${size} missing"
    continue
  fi
  read -r -a header <<<"$(od -An -tu1 -N24 -v "$png" | tr -s ' \n' '  ')"
  magic="${header[1]}${header[2]}${header[3]}"  # bytes 1-3: "PNG"
  width=$(( (header[16] << 24) | (header[17] << 16) | (header[18] << 8) | header[19] ))
  height=$(( (header[20] << 24) | (header[21] << 16) | (header[22] << 8) | header[23] ))
  [ "$magic" = 807871 ] || fail "$png is not a PNG"
  [ "$width" = "$size" ] && [ "$height" = "$size" ] || fail "$png is ${width}x${height}, not ${size}x${size}"
done

# The manual pages: compressed and well-formed; vsl-report's names every option of the program's own help.
for page in vsl-report vellum-saves-list; do
  man=$usr/share/man/man1/$page.1.gz
  if [ -f "$man" ] && gzip -t "$man"; then
    zcat "$man" | grep -qi "^\.TH $page 1" || fail "manual page of $page has no .TH line"
    if command -v groff >/dev/null; then
      warnings=$(zcat "$man" | LC_ALL=C.UTF-8 groff -man -ww -z 2>&1) || true
      [ -z "$warnings" ] || fail "groff warns about the manual page of $page: $warnings"
    fi
  else
    fail "manual page usr/share/man/man1/$page.1.gz missing or not gzip"
  fi
done
man=$usr/share/man/man1/vsl-report.1.gz
if [ -f "$man" ]; then
  manual_text=$(zcat "$man" | sed 's/\\-/-/g')
  help_options=$("$usr/bin/vsl-report" --help | grep -o -- '--[a-z][a-z-]*' | sort -u)
  [ -n "$help_options" ] || fail "vsl-report --help lists no options"
  for option in $help_options; do
    grep -q -- "$option\\b" <<<"$manual_text" || fail "the manual page does not document $option"
  done
  for status in 0 1 2; do
    grep -Eq "^\\.B $status\$" <<<"$manual_text" || fail "the manual page does not document exit status $status"
  done
fi

# The documentation: copyright, changelog, and the guide as HTML with every picture it shows.
doc=$usr/share/doc/vellum-saves-list
grep -q '^Format: https://www.debian.org/doc/packaging-manuals/copyright-format/1.0/' "$doc/copyright" 2>/dev/null ||
  fail "usr/share/doc/vellum-saves-list/copyright missing or not in the machine-readable format"
gzip -t "$doc/changelog.gz" 2>/dev/null || fail "usr/share/doc/vellum-saves-list/changelog.gz missing or not gzip"
if grep -q '<h2 id="vsl-report-in-scripts">' "$doc/guide.html" 2>/dev/null; then
  pictures=$(grep -o 'src="[^"]*"' "$doc/guide.html" | sed 's/^src="//; s/"$//')
  [ -n "$pictures" ] || fail "the installed guide shows no pictures"
  for picture in $pictures; do
    [ -f "$doc/$picture" ] || fail "the installed guide shows $picture, which is not installed"
  done
else
  fail "usr/share/doc/vellum-saves-list/guide.html missing or without its sections"
fi
for page in vsl-report vellum-saves-list; do
  zcat "$usr/share/man/man1/$page.1.gz" 2>/dev/null | grep -q '/usr/share/doc/vellum-saves-list/guide.html' ||
    fail "the manual page of $page does not point at the installed guide"
done

# lintian, where installed, finds no error in the package, and the programs of an optimised build
# without the sanitizers (VSL_HARDENED=1) carry every hardening (fortified functions, stack protector,
# full RELRO, immediate binding, PIE): no hardening tag at all.
if command -v lintian >/dev/null; then
  report=$(lintian --display-info --no-tag-display-limit "$deb" 2>&1 || true)
  errors=$(grep '^E: ' <<<"$report" || true)
  [ -z "$errors" ] || fail "lintian reports errors: $errors"
  hardening=$(grep ' hardening-' <<<"$report" || true)
  [ "${VSL_HARDENED:-1}" = 0 ] || [ -z "$hardening" ] || fail "lintian reports missing hardening: $hardening"
else
  echo "note: lintian not installed, the package is not checked by it"
fi

# The installed programs run from the scratch root.
if "$usr/bin/vsl-report" --help >"$scratch/help.txt"; then
  grep -q '^Usage: vsl-report' "$scratch/help.txt" || fail "installed vsl-report --help prints no usage line"
else
  fail "installed vsl-report --help exits with $?"
fi
saves=("$demo"/*.Save)
if [ -f "${saves[0]}" ]; then
  rows=$("$usr/bin/vsl-report" --format csv "${saves[@]}" | wc -l) || fail "installed vsl-report fails on the demo saves"
  [ "$rows" -eq $((${#saves[@]} + 1)) ] || fail "installed vsl-report wrote $rows lines for ${#saves[@]} saves"
  # Standard output that cannot take the results: a full device is an error with a message; a pipe
  # closed early ends the program quietly by SIGPIPE (status 141 in the shell).
  status=0
  "$usr/bin/vsl-report" "${saves[@]}" >/dev/full 2>"$scratch/full.txt" || status=$?
  [ "$status" -eq 1 ] && grep -q 'cannot write the results to standard output' "$scratch/full.txt" ||
    fail "vsl-report onto /dev/full: status $status, message '$(cat "$scratch/full.txt")'"
  # Under a file size limit the output fails with a message, and the old file stays as it was.
  echo old >"$scratch/limited.txt"
  status=0
  (ulimit -f 1; "$usr/bin/vsl-report" --format html --output "$scratch/limited.txt" "${saves[@]}") \
    2>"$scratch/limit.txt" || status=$?
  [ "$status" -eq 1 ] && [ "$(cat "$scratch/limited.txt")" = old ] && grep -q 'File too large' "$scratch/limit.txt" ||
    fail "vsl-report under a file size limit: status $status, message '$(cat "$scratch/limit.txt")'"
  many=()
  for _ in $(seq 100); do many+=("${saves[0]}"); done  # far more than a pipe holds
  statuses=$("$usr/bin/vsl-report" --format json "${many[@]}" 2>"$scratch/pipe.txt" | head -c 1 >/dev/null;
             echo "${PIPESTATUS[0]}")
  [ "$statuses" -eq 141 ] && [ ! -s "$scratch/pipe.txt" ] ||
    fail "vsl-report into a closed pipe: status $statuses, message '$(cat "$scratch/pipe.txt")'"
fi
XDG_RUNTIME_DIR=$scratch QT_QPA_PLATFORM=offscreen "$usr/bin/vellum-saves-list" --help >/dev/null || fail "installed vellum-saves-list --help fails"

if [ "$failures" -gt 0 ]; then
  echo "$failures check(s) failed" >&2
  exit 1
fi
echo "package checks passed"
