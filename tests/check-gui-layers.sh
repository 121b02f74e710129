#!/bin/sh
# The gui folders stand in layers, lowest first. A file includes its own folder and the
# folders of lower layers only, so that no two folders can come to need each other; a folder
# missing from the list may include any other but nobody may include it.
gui="${1:-$(dirname "$0")/../src/gui}"
layers="common images:output:commands dialogs document view solver frame app"
rank() {
    i=0
    for layer in $layers; do
        case ":$layer:" in *":$1:"*) echo $i && return ;; esac
        i=$((i + 1))
    done
    echo 99
}
for dir in "$gui"/*/; do
    from=$(basename "$dir")
    grep -rnoE '#include "gui/[a-z]+/' "$dir" | while IFS= read -r hit; do
        to=$(echo "$hit" | sed -E 's#.*gui/([a-z]+)/$#\1#')
        [ "$to" != "$from" ] && [ "$(rank "$to")" -ge "$(rank "$from")" ] && echo "upwards: $hit"
    done
done | grep . >&2 && exit 1
exit 0
