#!/usr/bin/env bash
# Installs a build to a temporary prefix and uses the installed programs as a fresh user
# would: no library yet, the sample copied to the user's folder, the installed skeleton
# and class library behind it. Checks the desktop entry, metainfo, icons, manuals and
# bash completion that came with them, with the validators when they are installed.
#   install_test.sh BUILD_DIR
set -euo pipefail
build=$1
tmp=$(mktemp -d)
trap 'rm -rf "$tmp"' EXIT
fail() { echo "FAIL: $*" >&2; exit 1; }
expect_in() { [[ $2 == *"$1"* ]] || fail "expected '$1' in: $2"; }

prefix=$tmp/prefix
cmake --install "$build" --prefix "$prefix" >/dev/null
# DESTDIR puts everything below it and nothing anywhere else.
DESTDIR=$tmp/stage cmake --install "$build" --prefix /usr >/dev/null
[ "$(ls "$tmp/stage")" = usr ] || fail "DESTDIR install wrote outside usr/: $(ls "$tmp/stage")"
[ -x "$tmp/stage/usr/bin/kelvane-cli" ] || fail "no kelvane-cli below DESTDIR"

export HOME=$tmp/home XDG_DATA_HOME=$tmp/data
unset KELVANE_HOME
mkdir -p "$HOME"
cd "$HOME"
cli=$prefix/bin/kelvane-cli
# The messages looked for below are the English ones (C.UTF-8, so LANGUAGE counts).
export LC_MESSAGES=C.UTF-8 LANGUAGE=en
unset LC_ALL
data=$prefix/share/kelvane
user=$XDG_DATA_HOME/kelvane

# No library yet: the failure says where it looks and how to get the sample.
set +e
err=$("$cli" tabs 2>&1 >/dev/null)
code=$?
set -e
[ $code -eq 1 ] || fail "tabs without a library exited $code"
expect_in "$user/FunctionLibrary" "$err"
expect_in "kelvane-cli copy-sample" "$err"

expect_in "Copied the sample library to $user/FunctionLibrary." "$("$cli" copy-sample)"
[ "$("$cli" tabs | sort)" = "$(ls "$data/SampleLibrary" | sort)" ] ||
    fail "tabs differ from the sample's"
[ -n "$("$cli" tabs)" ] || fail "the copied library has no tabs"
expect_in "15 function folders checked, 0 with problems." "$("$cli" check)"
# The installed catalogues are found from the installed binary.
for language in ko en; do
    [ -f "$data/locale/$language/LC_MESSAGES/kelvane.mo" ] || fail "no $language catalogue installed"
done
expect_in "tabs 명령은 인수를 받지 않습니다." "$("$cli" --lang ko tabs extra 2>&1 || true)"
expect_in "Could not create the function file" \
    "$("$cli" create --location "$tmp/none/x" --name N --in 'int*' 2>&1 || true)"
set +e
err=$("$cli" copy-sample 2>&1)
code=$?
set -e
[ $code -eq 1 ] || fail "a second copy-sample exited $code"
expect_in "already exists; nothing was copied" "$err"

# A new function's project uses the installed class library, or the user's own one.
"$cli" create --location "$user/FunctionLibrary/Basic" --name Probe --in 'int*' >/dev/null
source=$(cat "$user/FunctionLibrary/Basic/Probe()/_Src/Function.cpp")
expect_in "#include \"$data/ClassLibrary/ImageClass.h\"" "$source"
cmp -s "$data/Skel/Dll/Dll.cpp" "$user/FunctionLibrary/Basic/Probe()/_Src/Dll.cpp" ||
    fail "the project was not made from the installed skeleton"
mkdir -p "$user/ClassLibrary"
"$cli" create --location "$user/FunctionLibrary/Basic" --name Own --in 'int*' >/dev/null
expect_in "#include \"$user/ClassLibrary/ImageClass.h\"" \
    "$(cat "$user/FunctionLibrary/Basic/Own()/_Src/Function.cpp")"
expect_in "kelvane-cli " "$("$cli" --version)"

# Manuals: every page installed renders without a warning.
pages=("$prefix"/share/man/man1/*.1.gz)
[ -e "${pages[0]}" ] || fail "no manual pages installed"
if command -v man >/dev/null; then
    for page in "${pages[@]}"; do
        warnings=$(MANWIDTH=80 man --warnings -l "$page" 2>&1 >/dev/null)
        [ -z "$warnings" ] || fail "$page: $warnings"
    done
fi

# The bash completion completes commands and the installed library's tabs.
completion=$prefix/share/bash-completion/completions/kelvane-cli
[ -f "$completion" ] || fail "no bash completion installed"
bash -n "$completion" || fail "the bash completion does not parse"
if [ -f /usr/share/bash-completion/bash_completion ]; then
    replies=$(PATH="$prefix/bin:$PATH" bash -c '
        source /usr/share/bash-completion/bash_completion
        source "$1"
        COMP_WORDS=(kelvane-cli tree ""); COMP_CWORD=2; COMP_LINE="kelvane-cli tree "
        COMP_POINT=${#COMP_LINE}
        _kelvane_cli kelvane-cli "" tree
        printf "%s\n" "${COMPREPLY[@]}"' _ "$completion")
    [ "$replies" = "$("$cli" tabs)" ] || fail "tree completes to '$replies'"
fi

# The window's program, its launcher entry and its icon.
if [ -x "$prefix/bin/kelvane" ]; then
    expect_in "kelvane " "$("$prefix/bin/kelvane" --version)"
    expect_in "--home <DIR>" "$(env -u DISPLAY -u WAYLAND_DISPLAY "$prefix/bin/kelvane" --help)"
    set +e
    err=$(QT_QPA_PLATFORM=offscreen "$prefix/bin/kelvane" --no-such-option 2>&1)
    code=$?
    set -e
    [ $code -eq 2 ] || fail "an unknown option exited $code"
    expect_in "no-such-option" "$err"
    # The window's catalogues are installed and found: its help speaks the language chosen.
    for language in ko en; do
        [ -f "$data/locale/kelvane_$language.qm" ] || fail "no $language window catalogue installed"
    done
    expect_in "영상 처리 함수 라이브러리" "$("$prefix/bin/kelvane" --lang ko --help)"
    expect_in "image-processing function library" \
        "$(env -u LC_ALL -u LC_MESSAGES -u LANGUAGE LANG=en_US.UTF-8 "$prefix/bin/kelvane" --help)"

    desktop=("$prefix"/share/applications/*.desktop)
    metainfo=("$prefix"/share/metainfo/*.metainfo.xml)
    [ ${#desktop[@]} -eq 1 ] && [ -f "${desktop[0]}" ] || fail "no desktop entry"
    [ ${#metainfo[@]} -eq 1 ] && [ -f "${metainfo[0]}" ] || fail "no metainfo"
    icon=$(sed -n 's/^Icon=//p' "${desktop[0]}")
    for size in 16 32 48 64 128 256; do
        png=$prefix/share/icons/hicolor/${size}x$size/apps/$icon.png
        [ -f "$png" ] || fail "no $png"
        [ "$(od -An -tx1 -j16 -N8 "$png" | tr -d ' \n')" = "$(printf '%08x%08x' "$size" "$size")" ] ||
            fail "$png is not $size x $size"
    done
    [ -f "$prefix/share/icons/hicolor/scalable/apps/$icon.svg" ] || fail "no scalable icon"
    if command -v desktop-file-validate >/dev/null; then
        desktop-file-validate "${desktop[0]}" || fail "desktop-file-validate"
    else
        echo "desktop-file-validate is not installed: desktop entry not validated"
    fi
    if command -v appstreamcli >/dev/null; then
        appstreamcli validate --no-net "${metainfo[0]}" >/dev/null ||
            fail "appstreamcli: $(appstreamcli validate --no-net "${metainfo[0]}")"
    else
        echo "appstreamcli is not installed: metainfo not validated"
    fi
fi
echo "installed programs work on the installed data"
