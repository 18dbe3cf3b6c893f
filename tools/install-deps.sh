#!/usr/bin/env bash
# Installs the Debian packages a target needs, only those that are missing.
#   install-deps.sh build|native|qt|window|test|screenshot|package|bench|fuzz
set -u
# The Python module orvelin needs pybind11 and Python's development files.
native="cmake make g++ ccache googletest python3 pybind11-dev python3-dev"
mingw="g++-mingw-w64-x86-64-posix"
base="$native $mingw"
wine="wine wine64 xvfb xauth fonts-ipafont-gothic"
# The Qt window: Charts' CMake files need the OpenGL ones, lrelease is in l10n-tools.
qt="qt6-base-dev qt6-charts-dev libqt6opengl6-dev qt6-tools-dev qt6-l10n-tools"
case "${1:-build}" in
    build) want="$base $qt" ;;
    native) want="$native" ;;
    qt) want="$native $qt" ;;
    window) want="$mingw $wine" ;;
    test) want="$base $qt $wine clang libclang-rt-14-dev python3 python3-pytest tmux groff-base" ;;
    screenshot) want="$base $qt $wine imagemagick qt6-translations-l10n" ;;
    package) want="$base $qt dpkg-dev lintian" ;;
    bench) want="$base python3 python3-serial" ;;
    fuzz) want="$base clang libclang-rt-14-dev" ;;
    *) echo "install-deps.sh: unknown target $1" >&2; exit 2 ;;
esac

missing=()
for pkg in $want; do
    dpkg-query -W -f='${Status}' "$pkg" 2>/dev/null | grep -q "install ok installed" || missing+=("$pkg")
done
[ ${#missing[@]} -eq 0 ] && exit 0

echo "Installing missing packages: ${missing[*]}" >&2
if [ "$(id -u)" -eq 0 ]; then
    sudo=()
elif command -v sudo >/dev/null && sudo -n true 2>/dev/null; then
    sudo=(sudo -n)
else
    echo "These Debian packages are needed and this user may not install them:" >&2
    echo "    sudo apt-get install ${missing[*]}" >&2
    echo "Run that as an administrator, then run make again." >&2
    exit 1
fi
export DEBIAN_FRONTEND=noninteractive
"${sudo[@]}" apt-get update -qq >/dev/null || true
if ! "${sudo[@]}" apt-get install -y -qq --no-install-recommends "${missing[@]}" >/dev/null; then
    echo "apt-get could not install: ${missing[*]}" >&2
    exit 1
fi
