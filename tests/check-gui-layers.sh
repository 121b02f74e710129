#!/bin/sh
# The gui folders stand in layers, lowest first; a file may include its own folder and the
# folders of lower layers, never one of its own layer or above. A cycle between the folders
# starts with a single include upwards, so it is caught here while it is one line.
set -eu
gui="${1:-$(dirname "$0")/../src/gui}"
rank() {
    case "$1" in
        common) echo 0 ;;
        images | output | commands) echo 1 ;;
        document) echo 2 ;;
        view) echo 3 ;;
        solver) echo 4 ;;
        frame) echo 5 ;;
        app) echo 6 ;;
        *) echo "unknown gui folder: $1" >&2; exit 2 ;;
    esac
}
status=0
for dir in "$gui"/*/; do
    from=$(basename "$dir")
    from_rank=$(rank "$from")
    for to in $(grep -rhoE '#include "gui/[a-z]+/' "$dir" | sed -E 's#.*gui/([a-z]+)/#\1#' | sort -u); do
        [ "$to" = "$from" ] && continue
        if [ "$(rank "$to")" -ge "$from_rank" ]; then
            echo "gui/$from includes gui/$to:" >&2
            grep -rn "#include \"gui/$to/" "$dir" >&2
            status=1
        fi
    done
done
exit $status
