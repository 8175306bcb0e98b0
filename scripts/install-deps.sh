#!/usr/bin/env bash
# Installs the Debian packages that building, testing and running Orvane need
# (and those of the optional groups named as arguments, listed below).
# Idempotent: packages already installed are left alone, and nothing is asked
# of apt when everything is there.
#   scripts/install-deps.sh          what the program and its tests need
#   scripts/install-deps.sh bench    also the plotting libraries the drawing
#                                    benchmark compares against (benchmarks only)
#   scripts/install-deps.sh paquet   also what building the Debian package needs
#   scripts/install-deps.sh fuzz     also clang with its libFuzzer and sanitizer
#                                    runtimes (scripts/fuzz.sh)
#   scripts/install-deps.sh ecran    also what the screen tools need
#                                    (scripts/captures.sh,
#                                    scripts/parcours-utilisateur.sh, xdotool)
#   scripts/install-deps.sh monkey   also what the random-input run needs
#                                    (scripts/monkey.sh, with the ecran group)
#   scripts/install-deps.sh classeur also the spreadsheet that draws a workbook
#                                    as pictures (scripts/classeur-apercu.sh)
set -euo pipefail

packages=(
  build-essential make cmake ninja-build pkg-config
  qt6-base-dev qt6-svg-dev qt6-serialport-dev
  libgtest-dev libgmock-dev libbenchmark-dev
  libjpeg-dev libmodbus-dev
  libxlsxwriter-dev  # the values as a spreadsheet workbook
  unzip              # the workbook tests read the file back
  qt6-translations-l10n  # Qt's own dialogs and buttons in French and Spanish
  fonts-liberation fonts-dejavu-core
  poppler-utils  # pdftotext and pdftoppm read back the lab report in the tests
  xauth xvfb
)

# Optional groups, named on the command line:
#   bench   the plotting libraries the drawing benchmark compares against
#   fuzz    clang, libFuzzer and the sanitizer runtimes; llvm-14 brings
#           llvm-symbolizer, which puts file and line in the reports
#   paquet  the Debian package (cpack -G DEB: dpkg-shlibdeps, file) and the
#           tools that check its desktop entry and work-file type
#   ecran   the virtual display and its tools (xdpyinfo, xdotool for keys and
#           clicks, ImageMagick's import for pictures of the screen), a private
#           session bus and the accessibility bus, and pyatspi for Debian's
#           /usr/bin/python3
#   monkey  bubblewrap (bwrap), which keeps the program of the random-input
#           run in a read-only file system without network; python3-xlib for
#           its pings and close requests to the windows; gdb for the stacks
#           of a hung program
#   classeur  LibreOffice Calc without its desktop (it converts a workbook to
#           PDF headless) and poppler's pdftoppm (PDF pages to PNG)
for groupe in "$@"; do
  case "$groupe" in
    bench)
      # Qt Charts (its CMake package needs the Qt 6 OpenGL development files)
      # and QCustomPlot's Qt 6 build, for scripts/bench.sh.
      packages+=(qt6-charts-dev libqt6opengl6-dev libqcustomplot-dev libqcustomplot2.1-qt6)
      ;;
    paquet) packages+=(dpkg-dev file desktop-file-utils shared-mime-info) ;;
    fuzz) packages+=(clang libclang-rt-14-dev llvm-14) ;;
    ecran)
      packages+=(x11-utils xdotool imagemagick dbus at-spi2-core python3 python3-gi
                 gir1.2-atspi-2.0 python3-pyatspi)
      ;;
    monkey) packages+=(bubblewrap python3-xlib gdb) ;;
    classeur) packages+=(libreoffice-calc poppler-utils) ;;
    *) echo "install-deps: unknown group: $groupe (known: bench, classeur, ecran, fuzz, monkey, paquet)" >&2; exit 1 ;;
  esac
done

missing=()
for p in "${packages[@]}"; do
  if ! dpkg -s "$p" >/dev/null 2>&1 ||
     ! dpkg -s "$p" 2>/dev/null | grep -q '^Status: install ok installed'; then
    missing+=("$p")
  fi
done

if [ ${#missing[@]} -eq 0 ]; then
  exit 0
fi

echo "install-deps: installing ${missing[*]}"
sudo=""
if [ "$(id -u)" -ne 0 ]; then
  if command -v sudo >/dev/null 2>&1; then sudo="sudo"; else
    echo "install-deps: run as root (or install sudo) to install: ${missing[*]}" >&2
    exit 1
  fi
fi
export DEBIAN_FRONTEND=noninteractive
$sudo apt-get update -qq
$sudo apt-get install -y -qq --no-install-recommends "${missing[@]}"
