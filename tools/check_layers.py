#!/usr/bin/env python3
"""Checks the layering of src/: every include of a project header names its layer
("platform/fspath.h"), and a layer includes only from itself and the layers below it.

Usage: check_layers.py [SOURCE ROOT]. Prints each offending include and exits 1 when there is
one. Run by the test suite (layering.includes)."""
import os
import re
import sys

# What each layer may include besides itself: the arrows of docs/ARCHITECTURE.md, which the
# CMake targets' link lists follow.
MAY_USE = {
    'core': set(),
    'interchange': {'core'},
    'platform': {'core'},
    'desktop': {'platform', 'core'},
    'paint': {'platform', 'core'},
    'document': {'platform', 'core'},
    'document/commands': {'document', 'desktop', 'platform', 'core'},
    'view': {'document/commands', 'document', 'paint', 'desktop', 'platform', 'core'},
    'panels': {'view', 'document/commands', 'document', 'paint', 'desktop', 'platform', 'core'},
    'report/engine': {'paint', 'platform', 'core'},
    'report': {'report/engine', 'view', 'document/commands', 'document', 'paint', 'desktop', 'platform',
               'interchange', 'core'},
    'cli': {'report/engine', 'paint', 'platform', 'interchange', 'core'},
    'app': {'report', 'report/engine', 'panels', 'view', 'document/commands', 'document', 'paint', 'desktop',
            'platform', 'interchange', 'core'},
}

INCLUDE = re.compile(r'^\s*#\s*include\s+"([^"]+)"', re.M)


def layer_of(path):
    """The layer of a path relative to src/, or None when it names no layer."""
    parts = path.split('/')
    if len(parts) > 2 and (parts[0], parts[1]) in (('report', 'engine'), ('document', 'commands')):
        return parts[0] + '/' + parts[1]
    return parts[0] if len(parts) > 1 and parts[0] in MAY_USE else None


def main():
    root = os.path.abspath(sys.argv[1] if len(sys.argv) > 1 else
                           os.path.join(os.path.dirname(__file__), '..'))
    src = os.path.join(root, 'src')
    headers = {}
    for d, _, files in os.walk(src):
        for f in files:
            if f.endswith('.h'):
                headers.setdefault(f, []).append(os.path.relpath(os.path.join(d, f), src))
    faults = []
    for d, _, files in os.walk(src):
        for f in sorted(files):
            if not f.endswith(('.h', '.cpp')):
                continue
            path = os.path.join(d, f)
            rel = os.path.relpath(path, src)
            own = layer_of(rel)
            with open(path, encoding='utf-8') as text:
                for name in INCLUDE.findall(text.read()):
                    if os.path.exists(os.path.join(src, name)):
                        used = layer_of(name)
                        if own and used and used != own and used not in MAY_USE[own]:
                            faults.append(f'{rel}: "{name}": {own} may not use {used}')
                    elif os.path.basename(name) in headers:
                        faults.append(f'{rel}: "{name}" does not name its layer '
                                      f'({" or ".join(headers[os.path.basename(name)])})')
    for fault in faults:
        print(fault)
    return 1 if faults else 0


if __name__ == '__main__':
    sys.exit(main())
