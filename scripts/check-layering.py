#!/usr/bin/env python3
"""Fails on an include that goes against the layering of ARCHITECTURE.md.

Every source file belongs to a layer (the first matching folder below); an
include names a header of some layer and is allowed only when that layer is
in the including layer's list. Qt headers are allowed only in the desktop
front ends, and `_WIN32` only in platform/ and the public headers' export
macros. Run from anywhere: `python3 scripts/check-layering.py`."""
import os
import re
import subprocess
import sys

# Layer of a path: the longest folder prefix that names one.
LAYERS = {
    'platform': 'platform',
    'engine/include': 'engine-api',
    'engine/src/utf8_edge.h': 'engine-utf8',
    'engine/src/utf8_edge.cpp': 'engine-utf8',
    'engine': 'engine',
    'barcode/include': 'barcode-api',
    'barcode': 'barcode',
    'tools/mkdic': 'mkdic',
    'cmdline': 'cmdline',
    'cli': 'cli',
    'converter/conversion': 'core',
    'converter/database': 'database',
    'converter/workbooks': 'workbooks',
    'converter/search/core': 'search-core',
    'converter/search': 'desktop',
    'converter/gui': 'desktop',
    'converter/screens': 'desktop',
    'converter/app': 'app',
    'setup-helper/include': 'custom-api',
    'setup-helper/src': 'custom',
    'setup-helper/windows': 'custom',
    'setup-helper/setup': 'setup',
    'python': 'bindings',
    'postgres': 'bindings',
    'tests': 'tests',
    'fuzz': 'tests',
    'bench': 'tests',
}

BASE = {'platform'}
ENGINE = BASE | {'engine-api', 'engine', 'engine-utf8'}
# What each layer may include (its own layer always).
ALLOWED = {
    'platform': set(),
    'engine-api': set(),
    'engine-utf8': BASE | {'engine-api'},
    'engine': BASE | {'engine-api', 'engine-utf8'},
    'barcode-api': set(),
    'barcode': BASE | {'barcode-api', 'engine-api'},
    'mkdic': ENGINE,
    'cmdline': BASE,
    'cli': ENGINE | {'barcode-api', 'cmdline'},
    'core': BASE | {'engine-api', 'engine-utf8'},  # UTF-8 lists read as the engine reads UTF-8
    'database': BASE | {'core'},
    'workbooks': BASE | {'core'},
    'search-core': BASE | {'engine-api', 'core'},
    'desktop': BASE | {'engine-api', 'core', 'workbooks', 'database', 'search-core'},
    'app': BASE | {'engine-api', 'core', 'workbooks', 'database', 'desktop', 'cmdline'},
    'custom-api': set(),
    'custom': BASE | {'custom-api'},
    'setup': BASE | {'custom-api', 'custom'},
    'bindings': ENGINE,  # the C interface, and the engine's UTF-8 text edge for search texts
    'tests': None,  # tests, fuzz targets and benchmarks may include anything
}
# Include roots whose headers are named without a folder: the public headers
# and the flat components. Any other header outside the including file's own
# folder is named by its path from its component's root.
BARE_ROOTS = {'engine/include', 'barcode/include', 'setup-helper/include', 'tools/mkdic', 'bench', 'cli',
              'postgres', 'python'}
COMPONENT_ROOTS = ['converter', 'engine', 'barcode', 'setup-helper', 'platform', 'tests']
QT_LAYERS = {'desktop', 'custom', 'setup', 'tests', 'app'}
WIN32_LAYERS = {'platform', 'engine-api', 'barcode-api', 'custom-api'}


def layer_of(path):
    best = ''
    for prefix in LAYERS:
        if (path == prefix or path.startswith(prefix + '/')) and len(prefix) > len(best):
            best = prefix
    return LAYERS.get(best)


def main():
    top = subprocess.check_output(['git', 'rev-parse', '--show-toplevel']).decode().strip()
    os.chdir(top)
    files = subprocess.check_output(['git', 'ls-files', '*.h', '*.cpp', '*.c']).decode().split()
    known = set(files)
    by_name = {}
    for f in files:
        by_name.setdefault(os.path.basename(f), []).append(f)
    include = re.compile(r'^\s*#\s*include\s*([<"])([^>"]+)[>"]')
    faults = []
    for f in files:
        layer = layer_of(f)
        if layer is None:
            faults.append(f'{f}: in no layer (add its folder to scripts/check-layering.py)')
            continue
        allowed = ALLOWED[layer]
        for number, line in enumerate(open(f, encoding='utf-8', errors='replace'), 1):
            where = f'{f}:{number}'
            if '_WIN32' in line and layer not in WIN32_LAYERS:
                faults.append(f'{where}: _WIN32 outside platform/')
            m = include.match(line)
            if not m:
                continue
            kind, name = m.groups()
            if kind == '<':
                if re.match(r'Q[A-Za-z]+(/|$)|qt', name) and layer not in QT_LAYERS:
                    faults.append(f'{where}: Qt header <{name}> outside the desktop front ends')
                continue
            target = resolve(f, name, known, by_name)
            if target is None:
                continue
            if '/' not in name and os.path.dirname(target) not in BARE_ROOTS and \
                    os.path.dirname(target) != os.path.dirname(f):
                faults.append(f'{where}: "{name}" crosses a folder by bare name; include it as '
                              f'"{root_relative(target)}"')
            if allowed is None:
                continue
            other = layer_of(target)
            if other != layer and other not in allowed:
                faults.append(f'{where}: {layer} may not include {other} ({target})')
    for fault in faults:
        print(fault)
    if faults:
        print(f'layering: {len(faults)} include(s) against the layering; see ARCHITECTURE.md')
        return 1
    print(f'layering: {len(files)} files, every include follows the layering')
    return 0


def root_relative(target):
    for root in COMPONENT_ROOTS:
        if target.startswith(root + '/'):
            return target[len(root) + 1:]
    return target


def resolve(source, name, known, by_name):
    """The header an include names: beside the source, then from a component
    root (a path that ends the same way), then by a unique base name."""
    beside = os.path.normpath(os.path.join(os.path.dirname(source), name))
    if beside in known:
        return beside
    ends = [f for f in known if f.endswith('/' + name)]
    if len(ends) == 1:
        return ends[0]
    if '/' not in name and len(by_name.get(name, [])) == 1:
        return by_name[name][0]
    return None


if __name__ == '__main__':
    sys.exit(main())
