#!/usr/bin/env bash
# Proves that a fresh Debian machine gets everything the configured build used from the
# package list in tools/bootstrap.sh.  A green build proves nothing by itself: the machine
# may hold packages that earlier work installed by hand.
#
# It collects every file outside the source and build trees that the build read or links:
# the CMake package files and the tools in build/CMakeCache.txt, the headers in Ninja's
# dependency log, the shared libraries of every executable and library built (ldd), and the
# programs that tests and tools start.  Each file is mapped to its Debian package, and that
# package must be in the list or be pulled in by it without recommends.
#
#   tools/check_packages.sh [--without PACKAGE]... [BUILD_DIR]
#
# --without takes a package out of the list for this run, to show that the check notices.
set -uo pipefail
cd "$(dirname "$0")/.."

without=()
build_dir=build
while [ $# -gt 0 ]; do
    case "$1" in
        --without) without+=("$2"); shift 2 ;;
        *) build_dir="$1"; shift ;;
    esac
done

source_root=$(pwd -P)
if [ ! -f "$build_dir/CMakeCache.txt" ]; then
    echo "check_packages: $build_dir/CMakeCache.txt chybí; nejdřív sestavte program." >&2
    exit 2
fi
build_root=$(cd "$build_dir" && pwd -P)

source tools/bootstrap.sh
packages=()
for p in "${TALLYRA_PACKAGES[@]}"; do
    keep=1
    for w in "${without[@]}"; do [ "$p" = "$w" ] && keep=0; done
    [ $keep -eq 1 ] && packages+=("$p")
done

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

outside_trees() {
    grep -E '^/' | grep -v -E "^($source_root|$build_root)/" | sort -u
}

# CMake: the configuration files of every package found, and every tool or library found
# by path.
{
    sed -n -E 's/^[A-Za-z0-9_]+_DIR:[A-Z]*=(\/.*)$/\1/p' "$build_dir/CMakeCache.txt" |
        while read -r dir; do
            [ -d "$dir" ] && find "$dir" -maxdepth 1 -type f -iname '*config*.cmake'
        done
    # Libraries that CMake found but nothing links are left out: they are only there when
    # something else brought them.
    sed -n -E 's/^[A-Za-z0-9_]+:FILEPATH=(\/.*)$/\1/p' "$build_dir/CMakeCache.txt" |
        while read -r f; do [ -x "$f" ] && [[ "$f" != *.so* ]] && echo "$f"; done
    sed -n -E 's/^CMAKE_(COMMAND|CTEST_COMMAND):INTERNAL=(\/.*)$/\2/p' "$build_dir/CMakeCache.txt"
    sed -n -E 's/^ +LINK_LIBRARIES = (.*)$/\1/p' "$build_dir/build.ninja" | tr ' ' '\n'
} | while read -r f; do [ -f "$f" ] && echo "$f"; done | outside_trees >"$work/cmake"

# Headers: Ninja records what the compiler read for every object.
ninja -C "$build_dir" -t deps 2>/dev/null | sed -n -E 's/^ +(\/.*)$/\1/p' | outside_trees >"$work/headers"

# Shared libraries of everything built.
find "$build_root" -type f \( -perm -u+x -o -name '*.so*' \) -not -path '*/CMakeFiles/*' |
    while read -r f; do
        [ "$(head -c 4 "$f" | od -An -c | tr -d ' ')" = '177ELF' ] && ldd "$f" 2>/dev/null
    done | sed -n -E 's/.*=> (\/[^ ]+) .*/\1/p; s/^\s+(\/[^ ]+) \(0x.*/\1/p' | outside_trees >"$work/libraries"

# Programs that tests, benchmarks and tools start by name.
# (The program itself may look for optional helpers, such as a help viewer.)
{
    grep -rhoE '(start|execute)\(QStringLiteral\("[a-z][a-z0-9_.+-]*"\)' src tests bench tools
    grep -rhoE 'findExecutable\((QStringLiteral\()?"[a-z][a-z0-9_.+-]*"' tests bench tools
} 2>/dev/null | sed -E 's/.*\("([^"]+)".*/\1/' | sort -u | while read -r program; do
        path=$(command -v "$program") || { echo "MISSING-PROGRAM:$program"; continue; }
        echo "$path"
    done >"$work/programs"

cat "$work/cmake" "$work/headers" "$work/libraries" "$work/programs" | sort -u >"$work/files"
missing_programs=$(grep '^MISSING-PROGRAM:' "$work/files" | cut -d: -f2)
grep -v '^MISSING-PROGRAM:' "$work/files" >"$work/paths"

# File to package.  Debian 12 merges /lib into /usr/lib, but dpkg still knows many files
# under the name their package ships them with, so each file is also tried by its real
# path and by the other spelling of the merged folders.
candidates() {
    local f="$1" r
    r=$(readlink -f "$f")
    printf '%s\n' "$f" "$r"
    for p in "$f" "$r"; do
        case "$p" in
            /usr/lib/*|/usr/bin/*|/usr/sbin/*) echo "${p#/usr}" ;;
            /lib/*|/lib64/*|/bin/*|/sbin/*) echo "/usr$p" ;;
        esac
    done
}
while read -r f; do
    candidates "$f" | sort -u | while read -r c; do printf '%s\t%s\n' "$f" "$c"; done
done <"$work/paths" >"$work/candidates"
cut -f2 "$work/candidates" | sort -u | xargs -r dpkg-query -S 2>/dev/null |
    grep -v '^diversion' | sed -E 's/^(.*): (\/.*)$/\2\t\1/' >"$work/owners"

awk -F'\t' 'NR == FNR { owner[$1] = $2; next }
            !($1 in done) && ($2 in owner) { print $1 "\t" owner[$2]; done[$1] = 1 }
            END { }' "$work/owners" "$work/candidates" | sort -u >"$work/file_package"

# Every package a fresh machine ends up with: the list, what it depends on without
# recommends, and the essential set that every Debian system has.
apt-cache depends --recurse --no-recommends --no-suggests --no-conflicts --no-breaks \
    --no-replaces --no-enhances "${packages[@]}" 2>/dev/null |
    grep -v '^ ' | tr -d '<>' | sed 's/:.*//' >"$work/closure"
dpkg-query -W -f='${Package} ${Essential}\n' | awk '$2 == "yes" { print $1 }' >>"$work/closure"
sort -u -o "$work/closure" "$work/closure"

# One line per missing package, with one of its files as the example.
report=$(awk -F'\t' '
    FILENAME == ARGV[1] { allowed[$1] = 1; next }
    FILENAME == ARGV[2] { owners[$1] = $2; next }
    !($1 in owners) { print "check_packages: " $1 " nepatří žádnému balíčku Debianu (nainstalováno ručně?)"; next }
    {
        n = split(owners[$1], list, /, */); ok = 0
        for (i = 1; i <= n; i++) { sub(/:.*/, "", list[i]); if (list[i] in allowed) ok = 1 }
        if (!ok && !(owners[$1] in seen)) { seen[owners[$1]] = $1; order[++k] = owners[$1] }
        if (!ok) files[owners[$1]]++
    }
    END {
        for (i = 1; i <= k; i++) {
            p = order[i]
            print "check_packages: balíček " p " chybí v seznamu tools/bootstrap.sh (" files[p] " souborů, např. " seen[p] ")"
        }
    }' "$work/closure" "$work/file_package" "$work/paths")
for program in $missing_programs; do
    report+=$'\n'"check_packages: program $program, který spouštějí testy nebo nástroje, není nainstalován"
done
report=$(printf '%s\n' "$report" | sed '/^$/d')

count=$(wc -l <"$work/paths")
if [ -n "$report" ]; then
    echo "$report"
    echo "check_packages: na novém stroji s Debianem 12 by sestavení nebo testy selhaly." >&2
    exit 1
fi
echo "check_packages: všech $count souborů sestavení pochází z balíčků seznamu."
