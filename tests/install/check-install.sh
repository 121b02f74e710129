#!/bin/sh
# Installs the build into a temporary prefix and checks what a user's system would receive:
# the file list, the desktop entry and AppStream data (by their validators), the MIME types,
# and the manual pages against the programs' own help. With TESSEMAR_TEST_PACKAGE=1 it also
# builds the Debian package and checks its contents and dependencies (slow: not in every run).
# Checks whose tool is missing are skipped with a message; the test then counts as skipped.
set -eu
build=$1
source=$2
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
prefix=$work/prefix
missing=""
fail() { echo "FAIL: $*" >&2; exit 1; }
have() {
    if command -v "$1" >/dev/null 2>&1; then return 0; fi
    echo "SKIP: $1 is not installed" >&2
    missing="$missing $1"
    return 1
}

cmake --install "$build" --prefix "$prefix" >"$work/install.log" || { cat "$work/install.log"; fail "install"; }

# What should be there, and nothing else: a stray file here would land on users' systems.
{
    echo bin/tessemar
    echo bin/tessemar-cli
    echo libexec/tessemar/tessemar-cli-draw
    echo share/applications/tessemar.desktop
    echo share/mime/packages/application-x-tessemar.xml
    echo share/metainfo/org.tessemar.Tessemar.metainfo.xml
    echo share/man/man1/tessemar.1.gz
    echo share/man/man1/tessemar-cli.1.gz
    for size in 16x16 32x32 48x48 256x256; do
        echo "share/icons/hicolor/$size/apps/tessemar.png"
        echo "share/icons/hicolor/$size/mimetypes/application-x-tessemar.png"
    done
    echo share/icons/hicolor/scalable/apps/tessemar.svg
    echo share/icons/hicolor/scalable/mimetypes/application-x-tessemar.svg
    for page in "$source"/resources/help/*.htm; do echo "share/doc/tessemar/html/${page##*/}"; done
} | LC_ALL=C sort >"$work/expected"
(cd "$prefix" && find . ! -type d | sed 's|^\./||' | LC_ALL=C sort) >"$work/installed"
diff -u "$work/expected" "$work/installed" || fail "the installed files differ from the list"

"$prefix/bin/tessemar-cli" --help >"$work/help" || fail "tessemar-cli --help"
# The commands that draw nothing start without Qt; render finds its program in libexec (a usage
# error from it, not "not available").
if ldd "$prefix/bin/tessemar-cli" | grep -q libQt; then fail "tessemar-cli loads Qt"; fi
status=0
"$prefix/bin/tessemar-cli" render >/dev/null 2>&1 || status=$?
[ "$status" = 64 ] || fail "tessemar-cli render did not reach tessemar-cli-draw (exit $status)"

if have desktop-file-validate; then
    desktop-file-validate "$prefix/share/applications/tessemar.desktop" || fail "desktop entry"
fi
if have appstreamcli; then
    appstreamcli validate --no-net "$prefix/share/metainfo/org.tessemar.Tessemar.metainfo.xml" ||
        fail "AppStream metainfo"
fi
if have update-mime-database; then
    XDG_DATA_DIRS="$prefix/share" update-mime-database "$prefix/share/mime" || fail "update-mime-database"
    for glob in "application/x-tessemar:\*.tsd" "text/x-nonogram:\*.non"; do
        grep -q ":$glob$" "$prefix/share/mime/globs2" || fail "no $glob in the MIME database"
    done
    grep -q "application/x-webpbn+xml" "$prefix/share/mime/XMLnamespaces" ||
        fail "webpbn XML is not recognised by its root element"
fi

if have man; then
    for page in tessemar tessemar-cli; do
        LC_ALL=C MANWIDTH=200 man --warnings -l "$prefix/share/man/man1/$page.1.gz" \
            >"$work/$page.txt" 2>"$work/$page.err" || fail "man -l $page"
        [ ! -s "$work/$page.err" ] || { cat "$work/$page.err"; fail "roff warnings in $page(1)"; }
    done
    # Every command of --help, with its whole synopsis, is in the page.
    grep '^  tessemar-cli ' "$work/help" | sed 's/^  //' | while IFS= read -r synopsis; do
        grep -qF -- "$synopsis" "$work/tessemar-cli.txt" || fail "tessemar-cli(1) lacks: $synopsis"
    done
fi

if [ "${TESSEMAR_TEST_PACKAGE:-0}" = 1 ] && have dpkg-deb && have dpkg-shlibdeps; then
    cmake --build "$build" --target package >"$work/package.log" 2>&1 ||
        { tail -n 30 "$work/package.log"; fail "package"; }
    deb=$(ls "$build"/tessemar_*_*.deb)
    dpkg-deb -c "$deb" | awk '$1 !~ /^d/ { sub(/^\.\/usr\//, "", $6); print $6 }' | LC_ALL=C sort \
        >"$work/packaged"
    diff -u "$work/expected" "$work/packaged" || fail "the package's files differ from the list"
    depends=$(dpkg-deb -f "$deb" Depends)
    echo "package $deb depends on: $depends"
    for library in libc6 libqt6widgets6 libqt6svg6; do
        echo "$depends" | grep -q "$library" || fail "$library missing from Depends"
    done
fi

if [ -n "$missing" ]; then
    echo "skipped the checks that need:$missing"
    exit 77
fi
