#!/usr/bin/env bash
# Pictures of a study's workbook as a spreadsheet shows it (not part of the
# tests): the workbook written by orvanectl, converted to PDF by LibreOffice
# Calc without a display, then each page to PNG.
#   scripts/classeur-apercu.sh FILE.OVX2 [OUT_DIR]   (default build/classeur-apercu)
# Needs the build (orvanectl) and scripts/install-deps.sh classeur.
set -euo pipefail
cd "$(dirname "$0")/.."

etude=$(realpath "${1:?usage: scripts/classeur-apercu.sh FILE.OVX2 [OUT_DIR]}")
sortie=$(realpath -m "${2:-build/classeur-apercu}")
BUILD_DIR=${BUILD_DIR:-build}
bash scripts/install-deps.sh classeur
mkdir -p "$sortie"
rm -f "$sortie"/classeur*.png "$sortie"/classeur.xlsx "$sortie"/classeur.pdf

"$BUILD_DIR/tools/orvanectl/orvanectl" study export "$etude" --format xlsx -o "$sortie/classeur.xlsx"
# A profile of its own, so that a LibreOffice already open elsewhere is left alone.
profil=$(mktemp -d)
trap 'rm -rf "$profil"' EXIT
timeout 180 soffice -env:UserInstallation="file://$profil" --headless --norestore \
  --convert-to pdf --outdir "$sortie" "$sortie/classeur.xlsx" >/dev/null
pdftoppm -r 110 -png "$sortie/classeur.pdf" "$sortie/classeur"
ls "$sortie"/classeur*.png
