#!/usr/bin/env bash
# Installs what building and testing need on Debian 12, as root or through sudo,
# and makes the comma-decimal locale a test needs. Does nothing (and needs no
# network) when everything is already there.
set -euo pipefail

packages=(
  cmake ninja-build g++ clang clang-format libclang-rt-14-dev libgtest-dev libgmock-dev libbenchmark-dev
  dpf-source libsndfile1-dev
  # the editor: drawing, text, the UI description, the X11 window
  libcairo2-dev libpango1.0-dev fonts-dejavu-core libexpat1-dev
  libxcb1-dev libxcb-util-dev libxcb-keysyms1-dev libxcb-xtest0-dev
  # editor tests in a real X server
  xvfb xauth xdotool
  # a locale with a decimal comma (below): number texts must not follow the locale
  locales
)
locale_entry='de_DE.UTF-8 UTF-8'
has_comma_locale() { locale -a 2>/dev/null | grep -iE '^de_DE\.utf-?8$' >/dev/null; }

missing=()
for package in "${packages[@]}"; do
  if ! dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q 'install ok installed'; then
    missing+=("$package")
  fi
done
wanted=("${missing[@]}")
has_comma_locale || wanted+=("the locale ${locale_entry%% *}")
if [[ ${#wanted[@]} -eq 0 ]]; then
  exit 0
fi

if [[ $(id -u) -eq 0 ]]; then
  as_root=()
elif command -v sudo >/dev/null; then
  as_root=(sudo)
else
  echo "install-deps: need root or sudo to install: ${wanted[*]}" >&2
  exit 1
fi

if [[ ${#missing[@]} -gt 0 ]]; then
  echo "install-deps: installing ${missing[*]}"
  "${as_root[@]}" env DEBIAN_FRONTEND=noninteractive apt-get update -qq </dev/null >/dev/null
  "${as_root[@]}" env DEBIAN_FRONTEND=noninteractive \
    apt-get install -y -qq --no-install-recommends "${missing[@]}" </dev/null >/dev/null
fi

# Listed in /etc/locale.gen, so that a later locale-gen keeps it.
if ! has_comma_locale; then
  echo "install-deps: making the locale ${locale_entry%% *}"
  if ! grep -qxF "$locale_entry" /etc/locale.gen 2>/dev/null; then
    echo "$locale_entry" | "${as_root[@]}" tee -a /etc/locale.gen >/dev/null
  fi
  "${as_root[@]}" locale-gen </dev/null >/dev/null
fi
