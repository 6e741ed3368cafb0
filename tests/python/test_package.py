"""The package's public names: importable, documented and listed in the stub."""
import ast
import os

import zeltmath

STUB = os.path.join(os.path.dirname(zeltmath.__file__), "__init__.pyi")


def stub_names():
    tree = ast.parse(open(STUB).read())
    names = {}
    for node in tree.body:
        if isinstance(node, (ast.ClassDef, ast.FunctionDef)):
            members = {n.name for n in node.body if isinstance(n, ast.FunctionDef)} \
                if isinstance(node, ast.ClassDef) else set()
            names.setdefault(node.name, set()).update(members)
    return names


def test_every_public_name_is_documented_and_typed():
    names = stub_names()
    assert os.path.exists(os.path.join(os.path.dirname(zeltmath.__file__), "py.typed"))
    for name in zeltmath.__all__:
        obj = getattr(zeltmath, name)
        assert obj.__doc__ and obj.__doc__.strip(), name
        assert name in names, "%s missing from the stub" % name
        for member in names[name]:
            if member.startswith("__") and member not in ("__call__", "__geo_interface__"):
                continue
            attr = getattr(obj, member)
            assert (getattr(attr, "__doc__", None) or "").strip(), "%s.%s" % (name, member)


def test_all_lists_the_stub():
    public = {n for n in stub_names() if not n.startswith("_")}
    assert public <= set(zeltmath.__all__) | {"ArrayLike", "Pair", "Ring", "Region"}
