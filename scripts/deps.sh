#!/usr/bin/env bash
# Installs the Debian packages Kelvane needs to build, run and test, when missing.
set -euo pipefail

packages=(cmake ninja-build g++ ccache pkg-config gettext qt6-base-dev qt6-base-dev-tools
          qt6-svg-dev nlohmann-json3-dev libgl-dev libgtest-dev libgmock-dev fonts-nanum xvfb xauth
          time
          # The widgets' catalogues (lupdate, lrelease and their CMake functions) and Qt's
          # own texts in each language.
          qt6-tools-dev qt6-l10n-tools qt6-translations-l10n)
case "${1:-}" in
    --tests)
        # The fuzz build, and the checks of the installed desktop entry, metainfo,
        # manuals and bash completion.
        packages+=(clang libclang-rt-14-dev desktop-file-utils appstream man-db bash-completion)
        # The checks of exported references (HTML checker, JSON schema) and of git diffs.
        packages+=(tidy python3-jsonschema git)
        # The check of the message catalogues.
        packages+=(python3)
        ;;
    --screenshots)
        # Pictures of the HTML reference.
        packages+=(chromium)
        ;;
    --package)
        packages+=(dpkg-dev lintian desktop-file-utils appstream)
        ;;
esac

missing=()
for p in "${packages[@]}"; do
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
[ ${#missing[@]} -eq 0 ] && exit 0

echo "Installing: ${missing[*]}"
sudo_cmd=()
[ "$(id -u)" -ne 0 ] && sudo_cmd=(sudo)
export DEBIAN_FRONTEND=noninteractive
"${sudo_cmd[@]}" apt-get update -qq
"${sudo_cmd[@]}" apt-get install -y -qq --no-install-recommends "${missing[@]}"
