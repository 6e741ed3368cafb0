#!/usr/bin/env python3
"""Lists the public names of the reference that have no description.

Reads the XML that Doxygen wrote with EXTRACT_ALL=YES over the public headers:
every file, namespace, class and struct, and every public or protected
member of them (functions, constructors and destructors included, which
Doxygen's own undocumented-name warnings pass over), must carry a brief or a
detailed description.  Prints one line per name without one, as
`header:line: kind name`, and exits with 1 when there is any.

usage: doc_check.py XML_DIR SOURCE_DIR
"""
import os
import sys
import xml.etree.ElementTree as ET


def described(node):
    for tag in ('briefdescription', 'detaileddescription', 'inbodydescription'):
        d = node.find(tag)
        if d is not None and ''.join(d.itertext()).strip():
            return True
    return False


def where(node, source_dir):
    loc = node.find('location')
    if loc is None:
        return '?', 0
    path = loc.get('file', '?')
    if os.path.isabs(path):
        path = os.path.relpath(path, source_dir)
    return path, int(loc.get('line', '0') or 0)


def main():
    xml_dir, source_dir = sys.argv[1], os.path.realpath(sys.argv[2])
    index = ET.parse(os.path.join(xml_dir, 'index.xml')).getroot()
    missing = set()
    for comp in index.findall('compound'):
        if comp.get('kind') not in ('file', 'namespace', 'class', 'struct', 'union'):
            continue
        root = ET.parse(os.path.join(xml_dir, comp.get('refid') + '.xml')).getroot()
        for cdef in root.findall('compounddef'):
            name = cdef.findtext('compoundname')
            if cdef.get('prot', 'public') == 'private':
                continue
            if not described(cdef):
                path, line = where(cdef, source_dir)
                missing.add((path, line, f"{cdef.get('kind')} {name}"))
            for sec in cdef.findall('sectiondef'):
                for m in sec.findall('memberdef'):
                    if m.get('prot') == 'private' or m.get('kind') == 'friend' and \
                            (m.findtext('type') or '').strip() in ('class', 'struct'):
                        continue
                    # Members are listed again in the file and namespace that
                    # hold their class; judge them once, where they are declared.
                    if cdef.get('kind') in ('file', 'namespace') and \
                            m.get('id', '').split('_1')[0] != cdef.get('id'):
                        continue
                    if not described(m):
                        path, line = where(m, source_dir)
                        args = m.findtext('argsstring') or ''
                        missing.add((path, line, f"{m.get('kind')} {name}::{m.findtext('name')}{args}"))
                    for value in m.findall('enumvalue'):
                        if not described(value):
                            path, line = where(m, source_dir)
                            missing.add((path, line, f"enumerator {name}::{value.findtext('name')}"))
    for path, line, what in sorted(missing):
        print(f'{path}:{line}: {what} has no description')
    return 1 if missing else 0


if __name__ == '__main__':
    sys.exit(main())
