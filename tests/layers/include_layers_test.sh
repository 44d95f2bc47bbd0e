#!/usr/bin/env bash
# Fails when a file includes a layer above its own, or Qt below widgets/.
# Usage: include_layers_test.sh SRC_DIR
set -euo pipefail
src=$1

# The folders each layer may include besides its own.
allowed_for() {
    case $1 in
    document) echo "" ;;
    geometry | filters | tone | printing) echo "document" ;;
    operations) echo "document geometry filters tone printing" ;;
    cli) echo "document geometry filters tone printing operations" ;;
    widgets) echo "document" ;;
    */ui) echo "document ${1%/ui} widgets" ;;
    app) echo "document geometry filters tone printing widgets geometry/ui filters/ui tone/ui printing/ui" ;;
    *) return 1 ;;
    esac
}

qt_free() {
    case $1 in document | geometry | filters | tone | printing | operations | cli) return 0 ;; esac
    return 1
}

status=0
while IFS= read -r file; do
    relative=${file#"$src"/}
    layer=${relative%/*}
    if ! allowed=$(allowed_for "$layer"); then
        echo "$relative: folder '$layer' belongs to no layer"
        status=1
        continue
    fi
    while IFS= read -r line; do
        target=$(sed -n 's/^[[:space:]]*#[[:space:]]*include[[:space:]]*"\([^"]*\)".*/\1/p' <<<"$line")
        if [[ -n $target && $target == */* ]]; then
            folder=${target%/*}
            if [[ $folder != "$layer" && " $allowed " != *" $folder "* ]]; then
                echo "$relative: includes $target, a layer above or beside its own"
                status=1
            fi
        fi
        if qt_free "$layer" && [[ $line =~ ^[[:space:]]*#[[:space:]]*include[[:space:]]*\<Q ]]; then
            echo "$relative: includes Qt (${line#*include}) below widgets/"
            status=1
        fi
    done < <(grep -E '^[[:space:]]*#[[:space:]]*include' "$file" || true)
done < <(find "$src" -name '*.h' -o -name '*.cpp' | sort)
exit $status
