#!/bin/sh
# The core's folders depend one way: each may include only the folders listed
# after it (and itself), so no cycle can form and the neuron builds alone.
# Usage: include_rule.sh <source tree>
cd "${1:?source tree}" || exit 2
status=0
check() {
    folder=$1; shift
    allowed="$folder $*"
    for file in "$folder"/*; do
        grep -o '^#include "[a-z_]*/' "$file" | sed 's/^#include "//; s#/$##' | sort -u |
        while read -r used; do
            case " $allowed " in *" $used "*) ;; *) echo "$file includes $used/"; exit 1 ;; esac
        done || status=1
    done
}
check model
check stimulus model
check render model stimulus
check sim model stimulus render
check tuning model stimulus render sim
check controls model stimulus render sim
check lesson model stimulus render sim tuning controls
# The core builds with no toolkit: no Qt or SDL header anywhere in it.
for file in $(grep -l '^#include <\(Q\|SDL\)' model/* stimulus/* render/* sim/* tuning/* controls/* lesson/*); do
    echo "$file includes a toolkit header"; status=1
done
exit $status
