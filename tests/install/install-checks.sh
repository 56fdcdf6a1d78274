# Checks of an installed Orvane that the staged-install and the package tests
# share. Each failed check is printed and counted in $failures; the caller exits
# non-zero when there is one.
failures=0
fail() { echo "FAIL: $*" >&2; failures=$((failures + 1)); }

here=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)

# expect_files LISTING PREFIX: LISTING (one path a line, relative to the
# staging root) is exactly installed-files under PREFIX.
expect_files() {
    local expected
    expected=$(sed "s|^|${2#/}/|" "$here/installed-files" | sort)
    if ! diff -u <(echo "$expected") <(sort <<<"$1") >&2; then
        fail "the installed files under $2 differ from installed-files (- expected, + installed)"
    fi
}

# check_binaries_run BINDIR: the installed programs start from where they were put.
check_binaries_run() {
    local bin=$1 out
    if ! out=$("$bin/orvane-calc" --help 2>&1) || [[ $out != "Usage: orvane-calc"* ]]; then
        fail "$bin/orvane-calc --help: $out"
    fi
    if ! out=$(printf 'rent = 1200\nrent * 12 =\n' | "$bin/orvane-calc" 2>&1) || [ "$out" != $'= 1200\n= 14400' ]; then
        fail "$bin/orvane-calc answered \"$out\" for a two-line note"
    fi
    # orvane needs a desktop session to show its panel, but not to answer --version.
    if [ ! -x "$bin/orvane" ]; then
        fail "$bin/orvane is not executable"
    elif ! out=$(ldd "$bin/orvane" 2>&1) || grep -q "not found" <<<"$out"; then
        fail "$bin/orvane does not link: $(grep "not found" <<<"$out")"
    elif ! out=$(env -u DISPLAY -u WAYLAND_DISPLAY "$bin/orvane" --version 2>&1) || [[ $out != "Orvane v"* ]]; then
        fail "$bin/orvane --version: $out"
    fi
}
