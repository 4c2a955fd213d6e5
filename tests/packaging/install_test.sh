#!/usr/bin/env bash
# Installs a configured build into a scratch root and checks what a desktop needs from it: both
# programs, a menu entry that validates, the icon, the help pages, and a file type that names
# Velmora's ".snd" files, those it writes first of all, without taking ".snd" audio by its header.
# Usage: install_test.sh CMAKE BUILD_DIR SOURCE_DIR EXPECT_CALC(yes|no)
set -euo pipefail
cmake=$1 build=$2 source=$3 expect_calc=$4

root=$(mktemp -d)
trap 'rm -rf "$root"' EXIT
DESTDIR=$root "$cmake" --install "$build" --prefix /usr >/dev/null
usr=$root/usr

failures=0
fail() { echo "FAIL: $*"; failures=$((failures + 1)); }

programs=(velmora)
[ "$expect_calc" = yes ] && programs+=(velmora-calc)
for program in "${programs[@]}"; do
    [ -x "$usr/bin/$program" ] || fail "bin/$program is missing or not executable"
done
if [ "$expect_calc" = yes ]; then
    # Only the drawing half loads Qt; the installed tool finds it in libexec.
    ldd "$usr/bin/velmora-calc" | grep -q Qt && fail "velmora-calc links Qt"
    printf 'Bands: 1 3\r\n' >"$root/one.snd"
    "$usr/bin/velmora-calc" render "$root/one.snd" -o "$root/one.png" && [ -s "$root/one.png" ] ||
        fail "the installed velmora-calc cannot render"
fi
for file in share/applications/velmora.desktop share/icons/hicolor/scalable/apps/velmora.svg \
            share/mime/packages/velmora.xml share/doc/velmora/README.md; do
    [ -s "$usr/$file" ] || fail "$file is missing or empty"
done
for page in "$source"/resources/help/*.html; do
    cmp -s "$page" "$usr/share/doc/velmora/help/$(basename "$page")" || fail "help page $(basename "$page") not installed"
done

# The menu starts the program by the name installed in bin/ and names the icon installed above.
desktop=$usr/share/applications/velmora.desktop
grep -qx 'Exec=velmora %F' "$desktop" || fail "Exec line does not start velmora with its files"
grep -qx 'Icon=velmora' "$desktop" || fail "Icon is not the installed velmora icon"
grep -qx 'MimeType=application/x-velmora-spectrum;' "$desktop" || fail "desktop entry does not claim the data file type"
if command -v desktop-file-validate >/dev/null; then
    desktop-file-validate "$desktop" || fail "desktop-file-validate rejects velmora.desktop"
else
    echo "note: desktop-file-validate not installed, entry not validated"
fi

# Detection against the system's own types. By name alone every ".snd" file is a spectrum; with
# the content read, a data file is one by its header (as the program writes it, and with LF line
# ends) or as text, while Sun audio stays audio by its header. Bare samples have nothing to tell
# them apart, so the name decides.
if command -v update-mime-database >/dev/null && command -v gio >/dev/null && [ -d /usr/share/mime/packages ]; then
    mime=$root/mime
    mkdir -p "$mime/mime/packages" "$root/files"
    cp /usr/share/mime/packages/*.xml "$usr/share/mime/packages/velmora.xml" "$mime/mime/packages/"
    warnings=$(XDG_DATA_DIRS=$mime update-mime-database "$mime/mime" 2>&1) || fail "update-mime-database failed: $warnings"
    [ -z "$warnings" ] || fail "update-mime-database warns: $warnings"
    if [ "$expect_calc" = yes ]; then
        "$usr/bin/velmora-calc" convert "$root/one.snd" --third -o "$root/files/crlf.snd" || fail "velmora-calc convert failed"
    else
        printf '#\r\n# Velmora Data File\r\n#\r\n\r\nBands:  1  3\r\n' >"$root/files/crlf.snd"
    fi
    tr -d '\r' <"$root/files/crlf.snd" >"$root/files/lf.snd"
    cp "$root/files/crlf.snd" "$root/files/crlf-without-extension"
    printf 'Levels: 63 45.5\n# my wall\n' >"$root/files/typed.snd"
    printf '.snd\0\0\0\x18\0\0\0\x08\0\0\0\x01\0\0\x1f\x40\0\0\0\x01\0\0\0\0\0\0\0\0' >"$root/files/sun.snd"
    printf '\xff\x7f\x00\x80\xfe\x7e\x01\x81%.0s' $(seq 64) >"$root/files/bare.snd"
    detected() {
        env -i PATH="$PATH" HOME="$root" XDG_DATA_HOME="$root/none" XDG_DATA_DIRS="$mime" \
            gio info -a "standard::$1" "$root/files/$2" | sed -n "s/.*standard::$1: //p"
    }
    while read -r name by_content by_name; do
        actual=$(detected content-type "$name")
        [ "$actual" = "$by_content" ] || fail "$name detected as '$actual', expected '$by_content'"
        actual=$(detected fast-content-type "$name")
        [ "$actual" = "$by_name" ] || fail "$name named '$actual' by its name, expected '$by_name'"
    done <<'EOF'
crlf.snd application/x-velmora-spectrum application/x-velmora-spectrum
lf.snd application/x-velmora-spectrum application/x-velmora-spectrum
crlf-without-extension application/x-velmora-spectrum application/octet-stream
typed.snd application/x-velmora-spectrum application/x-velmora-spectrum
sun.snd audio/basic application/x-velmora-spectrum
bare.snd application/x-velmora-spectrum application/x-velmora-spectrum
EOF
else
    echo "note: update-mime-database or gio not installed, file type detection not checked"
fi

if [ "$failures" -ne 0 ]; then
    echo "install check: $failures failure(s)"
    exit 1
fi
echo "install check: all present"
