#!/usr/bin/env python3
"""Fails on an include that crosses the layers the build's link lines draw.

    check-layers.py TABLE SOURCE_DIR

TABLE is the file the build writes (cmake/LayerTable.cmake): one line per
target with its sources, the project targets it links and, for a library
made from one folder, that folder. A file may include a header only where
the header's folder belongs to the file's own target or to a target it
links, directly or further down. A folder whose portable and Windows files
are two libraries (the dialog) is split by the `_win32` in a file's name.
Headers are checked as part of the targets that own their folder.

Also fails on Windows code outside the places made for it: `_WIN32`,
`WinApi.h` or `<windows.h>` anywhere but in platform/, controls/,
plugins/, the Windows-only tools and tests, `*_win32.*` files and the
plug-in interface's ABI headers.
"""
import os
import re
import sys

INCLUDE = re.compile(r'^\s*#\s*include\s*"([^"]+)"', re.M)
WINDOWS_CODE = re.compile(r'\b_WIN32\b|WinApi\.h|<windows\.h>', re.I)
COMMENT = re.compile(r'//[^\n]*|/\*.*?\*/', re.S)
WINDOWS_PLACES = ('platform/', 'controls/', 'plugins/', 'tools/gallery/', 'tests/controls/', 'tests/windows/',
                  'tests/windowshost/', 'tests/plugins/')
# The plug-in interface's layout and export differ by target: the only
# headers of the portable core that may say so.
ABI_HEADERS = ('pluginapi/PluginInterface.h', 'host/Export.h', 'tests/host/PluginInterfaceLayoutTest.cpp')
SKIPPED_FOLDERS = ('.git', '.cache', 'out')
SOURCE_ENDINGS = ('.c', '.cpp', '.h')


def read_table(path):
    targets = {}
    with open(path, encoding='utf-8') as table:
        for line in table:
            fields = line.rstrip('\n').split('\t')
            name, sources, links, folder = (fields + [''] * 4)[:4]
            targets[name] = {
                'sources': [s for s in sources.split(';') if s],
                'links': [l for l in links.split(';') if l],
                'folder': folder,
            }
    return targets


def is_windows_half(path):
    return '_win32.' in os.path.basename(path)


def owners_by_folder(targets):
    """(folder, windows half?) -> the targets that build files there."""
    owners = {}
    for name, target in targets.items():
        for source in target['sources']:
            owners.setdefault((os.path.dirname(source), is_windows_half(source)), set()).add(name)
        if target['folder']:
            for half in (False, True):
                owners.setdefault((target['folder'], half), set()).add(name)
    return owners


def owners_of_header(path, owners):
    """The targets an included header belongs to. A test's helper also
    belongs to the layer it tests, so that the tests of a layer above may
    use it."""
    if path.startswith('tests/'):
        return owners_of(path, owners) | owners_of(path[len('tests/'):], owners)
    return owners_of(path, owners)


def owners_of(path, owners):
    """The targets a file belongs to; none when this build makes nothing of its folder."""
    folder = os.path.dirname(path)
    found = owners.get((folder, is_windows_half(path)))
    if found:
        return found
    # A portable header beside Windows-only sources belongs to them.
    if not is_windows_half(path):
        return owners.get((folder, True), set())
    return set()


def reachable(name, targets, memo):
    if name not in memo:
        memo[name] = {name}
        for link in targets[name]['links']:
            if link in targets:
                memo[name] |= reachable(link, targets, memo)
    return memo[name]


def source_files(top):
    for folder, subfolders, files in os.walk(top):
        relative = os.path.relpath(folder, top)
        subfolders[:] = [s for s in subfolders if not (relative == '.' and (s in SKIPPED_FOLDERS or
                                                                             s.startswith('build')))]
        for file in files:
            if file.endswith(SOURCE_ENDINGS):
                yield os.path.normpath(os.path.join(relative, file))


def main():
    if len(sys.argv) != 3:
        sys.exit('usage: check-layers.py TABLE SOURCE_DIR')
    targets = read_table(sys.argv[1])
    top = sys.argv[2]
    owners = owners_by_folder(targets)
    memo = {}
    faults = []
    for path in sorted(source_files(top)):
        with open(os.path.join(top, path), encoding='utf-8', errors='replace') as file:
            text = file.read()
        if (WINDOWS_CODE.search(COMMENT.sub('', text)) and not is_windows_half(path) and not path.startswith(WINDOWS_PLACES) and
                path not in ABI_HEADERS):
            faults.append(f'{path}: Windows code outside a _win32 file or a Windows folder')
        includers = owners_of(path, owners)
        if not includers:
            continue
        allowed = set().union(*(reachable(name, targets, memo) for name in includers))
        for included in INCLUDE.findall(text):
            if not os.path.isfile(os.path.join(top, included)):
                continue  # generated, or beside the file
            if os.path.dirname(included) == os.path.dirname(path):
                continue
            theirs = owners_of_header(included, owners)
            if not theirs & allowed:
                ours = ', '.join(sorted(includers))
                theirs = ', '.join(sorted(theirs)) or 'no library of this build'
                faults.append(f'{path}: includes {included} ({theirs}), which {ours} does not link')
    for fault in faults:
        print(fault)
    if faults:
        print(f'{len(faults)} layering faults')
        return 1
    print(f'layers hold: {sum(1 for _ in source_files(top))} files, {len(targets)} targets')
    return 0


if __name__ == '__main__':
    sys.exit(main())
