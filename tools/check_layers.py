#!/usr/bin/env python3
"""Checks the layering of src/: every include of a project header names its layer
("platform/fspath.h"), a layer includes only from itself and the layers below it, and a
header whose comment says "// Internal to the <layer> layer" is included from that layer only
(the tests may still include it).

Usage: check_layers.py [SOURCE ROOT] | --self-test. Prints each offending include and exits 1
when there is one. Run by the test suite (layering.includes, layering.checker)."""
import os
import re
import sys
import tempfile

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
INTERNAL = re.compile(r'^// Internal to the (\S+) layer\b', re.M)


def layer_of(path):
    """The layer of a path relative to src/, or None when it names no layer."""
    parts = path.split('/')
    if len(parts) > 2 and (parts[0], parts[1]) in (('report', 'engine'), ('document', 'commands')):
        return parts[0] + '/' + parts[1]
    return parts[0] if len(parts) > 1 and parts[0] in MAY_USE else None


def faults_in(root):
    """The offending includes under root/src, one text each."""
    src = os.path.join(root, 'src')
    headers = {}
    internal = {}  # header (relative to src) -> the layer it is internal to
    faults = []
    for d, _, files in os.walk(src):
        for f in files:
            if f.endswith('.h'):
                rel = os.path.relpath(os.path.join(d, f), src)
                headers.setdefault(f, []).append(rel)
                with open(os.path.join(d, f), encoding='utf-8') as text:
                    marked = INTERNAL.search(text.read())
                if marked:
                    internal[rel] = marked.group(1)
                    if marked.group(1) != layer_of(rel):
                        faults.append(f'{rel}: says it is internal to {marked.group(1)}, '
                                      f'but it lies in {layer_of(rel)}')
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
                        elif name in internal and own != internal[name]:
                            faults.append(f'{rel}: "{name}" is internal to {internal[name]}')
                    elif os.path.basename(name) in headers:
                        faults.append(f'{rel}: "{name}" does not name its layer '
                                      f'({" or ".join(headers[os.path.basename(name)])})')
    return faults


def self_test():
    """Each kind of fault in a small tree is found, and a sound tree passes."""
    files = {
        'core/a.h': '#pragma once\n',
        'core/cursor.h': '// Internal to the core layer: byte cursors.\n#pragma once\n',
        'core/a.cpp': '#include "core/a.h"\n#include "core/cursor.h"\n',
        'platform/p.h': '#include "core/a.h"\n',
    }
    cases = {
        'sound': ({}, 0),
        'no layer named': ({'platform/q.cpp': '#include "a.h"\n'}, 1),
        'reaching above': ({'core/b.cpp': '#include "platform/p.h"\n'}, 1),
        'internal header': ({'platform/r.cpp': '#include "core/cursor.h"\n'}, 1),
        'marked for another layer': ({'core/s.h': '// Internal to the view layer.\n'}, 1),
    }
    failed = []
    for name, (extra, expected) in cases.items():
        with tempfile.TemporaryDirectory() as root:
            for path, text in {**files, **extra}.items():
                os.makedirs(os.path.dirname(os.path.join(root, 'src', path)), exist_ok=True)
                with open(os.path.join(root, 'src', path), 'w', encoding='utf-8') as out:
                    out.write(text)
            found = faults_in(root)
            if len(found) != expected:
                failed.append(f'{name}: expected {expected} fault(s), found {found}')
    for fault in failed:
        print(fault)
    return 1 if failed else 0


def main():
    if sys.argv[1:] == ['--self-test']:
        return self_test()
    root = os.path.abspath(sys.argv[1] if len(sys.argv) > 1 else
                           os.path.join(os.path.dirname(__file__), '..'))
    faults = faults_in(root)
    for fault in faults:
        print(fault)
    return 1 if faults else 0


if __name__ == '__main__':
    sys.exit(main())
