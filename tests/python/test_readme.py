"""The README's example, run as it is written there, and the stub editors
read, held against the module."""

import ast
import os
import pathlib
import re
import subprocess
import sys

import orvelin


def test_the_readme_example_runs(start_servo, tmp_path):
    readme = pathlib.Path(os.environ["ORVELIN_README"]).read_text()
    section = readme.split("## Scripting from Python", 1)[1]
    example = re.search(r"```python\n(.*?)```", section, re.S).group(1)
    script = tmp_path / "example.py"
    script.write_text(example)
    servo = start_servo("--ids", "1,2", "--set", "20=68,07")  # servo 1 stands at 0x03E8
    run = subprocess.run([sys.executable, str(script), servo.port], capture_output=True, text=True, timeout=60)
    assert run.returncode == 0, run.stderr
    lines = run.stdout.splitlines()
    assert lines[0] == "01 {'M_POS': 1000, 'M_TEMP': 285}"
    assert lines[1].startswith("02 {'M_POS': ")
    assert "M_POS reads back 1000" in lines


def test_the_stub_declares_what_the_module_holds():
    stub = ast.parse((pathlib.Path(orvelin.__file__).parent / "__init__.pyi").read_text())
    declared = {node.name for node in stub.body if isinstance(node, (ast.ClassDef, ast.FunctionDef))}
    declared |= {node.target.id for node in stub.body if isinstance(node, ast.AnnAssign)}
    assert set(orvelin.__all__) <= declared
    bus = next(node for node in stub.body if isinstance(node, ast.ClassDef) and node.name == "Bus")
    methods = {node.name for node in bus.body if isinstance(node, ast.FunctionDef)}
    public = {name for name in dir(orvelin.Bus) if not name.startswith("_")}
    properties = {node.target.id for node in bus.body if isinstance(node, ast.AnnAssign)}
    assert public == (methods | properties) - {"__init__", "__enter__", "__exit__"}
