#!/usr/bin/env bash
# fetch-debian-source.sh PACKAGE DEST
# Unpacks the Debian source package PACKAGE (with Debian's patches applied)
# into DEST/PACKAGE-VERSION and prints that folder. The deb-src list is made
# from the system's own deb sources in a temporary folder, so the system's
# apt configuration is never changed.
set -euo pipefail
package=$1
dest=$2

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
mkdir -p "$work/sources.list.d" "$work/lists/partial" "$work/cache/archives/partial" "$dest"

# One-line sources: every "deb" line becomes a "deb-src" line.
if [ -f /etc/apt/sources.list ]; then
  sed -n 's/^[[:space:]]*deb[[:space:]]/deb-src /p' /etc/apt/sources.list > "$work/sources.list.d/src.list"
fi
# deb822 sources: every stanza whose Types include deb, as a deb-src stanza.
for file in /etc/apt/sources.list.d/*.sources; do
  [ -f "$file" ] || continue
  awk 'BEGIN { RS = ""; ORS = "\n\n" }
       $0 ~ /(^|\n)Types:([^\n]* )?deb([ \t]|\n|$)/ { gsub(/Types:[^\n]*/, "Types: deb-src"); print }' \
      "$file" > "$work/sources.list.d/$(basename "$file")"
done
for file in /etc/apt/sources.list.d/*.list; do
  [ -f "$file" ] || continue
  sed -n 's/^[[:space:]]*deb[[:space:]]/deb-src /p' "$file" > "$work/sources.list.d/$(basename "$file")"
done

apt_options=(-q -o Dir::Etc::SourceList=/dev/null -o "Dir::Etc::SourceParts=$work/sources.list.d"
             -o "Dir::State::Lists=$work/lists" -o "Dir::Cache=$work/cache"
             -o APT::Sandbox::User=root)
apt-get "${apt_options[@]}" update >&2
# The newest version first; a mirror that lacks its files (a security update
# not mirrored yet) gets the next version instead.
fetched=no
for version in "" $(apt-cache "${apt_options[@]}" showsrc "$package" 2>/dev/null | sed -n 's/^Version: //p'); do
  if (cd "$dest" && apt-get "${apt_options[@]}" source "$package${version:+=$version}" >&2); then
    fetched=yes
    break
  fi
  find "$dest" -maxdepth 1 -mindepth 1 -name "${package}_*" -exec rm -f {} +
done
[ "$fetched" = yes ] || { echo "fetch-debian-source: no version of $package could be fetched" >&2; exit 1; }

folder=$(find "$dest" -maxdepth 1 -mindepth 1 -type d -name "$package-*" | sort | tail -n 1)
[ -n "$folder" ] || { echo "fetch-debian-source: $package was not unpacked" >&2; exit 1; }
echo "$folder"
