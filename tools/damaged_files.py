#!/usr/bin/env python3
"""Writes damaged copies of real configuration files to a virtual vehicle and counts the outcome.

Usage: tools/damaged_files.py VARDEXCTL PORT [--copies N] [--seed S] [--keep DIR]

PORT is a vardex-sim pseudo-terminal (vardex-sim nolink), whose modules keep their memory from
one run of vardexctl to the next. The settings memories of the modules are first set to a known
image of non-zero bytes; each damaged copy is then written with `write` (and with `--partial`),
the memories are read back, and every byte that changed although the copy does not hold it
(as the program reads files: sections and keys ignoring case, the first of a repeated key,
hexadecimal digits up to the first other character) is counted; a change to 0 counts as a
zeroed byte. The image is put back after every write that changed something.

Goals: every copy with damage is refused or named on stderr; no write with exit 0 (and no
--partial write at all) changes a byte the copy does not hold.
"""

import argparse
import os
import random
import re
import subprocess
import sys
import tempfile

CHUNK = 1023
AREA = "Память настроек"
ENC = "cp1251"
# Module sections with their settings memory: section name, bus address, memory, size.
MODULES = [
    ("Главный модуль", 2, "ext", 1024),
    ("GSM", 3, "int", 2048),
    ("Slave-модуль", 4, "int", 256),
    ("Расширитель входов", 15, "int", 256),
    ("Трансивер метки", 25, "int", 256),
    ("RelayIO", 13, "int", 256),
    ("Validator", 14, "int", 256),
    ("TS", 5, "int", 256),
    ("Датчик удара", 20, "int", 256),
    ("Датчик наклона", 23, "int", 256),
]
BASELINE = 0xA5


def run(ctl, port, *args):
    done = subprocess.run([ctl, "--port", port, *args], capture_output=True, timeout=600)
    return done.returncode, done.stdout.decode("utf-8", "replace"), done.stderr.decode(
        "utf-8", "replace")


def settings_only(text):
    """Keeps the version section and the settings memories of the modules listed."""
    keep, out = False, []
    names = {m[0] for m in MODULES}
    for line in text.split("\r\n"):
        if line.startswith("["):
            name = line[1:line.index("]")]
            keep = name == "Версия ПО" or name in names
            if keep:
                out.append(line)
            continue
        if keep and (line.startswith("V") or re.fullmatch(AREA + r"\d+=.*", line)):
            out.append(line)
    return "\r\n".join(out) + "\r\n"


def held_bytes(raw):
    """The bytes of the settings memories a file holds, as the program reads it."""
    text = raw.decode(ENC, "replace")
    sections, current = {}, None
    for line in text.split("\n"):
        line = line.rstrip("\r").strip()
        if not line or line.startswith(";"):
            continue
        if line.startswith("["):
            if "]" in line:
                current = sections.setdefault(line[1:line.index("]")].strip().casefold(), {})
            continue
        if current is None or "=" not in line or line.index("=") == 0:
            continue
        key, value = line.split("=", 1)
        current.setdefault(key.strip().casefold(), value.strip())
    held = {}
    for name, addr, _, size in MODULES:
        section = sections.get(name.casefold(), {})
        for key, value in section.items():
            match = re.fullmatch(re.escape(AREA.casefold()) + r"(0|[1-9]\d{0,8})", key)
            if not match:
                continue
            chunk = int(match.group(1))
            data = bytearray()
            for i in range(0, len(value) - 1, 2):
                pair = value[i:i + 2]
                if len(data) >= CHUNK or not re.fullmatch(r"[0-9A-Fa-f]{2}", pair):
                    break
                data.append(int(pair, 16))
            for offset, byte in enumerate(data):
                index = chunk * CHUNK + offset
                if index < size:
                    held[(addr, index)] = byte
    return held


def memories(ctl, port):
    image = {}
    for _, addr, loc, size in MODULES:
        code, out, err = run(ctl, port, "dump", str(addr), loc, "0", str(size))
        if code != 0:
            raise RuntimeError(f"dump {addr} {loc}: {err}")
        for line in out.splitlines():
            start, _, hexes = line.partition(":")
            for i, byte in enumerate(hexes.split()):
                image[(addr, int(start, 16) + i)] = int(byte, 16)
    return image


def baseline_file(version_lines):
    lines = ["[Версия ПО]", *version_lines]
    for name, _, _, size in MODULES:
        lines.append(f"[{name}]")
        for chunk in range(0, (size + CHUNK - 1) // CHUNK):
            count = min(CHUNK, size - chunk * CHUNK)
            lines.append(f"{AREA}{chunk}=" + f"{BASELINE:02X}" * count)
    return ("\r\n".join(lines) + "\r\n").encode(ENC)


# Damage: each takes the file's lines and a random generator and returns the damaged bytes.
def chunk_lines(lines):
    return [i for i, line in enumerate(lines) if re.match(AREA + r"\d+=", line)]


def cut_chunk(lines, rng):
    i = rng.choice(chunk_lines(lines))
    key, value = lines[i].split("=", 1)
    lines[i] = key + "=" + value[:2 * rng.randrange(0, max(1, len(value) // 2))]
    return lines


def extend_chunk(lines, rng):
    i = rng.choice(chunk_lines(lines))
    # Past the longest chunk: a chunk that grows inside its place looks like any other.
    extra = 2 * (CHUNK - len(lines[i].split("=", 1)[1]) // 2 + rng.randint(1, 40))
    lines[i] += "".join(rng.choice("0123456789ABCDEF") for _ in range(extra))
    return lines


def repeat_key(lines, rng):
    i = rng.choice(chunk_lines(lines))
    key = lines[i].split("=", 1)[0]
    extra = key + "=" + "".join(rng.choice("0123456789ABCDEF") for _ in range(2))
    lines.insert(i + rng.choice([0, 1]), extra)
    return lines


def section_case(lines, rng):
    i = rng.choice([i for i, line in enumerate(lines) if line.startswith("[") and i > 0])
    lines[i] = rng.choice([str.lower, str.upper])(lines[i])
    return lines


def mangle_key(lines, rng):
    i = rng.choice(chunk_lines(lines))
    key, value = lines[i].split("=", 1)
    number = key[len(AREA):]
    lines[i] = rng.choice(
        [AREA + "0" + number, AREA + " " + number, AREA[:-1] + number, AREA + number + "x"]) + (
        "=" + value)
    return lines


def swap_lines(lines, rng):
    i = rng.randrange(0, len(lines) - 2)
    lines[i], lines[i + 1] = lines[i + 1], lines[i]
    return lines


def delete_line(lines, rng):
    del lines[rng.randrange(0, len(lines) - 1)]
    return lines


def bad_hex(lines, rng):
    i = rng.choice(chunk_lines(lines))
    key, value = lines[i].split("=", 1)
    at = rng.randrange(0, max(1, len(value)))
    lines[i] = key + "=" + value[:at] + rng.choice("GZ- x") + value[at + 1:]
    return lines


def odd_digit(lines, rng):
    i = rng.choice(chunk_lines(lines))
    lines[i] = lines[i][:-1]
    return lines


def foreign_section(lines, rng):
    lines.insert(rng.randrange(1, len(lines)), rng.choice(["[Модуль X]", "[Главный  модуль]"]))
    return lines


def foreign_key(lines, rng):
    i = rng.choice(chunk_lines(lines))
    lines.insert(i, rng.choice(["Настройки0=00", "Память0=0102", AREA + "99=00"]))
    return lines


def long_line(lines, rng):
    i = rng.choice(chunk_lines(lines))
    lines[i] += "AB" * 100000
    return lines


TEXT_DAMAGE = [cut_chunk, extend_chunk, repeat_key, section_case, mangle_key, swap_lines,
               delete_line, bad_hex, odd_digit, foreign_section, foreign_key, long_line]


def damaged_copy(base, rng):
    """A damaged copy and whether the damage leaves the file sound (a section's case)."""
    kind = rng.choice(TEXT_DAMAGE + ["bom", "utf8", "truncate"])
    if kind == "bom":
        return b"\xef\xbb\xbf" + base, kind
    if kind == "utf8":
        return base.decode(ENC).encode("utf-8"), kind
    if kind == "truncate":
        return base[:rng.randrange(1, len(base))], kind
    lines = base.decode(ENC).split("\r\n")
    return "\r\n".join(kind(lines, rng)).encode(ENC), kind.__name__


def main():
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    parser.add_argument("ctl")
    parser.add_argument("port")
    parser.add_argument("--copies", type=int, default=200)
    parser.add_argument("--seed", type=int, default=1)
    parser.add_argument("--keep", help="folder for the copies (default: a temporary one)")
    options = parser.parse_args()
    rng = random.Random(options.seed)
    folder = options.keep or tempfile.mkdtemp(prefix="damaged-")
    os.makedirs(folder, exist_ok=True)

    bases = {}
    for mode in ["full", "pages"]:
        path = os.path.join(folder, f"base-{mode}.ini")
        args = ["read", "--out", path] + (["--full"] if mode == "full" else [])
        code, _, err = run(options.ctl, options.port, *args)
        if code != 0:
            sys.exit(f"read: {err}")
        with open(path, "rb") as file:
            bases[mode] = settings_only(file.read().decode(ENC)).encode(ENC)
    versions = [line for line in bases["full"].decode(ENC).split("\r\n") if line.startswith("V")]
    car_path = os.path.join(folder, "car.ini")
    with open(car_path, "wb") as file:
        file.write(baseline_file(versions))

    def restore():
        code, _, err = run(options.ctl, options.port, "write", "--full", car_path)
        if code != 0:
            sys.exit(f"baseline write: {err}")
        return memories(options.ctl, options.port)

    car = restore()
    counts = {"copies": 0, "sound": 0, "refused": 0, "named": 0, "silent_accepted": 0,
              "exit0_not_held_changed": 0, "exit0_zeroed_writes": 0, "exit0_zeroed_bytes": 0,
              "partial_not_held_changed": 0, "partial_zeroed_bytes": 0}
    kinds = {}
    for n in range(options.copies):
        mode = rng.choice(["full", "pages"])
        data, kind = damaged_copy(bases[mode], rng)
        path = os.path.join(folder, f"copy{n:04d}-{mode}-{kind}.ini")
        with open(path, "wb") as file:
            file.write(data)
        held = held_bytes(data)
        counts["copies"] += 1
        full = ["--full"] if mode == "full" else []
        for partial in [False, True]:
            code, _, err = run(options.ctl, options.port, "write", *full,
                               *(["--partial"] if partial else []), path)
            now = memories(options.ctl, options.port)
            changed = [k for k in car if now[k] != car[k] and k not in held]
            zeroed = [k for k in changed if now[k] == 0]
            if not partial:
                outcome = "refused" if code != 0 else "named" if err.strip() else "accepted"
                kinds.setdefault(kind, {}).setdefault(outcome, 0)
                kinds[kind][outcome] += 1
                if code != 0:
                    counts["refused"] += 1
                elif err.strip():
                    counts["named"] += 1
                elif kind == "section_case":
                    counts["sound"] += 1
                else:
                    counts["silent_accepted"] += 1
                if code == 0 and changed:
                    counts["exit0_not_held_changed"] += 1
                    if zeroed:
                        counts["exit0_zeroed_writes"] += 1
                        counts["exit0_zeroed_bytes"] += len(zeroed)
            else:
                counts["partial_not_held_changed"] += len(changed)
                counts["partial_zeroed_bytes"] += len(zeroed)
            if now != car:
                car = restore()
    for key, value in counts.items():
        print(f"{key}: {value}")
    for kind, outcomes in sorted(kinds.items()):
        print(f"  {kind}: " + ", ".join(f"{k} {v}" for k, v in sorted(outcomes.items())))
    print(f"copies kept in {folder}")
    bad = counts["exit0_zeroed_bytes"] + counts["partial_zeroed_bytes"] + counts[
        "exit0_not_held_changed"] + counts["partial_not_held_changed"]
    return 1 if bad else 0


if __name__ == "__main__":
    sys.exit(main())
