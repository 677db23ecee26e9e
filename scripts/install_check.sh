#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# scripts/install_check.sh [BUILD_DIR]
# Installs a built tree into a temporary prefix and checks it the way a desktop
# and a user see it: the files in their GNU places, the desktop entry and the
# AppStream metadata valid, the man pages clean, the installed program answering
# --version and running a headless job on the installed demo, quorvex-who
# answering for the same demo file and completing its servers. Then builds the
# Debian package and checks its dependencies, its contents and the program
# unpacked from it, and has Debian's checker, lintian, find no error or warning
# in it. Exits non-zero when any check fails.
set -uo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=$(cd "${1:-$root/build}" && pwd)
app_id=io.github.quorvex.Quorvex
version=$(sed -n 's/^CMAKE_PROJECT_VERSION:STATIC=//p' "$build/CMakeCache.txt")

tmp=$(mktemp -d)
trap 'rm -rf "$tmp"' EXIT
failures=0
fail() {
    echo "install check: FAIL: $*" >&2
    failures=$((failures + 1))
}
pass() { echo "install check: ok: $*"; }
skip() { echo "install check: skipped: $*"; }

# The parts that other work provides are checked once they exist in the tree.
main_handles_info_options() { grep -q 'handleInfoOptions' "$root/src/app/main.cpp"; }
jobs_exist() { grep -rqF "Passed file '" "$root/src"; }
sim_has_help() { grep -rqF -- '--help' "$root/tools/quorvex-sim"; }

# Runs the installed program as a script or scheduler would: no display, no Qt
# platform chosen, its own settings and data, from an unrelated directory.
run_headless() { # HOME_DIR PROGRAM ARGS...
    local home=$1
    shift
    mkdir -p "$home"
    (cd "$home" && env -u DISPLAY -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM HOME="$home" \
        XDG_CONFIG_HOME="$home/config" XDG_DATA_HOME="$home/data" \
        XDG_RUNTIME_DIR="$home/runtime" timeout 60 "$@")
}

check_layout() { # PREFIX
    local prefix=$1 f
    for f in bin/quorvex bin/quorvex-sim bin/quorvex-ncpd bin/quorvex-who \
        share/man/man1/quorvex-ncpd.1.gz share/man/man1/quorvex-who.1.gz \
        share/bash-completion/completions/quorvex-who \
        "share/applications/$app_id.desktop" "share/metainfo/$app_id.metainfo.xml" \
        share/icons/hicolor/scalable/apps/quorvex.svg share/icons/hicolor/16x16/apps/quorvex.png \
        share/icons/hicolor/48x48/apps/quorvex.png share/icons/hicolor/256x256/apps/quorvex.png \
        share/man/man1/quorvex.1.gz share/man/man1/quorvex-sim.1.gz; do
        [ -e "$prefix/$f" ] || fail "$f is not installed"
    done
    if [ -e "$root/data/faq.fil" ] || [ -e "$root/data/demo/faq.fil" ]; then
        [ -f "$prefix/share/quorvex/faq.fil" ] || fail "share/quorvex/faq.fil is not installed"
    else
        skip "faq.fil (not in data/ yet)"
    fi
    if [ -d "$root/data/demo" ]; then
        if diff <(cd "$root/data/demo" && find . -type f | sort) \
            <(cd "$prefix/share/quorvex/demo" 2>/dev/null && find . -type f | sort) >"$tmp/demo.diff"; then
            pass "the demo is installed whole in share/quorvex/demo"
        else
            fail "share/quorvex/demo differs from data/demo: $(head -5 "$tmp/demo.diff")"
        fi
    else
        skip "the demo (no data/demo yet)"
    fi
}

check_desktop_files() { # PREFIX
    local prefix=$1 desktop exec_name
    desktop=$prefix/share/applications/$app_id.desktop
    if desktop-file-validate "$desktop"; then
        pass "desktop-file-validate accepts the desktop entry"
    else
        fail "desktop-file-validate rejects $desktop"
    fi
    exec_name=$(sed -n 's/^Exec=\([^ ]*\).*/\1/p' "$desktop")
    [ -x "$prefix/bin/$exec_name" ] || fail "the desktop entry runs '$exec_name', which is not in bin/"
    [ -e "$prefix/share/icons/hicolor/scalable/apps/$(sed -n 's/^Icon=//p' "$desktop").svg" ] ||
        fail "the desktop entry's icon is not in the hicolor theme"
    if appstreamcli validate --no-net "$prefix/share/metainfo/$app_id.metainfo.xml"; then
        pass "appstreamcli accepts the metainfo"
    else
        fail "appstreamcli rejects the metainfo"
    fi
    local page
    for page in quorvex quorvex-sim quorvex-ncpd quorvex-who; do
        if gzip -dc "$prefix/share/man/man1/$page.1.gz" >"$tmp/page.1" &&
            LC_ALL=C.UTF-8 groff -man -ww -z "$tmp/page.1" 2>"$tmp/groff.err" &&
            [ ! -s "$tmp/groff.err" ]; then
            pass "man page $page(1) formats without warnings"
        else
            fail "man page $page(1): $(head -3 "$tmp/groff.err")"
        fi
    done
}

check_info_options() { # PREFIX
    local prefix=$1 out status
    if ! main_handles_info_options; then
        skip "quorvex --version (main.cpp does not call handleInfoOptions yet)"
    else
        out=$(run_headless "$tmp/home-info" "$prefix/bin/quorvex" --version)
        status=$?
        [ "$status" -eq 0 ] && [ "$(head -1 <<<"$out")" = "Quorvex $version" ] &&
            grep -q '^License GPL-3.0-or-later' <<<"$out" &&
            pass "installed quorvex --version prints '$(head -1 <<<"$out")' and its licence" ||
            fail "installed quorvex --version: status $status, printed '$out'"
        out=$(run_headless "$tmp/home-info" "$prefix/bin/quorvex" --help)
        status=$?
        [ "$status" -eq 0 ] && [[ "$out" == "Usage: quorvex"* ]] &&
            pass "installed quorvex --help prints the usage" ||
            fail "installed quorvex --help: status $status"
        [ ! -e "$tmp/home-info/config/Quorvex" ] ||
            fail "quorvex --help/--version started the program (it wrote settings)"
    fi
    if ! sim_has_help; then
        skip "quorvex-sim --help (the tool has no --help yet)"
    else
        out=$(run_headless "$tmp/home-info" "$prefix/bin/quorvex-sim" --help)
        status=$?
        [ "$status" -eq 0 ] && [ -n "$out" ] && pass "installed quorvex-sim --help" ||
            fail "installed quorvex-sim --help: status $status"
    fi
    out=$(run_headless "$tmp/home-info" "$prefix/bin/quorvex-ncpd" --help)
    status=$?
    [ "$status" -eq 0 ] && [ -n "$out" ] && pass "installed quorvex-ncpd --help" ||
        fail "installed quorvex-ncpd --help: status $status"
    out=$(run_headless "$tmp/home-info" "$prefix/bin/quorvex-who" --version)
    status=$?
    [ "$status" -eq 0 ] && [ "$out" = "quorvex-who $version" ] &&
        pass "installed quorvex-who --version prints '$out'" ||
        fail "installed quorvex-who --version: status $status, printed '$out'"
    if readelf -d "$prefix/bin/quorvex-who" | grep -q 'NEEDED.*libQt6\(Gui\|Widgets\)'; then
        fail "quorvex-who links Qt's Gui or Widgets"
    else
        pass "quorvex-who links no Qt library but QtCore"
    fi
}

# quorvex-who on the settings and demo the headless job set up: the same users
# for the same file, the settings left as they were, and bash completing the
# servers of those settings.
check_who() { # PREFIX LABEL HOME FILE USERS
    local prefix=$1 label=$2 home=$3 file=$4 users=$5 before listed status
    before=$(sha256sum <"$home/config/Quorvex/Quorvex.ini")
    run_headless "$home" "$prefix/bin/quorvex-who" --json "$file" >"$tmp/who.json" 2>"$tmp/who.err"
    status=$?
    listed=$(jq -r '.[].user | split(".")[0]' "$tmp/who.json" 2>/dev/null | sort -u | paste -sd,)
    if [ "$status" -eq 0 ] && [ "$listed" = "$(tr ',' '\n' <<<"$users" | sort -u | paste -sd,)" ]; then
        pass "$label: quorvex-who --json lists the users of $file"
    else
        fail "$label: quorvex-who --json '$file' ended $status listing '$listed', expected '$users': $(head -3 "$tmp/who.err")"
    fi
    [ "$(sha256sum <"$home/config/Quorvex/Quorvex.ini")" = "$before" ] ||
        fail "$label: quorvex-who changed the settings"
    run_headless "$home" "$prefix/bin/quorvex-who" 'F:\NO\SUCH.FIL' >/dev/null 2>"$tmp/who.err"
    status=$?
    [ "$status" -eq 2 ] && [ "$(wc -l <"$tmp/who.err")" -eq 1 ] &&
        pass "$label: quorvex-who ends with status 2 and one line for a missing file" ||
        fail "$label: quorvex-who on a missing file: status $status: $(head -3 "$tmp/who.err")"
    listed=$(XDG_CONFIG_HOME="$home/config" bash -c '
        source "$1"
        COMP_WORDS=(quorvex-who --server "")
        COMP_CWORD=2
        _quorvex_who
        printf "%s\n" "${COMPREPLY[@]}"' - "$prefix/share/bash-completion/completions/quorvex-who" |
        sort | paste -sd,)
    [ "$listed" = "FS1,FS2" ] && pass "$label: bash completes quorvex-who --server with FS1 and FS2" ||
        fail "$label: bash completed quorvex-who --server with '$listed'"
}

# The file on the demo's volume DATA that most connections have open, as
# "DOS PATH<TAB>USER,USER,..." with the users' login names in upper case.
busiest_demo_file() { # STATE_FILE
    jq -r '
        [ .connections[] as $c | ($c.open // [])[]
          | { path: (.path | gsub("/"; "\\")), conn: $c.number, user: ($c.user | ascii_upcase) } ]
        | map(select(.path | ascii_upcase | startswith("DATA:")))
        | group_by(.path | ascii_upcase)
        | map({ path: .[0].path, users: (unique_by(.conn) | map(.user)) })
        | max_by(.users | length)
        | "F:\\" + (.path | sub("^[^:]*:\\\\?"; "")) + "\t" + (.users | join(","))' "$1"
}

check_demo_job() { # PREFIX LABEL
    local prefix=$1 label=$2 home=$tmp/home-job-$2 state found file users out status
    if ! jobs_exist; then
        skip "headless job on the $label demo (the command-line jobs are not in yet)"
        return
    fi
    state=$(grep -l '"server"[[:space:]]*:[[:space:]]*"FS1"' "$prefix"/share/quorvex/demo/*.json \
        2>/dev/null | head -1)
    if [ -z "$state" ]; then
        fail "no state file of server FS1 in the $label share/quorvex/demo"
        return
    fi
    found=$(busiest_demo_file "$state")
    file=${found%%$'\t'*}
    users=${found#*$'\t'}
    out=$tmp/users-$label.txt

    run_headless "$home" "$prefix/bin/quorvex" "$file > $out" >"$tmp/job.out" 2>"$tmp/job.err"
    status=$?
    if [ "$status" -ne 0 ] || [ ! -f "$out" ]; then
        fail "$label: quorvex '$file > OUT' ended with status $status: $(head -3 "$tmp/job.err")"
        return
    fi
    local lines expected_lines
    lines=$(tr -d '\r' <"$out")
    expected_lines=$(printf '%s\n' "$file"; tr ',' '\n' <<<"$users" | sort)
    if ! grep -qE '^[0-9]{2}/[0-9]{2}/[0-9]{4} [0-9]{2}:[0-9]{2}:[0-9]{2} (am|pm)'$'\r''$' <(head -1 "$out"); then
        fail "$label: the job's first line is not its date and time: $(head -1 "$out")"
    elif [ "$(sed -n 2p <<<"$lines"; sed 1,2d <<<"$lines" | sort)" != "$expected_lines" ]; then
        fail "$label: the job wrote $(sed 1d <<<"$lines" | tr '\n' ' '), expected $(tr '\n' ' ' <<<"$expected_lines")"
    else
        pass "$label: headless job on the demo wrote the $(tr ',' '\n' <<<"$users" | wc -l) users of $file"
    fi
    check_who "$prefix" "$label" "$home" "$file" "$users"
    if grep -qx 'H=network:FS2/VOL1:' "$home/config/Quorvex/Quorvex.ini" 2>/dev/null; then
        pass "$label: the first start maps the demo's second server FS2 on H:"
    else
        fail "$label: the first start left the demo's FS2 without a drive"
    fi

    run_headless "$home" "$prefix/bin/quorvex" 'F:\NO\SUCH.FIL > '"$tmp/none.txt" >/dev/null 2>"$tmp/job.err"
    status=$?
    if [ "$status" -eq 1 ] && grep -q "does not exist" "$tmp/job.err" && [ ! -e "$tmp/none.txt" ]; then
        pass "$label: a missing file ends the headless job with status 1"
    else
        fail "$label: a missing file ended the headless job with status $status: $(head -3 "$tmp/job.err")"
    fi
}

# Debian's own checker: any error or warning fails (notes and pedantic tags do not).
check_lintian() { # DEB
    local deb=$1
    if ! command -v lintian >/dev/null; then
        fail "lintian is not installed (scripts/deps.sh lists it for the tests)"
        return
    fi
    if lintian --fail-on error,warning --no-tag-display-limit "$deb" >"$tmp/lintian.out" 2>&1; then
        pass "lintian finds no error or warning in $(basename "$deb")"
    else
        fail "lintian on $(basename "$deb"): $(grep -E '^[EW]: ' "$tmp/lintian.out" | head -20)"
    fi
}

check_package() {
    local deb depends contents
    if ! cpack -G DEB --config "$build/CPackConfig.cmake" -B "$tmp/package" >"$tmp/cpack.log" 2>&1; then
        fail "cpack -G DEB: $(tail -5 "$tmp/cpack.log")"
        return
    fi
    deb=$(ls "$tmp"/package/quorvex_*.deb 2>/dev/null | head -1)
    if [ -z "$deb" ]; then
        fail "cpack wrote no quorvex_*.deb"
        return
    fi
    depends=$(dpkg-deb -f "$deb" Depends)
    local dep
    for dep in libqt6widgets6 libqt6core6 libssl3 qt6-qpa-plugins fonts-liberation libc6; do
        grep -q "\b$dep\b" <<<"$depends" || fail "the package does not depend on $dep: $depends"
    done
    contents=$(dpkg-deb -c "$deb")
    for f in ./usr/bin/quorvex ./usr/bin/quorvex-sim ./usr/bin/quorvex-ncpd ./usr/bin/quorvex-who \
        "./usr/share/applications/$app_id.desktop" ./usr/share/man/man1/quorvex-who.1.gz \
        ./usr/share/bash-completion/completions/quorvex-who \
        ./usr/share/man/man1/quorvex.1.gz ./usr/share/doc/quorvex/copyright \
        ./usr/share/doc/quorvex/changelog.Debian.gz; do
        grep -q " $f\$" <<<"$contents" || fail "the package does not hold $f"
    done
    pass "$(basename "$deb"): Depends: $depends"
    check_lintian "$deb"
    dpkg-deb -x "$deb" "$tmp/unpacked"
    check_info_options "$tmp/unpacked/usr"
    check_demo_job "$tmp/unpacked/usr" package
}

prefix=$tmp/prefix
if cmake --install "$build" --prefix "$prefix" >"$tmp/install.log" 2>&1; then
    pass "cmake --install into a temporary prefix"
    check_layout "$prefix"
    check_desktop_files "$prefix"
    check_info_options "$prefix"
    check_demo_job "$prefix" installed
else
    fail "cmake --install: $(tail -5 "$tmp/install.log")"
fi
check_package

if [ "$failures" -ne 0 ]; then
    echo "install check: $failures check(s) failed" >&2
    exit 1
fi
echo "install check: all passed"
