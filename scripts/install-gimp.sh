#!/usr/bin/env bash
# install-gimp.sh BUILD [PLUG_IN_FOLDER]
# Installs the GIMP 2.10 plug-in for the current user: dapple-gimp with the
# default content and the factory settings beside it, where it looks for
# them, in GIMP's plug-in folder (GIMP2_DIRECTORY's, else
# ~/.config/GIMP/2.10) below plug-ins/dapple-gimp. Content you added there
# stays; files of the same name are replaced. Restart GIMP afterwards.
set -euo pipefail
build=${1:?usage: install-gimp.sh BUILD [PLUG_IN_FOLDER]}
profile=${GIMP2_DIRECTORY:-${XDG_CONFIG_HOME:-$HOME/.config}/GIMP/2.10}
folder=${2:-$profile/plug-ins/dapple-gimp}
for needed in dapple-gimp Content Settings; do
  [ -e "$build/$needed" ] || { echo "install-gimp: $build/$needed is missing; build it first" >&2; exit 1; }
done
mkdir -p "$folder"
install -m 755 "$build/dapple-gimp" "$folder/dapple-gimp"
# Data only: GIMP runs every executable file it finds below plug-ins.
cp -R "$build/Content" "$build/Settings" "$folder/"
chmod -R a-x+X "$folder/Content" "$folder/Settings"
echo "installed $folder/dapple-gimp; restart GIMP and find it under Filters > Mornebrook Dapple!"
