#!/usr/bin/env bash
# Installs what building, running and testing Tonzug needs on Debian 12, and only
# what is missing (so a prepared machine is left alone).
set -euo pipefail

packages=(
    g++ cmake make pkg-config clang-format git
    qt6-base-dev libgl-dev
    # SVG icons of the desktop theme in the file dialogs
    qt6-svg-dev
    # The windows' translations: lrelease builds them, lupdate collects their texts
    qt6-tools-dev qt6-l10n-tools
    libpng-dev libjpeg62-turbo-dev libisal-dev
    libgtest-dev libbenchmark-dev
    fonts-dejavu-core qt6-translations-l10n
    appstream desktop-file-utils shared-mime-info groff-base
    file bsdutils xvfb x11-xserver-utils
    pngcheck time
    # The Debian package: its dependencies, hardening flags and checks
    dpkg-dev lintian
    # Picking from the screen: the X11 pointer grab, the Wayland platform and the portal's
    # D-Bus; the tests run weston and a fake portal on a session bus of their own.
    libxcb1-dev qt6-wayland
    weston xdotool xclip imagemagick dbus-daemon python3-dbus python3-gi
    # The window's controls found by their accessible names, as a screen reader finds them
    at-spi2-core gir1.2-atspi-2.0
    # The CSS and SVG tests draw with a real browser and a real SVG renderer
    chromium librsvg2-bin
)

missing=()
for package in "${packages[@]}"; do
    # Compared as text: under pipefail "grep -q" could end the pipe early and fail it.
    if [[ "$(dpkg-query -W -f='${Status}' "$package" 2>/dev/null)" != "install ok installed" ]]; then
        missing+=("$package")
    fi
done

if [ ${#missing[@]} -gt 0 ]; then
    sudo=""
    if [ "$(id -u)" -ne 0 ]; then
        sudo="sudo"
    fi
    echo "Installing: ${missing[*]}"
    $sudo apt-get update -qq
    DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq --no-install-recommends "${missing[@]}"
fi
