#!/bin/sh
# The core's folders depend one way: each may include only the folders listed
# after it (and itself), so no cycle can form and the neuron builds alone.
# A relative include ("../x/...") would step round the rule, so it is refused,
# and an indented or spaced "# include" counts like any other.
# Usage: include_rule.sh <source tree>
cd "${1:?source tree}" || exit 2
status=0
includes() {
    sed -n 's/^[[:space:]]*#[[:space:]]*include[[:space:]]*"\([^"]*\)".*/\1/p' "$1"
}
check() {
    folder=$1; shift
    allowed="$folder $*"
    for file in "$folder"/*; do
        for used in $(includes "$file"); do
            case $used in
                ../*|./*) echo "$file includes $used by a relative path"; status=1; continue ;;
                */*) ;;
                *) continue ;;  # a header beside the file
            esac
            case " $allowed " in *" ${used%%/*} "*) ;; *) echo "$file includes ${used%%/*}/"; status=1 ;; esac
        done
    done
}
check model
check stimulus model
check render model stimulus
check sim model stimulus render
check tuning model stimulus render sim
check recording model stimulus render sim tuning
check formats model stimulus render sim tuning recording
check controls model stimulus render sim tuning recording formats
# The core builds with no toolkit: no Qt or SDL header anywhere in it.
for file in model/* stimulus/* render/* sim/* tuning/* recording/* formats/* controls/*; do
    if grep -q '^[[:space:]]*#[[:space:]]*include[[:space:]]*<\(Q\|SDL\)' "$file"; then
        echo "$file includes a toolkit header"; status=1
    fi
done
exit $status
