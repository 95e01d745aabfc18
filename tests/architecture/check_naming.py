#!/usr/bin/env python3
# SPDX-License-Identifier: MIT
# SPDX-FileCopyrightText: The Varnex developers
"""Checks the naming rule of the README: framework-facing classes (named C...)
give every member a type prefix (m_n, m_b, m_p, m_str, m_clr, m_arr, ...);
other classes use plain names; no class mixes the two. A few plain names are
fixed by the design of the classes that carry them and are allowed.
    check_naming.py SOURCE_DIR"""
import glob
import os
import re
import sys

# Member prefixes that name a type.
HUNG = r'm_(opt|n|b|p|l|str|clr|dw|h|sz|lp|w|ul|i|u|rc|pt|size|cx|cy|imglst|pfn|lpsz|a|arr|list|msg|wnd|ctrl|menu|bmp|hCurrent|rect|map|dc|lParam|ports|pool|table|rule|plan|req)[A-Z0-9]'
# Plain names that the design of their classes fixes.
SPEC_PLAIN = {'m_newIP','m_newMask','m_newGateway','m_oldIP','m_oldMask','m_oldGateway','m_ipCtrl','m_maskCtrl','m_gatewayCtrl','m_lParam','m_menuContext','m_rectDraw'}
os.chdir(sys.argv[1] if len(sys.argv) > 1 else '.')
# Plain names that merely begin like a prefix.
PLAIN_WORDS = {'m_listColumnWidth', 'm_menuActions', 'm_lPressed'}
bad=0
for f in sorted(glob.glob('src/**/*.h',recursive=True)+glob.glob('tools/**/*.h',recursive=True)+glob.glob('res/*.h')):
    s=open(f).read()
    for m in re.finditer(r'^(?:class|struct) (\w+)[^;{]*\{(.*?)^\};',s,re.S|re.M):
        name=m.group(1); body=m.group(2)
        members=sorted(set(re.findall(r'\b(m_\w+)\s*(?:[=;{\[])',body)))
        if not members: continue
        isC=bool(re.match(r'C[A-Z][a-z]',name))
        if re.fullmatch(r'[A-Z_]+',name):
            # Plain records (COLUMN_DATA, COMMAND_PACKET) keep one style or the other.
            hung=[x for x in members if re.match(HUNG,x)]
            wrong=[] if len(hung) in (0,len(members)) else [x for x in members if x not in hung]
            isC=True
        elif isC: wrong=[x for x in members if not re.match(HUNG,x) and x not in SPEC_PLAIN]
        else: wrong=[x for x in members if re.match(HUNG,x) and x not in PLAIN_WORDS]
        if wrong:
            kind = 'a framework-facing class: give them a type prefix' if isC else 'a plain class: drop the type prefix'
            print(f'{f}: {name} is {kind}: {", ".join(wrong)}')
            bad += 1
print('check_naming: ' + (f'{bad} class(es) break the naming rule' if bad else 'every class keeps the naming rule'))
sys.exit(1 if bad else 0)
