#!/bin/sh
# The core's folders depend one way: each may include only itself and the
# folders before it below, so no cycle can form and the neuron builds alone;
# none includes a Qt or SDL header. A relative include ("../x/...") would
# step round the rule, so it is refused; a spaced "# include" counts too.
# Usage: include_rule.sh <source tree>
cd "${1:?source tree}" || exit 2
status=0
allowed=""
for folder in language model stimulus render sim tuning recording mapping formats controls; do
    allowed="$allowed $folder"
    for file in "$folder"/*; do
        for used in $(sed -n 's/^[[:space:]]*#[[:space:]]*include[[:space:]]*"\([^"]*\)".*/\1/p' "$file"); do
            case $used in
                ../*|./*) echo "$file includes $used by a relative path"; status=1; continue ;;
                */*) ;;
                *) continue ;;  # a header beside the file
            esac
            case "$allowed " in *" ${used%%/*} "*) ;; *) echo "$file includes ${used%%/*}/"; status=1 ;; esac
        done
        if grep -q '^[[:space:]]*#[[:space:]]*include[[:space:]]*<\(Q\|SDL\)' "$file"; then
            echo "$file includes a toolkit header"; status=1
        fi
    done
done
exit $status
