#!/usr/bin/env python3
"""Flattens an SVG scene that reuses other drawings: every
<use href="other.svg#id"> is turned into a local reference, and the other
file's elements are copied into the scene's <defs> with their ids prefixed by
the file's stem, so references inside them keep working. rsvg-convert on its
own does not resolve the references inside an external file.

Usage: svg_inline.py scene.svg flat.svg   (standard library only)
"""
import copy
import os
import re
import sys
import xml.etree.ElementTree as ET

SVG = "http://www.w3.org/2000/svg"
XLINK = "http://www.w3.org/1999/xlink"
HREFS = ("href", "{%s}href" % XLINK)
ET.register_namespace("", SVG)
ET.register_namespace("xlink", XLINK)


def prefixed(root, prefix):
    """Prefixes every id of the tree and every local reference to one."""
    for el in root.iter():
        if "id" in el.attrib:
            el.set("id", prefix + el.get("id"))
        for name, value in list(el.attrib.items()):
            if name in HREFS and value.startswith("#"):
                el.set(name, "#" + prefix + value[1:])
            elif "url(#" in value:
                el.set(name, re.sub(r"url\(#", "url(#" + prefix, value))
    return root


def flatten(scene_path, out_path):
    base = os.path.dirname(os.path.abspath(scene_path))
    tree = ET.parse(scene_path)
    root = tree.getroot()
    defs = root.find("{%s}defs" % SVG)
    if defs is None:
        defs = ET.Element("{%s}defs" % SVG)
        root.insert(0, defs)
    loaded = set()
    for use in list(root.iter("{%s}use" % SVG)):
        for name in HREFS:
            value = use.get(name, "")
            if "#" not in value or value.startswith("#"):
                continue
            file_name, ref = value.split("#", 1)
            stem = os.path.splitext(os.path.basename(file_name))[0] + "-"
            if file_name not in loaded:
                loaded.add(file_name)
                other = prefixed(ET.parse(os.path.join(base, file_name)).getroot(), stem)
                for child in other:
                    if child.tag == "{%s}defs" % SVG:
                        defs.extend(copy.deepcopy(list(child)))
                    else:
                        defs.append(copy.deepcopy(child))
            use.set(name, "#" + stem + ref)
    tree.write(out_path, encoding="utf-8", xml_declaration=True)


if __name__ == "__main__":
    if len(sys.argv) != 3:
        sys.exit(__doc__)
    flatten(sys.argv[1], sys.argv[2])
