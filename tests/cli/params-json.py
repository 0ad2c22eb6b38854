#!/usr/bin/env python3
"""params-json.py DAPPLE: `dapple effects --json` and `dapple params EFFECT
--json`, read with Python's own JSON parser, say what the lines say: the same
effects, the same keys in the same order with the same defaults, the same
codes and names; every range holds its default and every default content
file exists."""
import json
import os
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
    """[(fields of a key's line, [(code, name), ...]), ...] from the lines."""
    keys = []
    for line in text.splitlines():
        fields = line.split("\t")
        if line.startswith("\t"):
            keys[-1][1].append((fields[1], fields[2]))
        else:
            keys.append((fields, []))
    return keys


def check_range(effect, key):
    if "minimum" not in key:
        return
    number = key["default"].split(" ")[0]
    try:
        value = float(number)
    except ValueError:
        fail(f"{effect} {key['key']}: default {key['default']!r} is not a number")
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
    for key, (fields, codes) in zip(keys, lines):
        if [key["key"], key["class"], key["label"], key["default"]] != fields[:4]:
            fail(f"{name}: JSON {key} against the line {fields}")
        if [(c["code"], c["name"]) for c in key.get("choices", [])] != codes:
            fail(f"{name} {key['key']}: JSON codes {key.get('choices')} against the lines' {codes}")
        if key["form"] == "code" and key["default"] not in [code for code, _ in codes]:
            fail(f"{name} {key['key']}: the default {key['default']} is none of the codes")
        check_range(name, key)
        if "defaultFile" in key and not os.path.isfile(key["defaultFile"]):
            fail(f"{name} {key['key']}: the default file {key['defaultFile']} does not exist")
    return len(keys)


def main():
    effects = json.loads(run("effects", "--json"))
    lines = [line.split("\t") for line in run("effects").splitlines()]
    if [[str(e["kind"]), e["name"], e["displayName"]] for e in effects] != lines:
        fail(f"effects --json {effects} against the lines {lines}")
    if not effects:
        fail("no effects listed")
    counts = {effect["name"]: check_effect(effect["name"]) for effect in effects}
    print("params-json: " + ", ".join(f"{name} {count} keys" for name, count in counts.items()))


main()
