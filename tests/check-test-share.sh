#!/bin/sh
# Test code stays at most half as long as the program's code, so that the tests remain a
# third of the whole. Counted: lines of C++ in src/ and tests/ that are neither blank nor
# only a // comment.
root="${1:-$(dirname "$0")/..}"
count() {
    find "$1" \( -name '*.cpp' -o -name '*.h' \) -exec cat {} + | grep -v '^[[:space:]]*$' |
        grep -cv '^[[:space:]]*//'
}
src=$(count "$root/src")
tests=$(count "$root/tests")
echo "test lines $tests, source lines $src"
if [ $((tests * 2)) -gt "$src" ]; then
    echo "the tests are more than half as long as the source: make them leaner"
    exit 1
fi
