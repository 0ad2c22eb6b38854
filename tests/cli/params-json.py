#!/usr/bin/env python3
"""params-json.py DAPPLE: `dapple effects --json` and `dapple params EFFECT
--json`, read with Python's own JSON parser, say what the lines say: the same
effects, the same names and keys in the same order with the same kinds and
defaults, the same choices; every range holds its default, every default
content file exists in the content folder beside the program, and `dapple
params --json` (every effect) says the same as each effect's own."""
import json
import os
import re
import subprocess
import sys


def run(*args):
    done = subprocess.run([sys.argv[1], *args], capture_output=True, text=True, check=False)
    if done.returncode != 0:
        sys.exit(f"params-json: dapple {' '.join(args)} failed: {done.stderr}")
    return done.stdout


def fail(message):
    sys.exit(f"params-json: {message}")


def parameter_lines(text):
    """[(fields of a key's line, [(position, code, name), ...]), ...] from the lines."""
    keys = []
    for line in text.splitlines():
        fields = line.split("\t")
        if line.startswith("\t"):
            keys[-1][1].append((int(fields[1]), fields[2], fields[3]))
        else:
            keys.append((fields, []))
    return keys


def check_range(effect, key):
    if "minimum" not in key:
        return
    number = re.match(r"-?[0-9.]+", key["default"])
    if number is None:
        fail(f"{effect} {key['key']}: default {key['default']!r} is not a number")
    value = float(number.group(0))
    if not key["minimum"] <= value <= key["maximum"]:
        fail(f"{effect} {key['key']}: default {value} outside {key['minimum']} to {key['maximum']}")


def check_effect(name):
    described = json.loads(run("params", name, "--json"))
    if described["effect"] != name:
        fail(f"params {name} --json names {described['effect']}")
    lines = parameter_lines(run("params", name))
    keys = described["parameters"]
    if len(keys) != len(lines):
        fail(f"{name}: {len(keys)} keys in JSON, {len(lines)} in the lines")
    content = os.path.join(os.path.dirname(os.path.abspath(sys.argv[1])), "Content")
    for key, (fields, codes) in zip(keys, lines):
        if [key["name"], key["key"], key["label"], key["kind"], key["default"], key["values"]] != fields:
            fail(f"{name}: JSON {key} against the line {fields}")
        if [(c["position"], c["code"], c["name"]) for c in key.get("choices", [])] != codes:
            fail(f"{name} {key['key']}: JSON choices {key.get('choices')} against the lines' {codes}")
        if key["kind"] == "list" and key["default"] not in [choice for _, _, choice in codes]:
            fail(f"{name} {key['key']}: the default {key['default']} is none of the choices")
        check_range(name, key)
        if key["kind"] == "content file" and not os.path.isfile(os.path.join(content, key["default"])):
            fail(f"{name} {key['key']}: the default file {key['default']} is not in {content}")
    return described


def main():
    effects = json.loads(run("effects", "--json"))
    lines = [line.split("\t") for line in run("effects").splitlines()]
    if [[str(e["kind"]), e["name"], e["displayName"]] for e in effects] != lines:
        fail(f"effects --json {effects} against the lines {lines}")
    if not effects:
        fail("no effects listed")
    each = [check_effect(effect["name"]) for effect in effects]
    if json.loads(run("params", "--json")) != each:
        fail("params --json does not list what each effect's params --json lists")
    print("params-json: " + ", ".join(f"{e['effect']} {len(e['parameters'])} keys" for e in each))


main()
