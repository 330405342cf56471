#!/usr/bin/env python3
"""Mutation testing: breaks the game's code on purpose, one small change at a
time, and records which tests notice.

Each mutant is one change to one line of a source file: a comparison flipped,
a constant moved by one, a statement dropped, two statements swapped, a
condition negated, && and || or + and - exchanged, a returned bool inverted.
For every mutant the release tree is rebuilt incrementally and the tests of
that file's area run under ctest; the tests that fail (or time out) are the
ones that caught it. The file is restored from a copy after every mutant, and
once more on exit, whatever happens.

Usage:
  scripts/mutate.py run [--count N] [--seed S] [--out FILE] [AREA...]
  scripts/mutate.py run --replay OLD.jsonl --out NEW.jsonl
  scripts/mutate.py list [--count N] [--seed S] [AREA...]
  scripts/mutate.py compare BEFORE.jsonl AFTER.jsonl
  scripts/mutate.py report RESULT.jsonl        (the table, and each test's lone catches)

AREA is a key of AREAS below (default: actors match menus sound). The same
seed and sources give the same mutants; --replay applies the mutants of an
earlier run again, found by their line's text, so a run before a change to
the tests and one after it can be compared even if lines have moved.
"""

import argparse
import json
import os
import random
import re
import signal
import subprocess
import sys
import time
from pathlib import Path

ROOT = Path(__file__).resolve().parent.parent

# Each area: the source files mutated and the tests (a ctest -R regex) that
# may catch a fault there. The end-to-end and X server runs are left out: at half a minute each they
# would cost more than all the others together.
AREAS = {
    "actors": (["src/actors/*.cpp"], "RobotTest|FrisbeeTest|MatchSoak"),
    "match": (["src/match/*.cpp"], "PlayPhase|NotificationPhase|MenuPhase|MatchSoak|SceneDrawing"),
    "menus": (["src/menus/*.cpp"], "Menu(Test|Drawing|Options|Characters|About|Intro|Phase)|NotificationTest"),
    "sound": (["src/audio/SoundFile.cpp"], "SoundFile|SoundPlayback|SoundRegistry|SoundWithout|Heard|Sounds|Fuzz"),
    "input": (["src/input/*.cpp"], "Keyboard|KeyBindings|Input|Joystick|Robot|Phase|Menu"),
    "profile": (["src/platform/Profile.cpp", "src/platform/ProfileText.cpp"], "Profile|Config|MenuOptions|Fuzz"),
    "xfile": (["src/platform/XFileScanner.cpp", "src/platform/XMeshLoader.cpp"], "XMesh|MeshManager|Models|ArenaModel|Fuzz"),
    "shell": (["src/shell/Config.cpp", "src/shell/CommandLine.cpp", "src/shell/FramePacer.cpp",
               "src/shell/LightManager.cpp", "src/shell/RenderFrame.cpp", "src/shell/TimeStep.cpp"],
              "Config|FramePacer|LightManager|RenderFrame|TimeStep|GameWithoutDisplay|KeyBindings|MenuOptions"),
    "scene": (["src/scene/*.cpp"], "Object2D|Object3D|SceneDrawing|Menu(Drawing|Intro)"),
    "audio": (["src/audio/Sound.cpp", "src/audio/SoundManager.cpp"], "SoundFile|SoundPlayback|SoundRegistry|SoundWithout|Heard|Sounds|Robot"),
    "assets": (["src/assets/*.cpp"], "TextureManager|MeshManager|FontManager|GlDevice"),
    "image": (["src/platform/Image.cpp"], "Image|TextureManager|MeshManager|PicturesTest.(every|messages)|Models|Fuzz|GlDevice"),
    "joystick": (["src/platform/Joystick*.cpp"], "Joystick|Input"),
    "glyphs": (["src/platform/GlyphAtlas.cpp", "src/platform/GlFont.cpp"], "GlyphAtlas|GlDevice|FontManager"),
    "gl": (["src/platform/GlDevice.cpp", "src/platform/GlSprite.cpp", "src/platform/GlMeshBuffer.cpp",
            "src/platform/GlTexture.cpp"], "GlDevice"),
}
DEFAULT_AREAS = ["actors", "match", "menus", "sound"]
MIN_PER_AREA = 10

DECLARATION = re.compile(r"^\s*(const\s+|constexpr\s+|static\s+|auto\s|[A-Za-z_][\w:]*(<[^;=]*>)?[*&]?\s+[*&]?[A-Za-z_]\w*\s*(=|\(|\{|;|\[))")
FLOAT = re.compile(r"(?<![\w.])(\d+\.\d+)(f?)(?![\w.])")
INTEGER = re.compile(r"(?<![\w.])(\d+)(?![\w.])")
SWAPS = [(" < ", " <= "), (" <= ", " < "), (" > ", " >= "), (" >= ", " > "),
         (" == ", " != "), (" != ", " == "), (" && ", " || "), (" || ", " && "),
         (" + ", " - "), (" - ", " + "), (" * ", " / ")]


def code_part(line):
    """The line with string literals blanked and any // comment cut off, so
    that mutation sites are found in code only (same length as the line)."""
    out, in_string, i = [], None, 0
    while i < len(line):
        c = line[i]
        if in_string:
            out.append(" ")
            if c == "\\":
                out.append(" ")
                i += 1
            elif c == in_string:
                in_string = None
        elif c in "\"'":
            in_string = c
            out.append(" ")
        elif line.startswith("//", i):
            break
        else:
            out.append(c)
        i += 1
    return "".join(out).ljust(len(line))[: len(line)]


def is_statement(code):
    s = code.strip()
    return (s.endswith(";") and not s.startswith(("return", "}", "using", "#", "case", "break", "default"))
            and not DECLARATION.match(code) and s.count("(") == s.count(")"))


def candidates(path):
    """Every mutant of one file, in file order: (line, operator, old, new)."""
    lines = (ROOT / path).read_text().splitlines(keepends=True)
    result, in_block_comment, depth = [], False, 0
    prev_code = ""
    for n, line in enumerate(lines):
        code = code_part(line)
        if in_block_comment or code.lstrip().startswith(("/*", "#")):
            in_block_comment = "*/" not in code if (in_block_comment or "/*" in code) else False
            continue
        stripped = code.strip()
        inside_function = depth > 0 and not stripped.startswith(("namespace", "constexpr", "static constexpr"))
        starts_statement = prev_code.strip().endswith((";", "{", "}", ":")) or not prev_code.strip()
        depth += code.count("{") - code.count("}")
        if stripped:
            prev_code = code
        if not stripped:
            continue
        for old, new in SWAPS:
            for m in re.finditer(re.escape(old), code):
                result.append((n, "flip " + old.strip() + " " + new.strip(), m.start(), old, new))
        for m in FLOAT.finditer(code):
            text, suffix = m.group(1), m.group(2)
            digits = len(text.split(".")[1])
            step = 10 ** -digits
            for sign, name in ((1, "const+1"), (-1, "const-1")):
                value = float(text) + sign * step
                if value < 0:
                    continue
                result.append((n, name, m.start(), text + suffix, f"{value:.{digits}f}{suffix}"))
        for m in INTEGER.finditer(code):
            value = int(m.group(1))
            result.append((n, "const+1", m.start(), m.group(1), str(value + 1)))
            if value > 0:
                result.append((n, "const-1", m.start(), m.group(1), str(value - 1)))
        for m in re.finditer(r"\b(if|while) \(", code):
            result.append((n, "negate", m.start(), m.group(0), m.group(0) + "!("))
        for m in re.finditer(r"\breturn (true|false);", code):
            flipped = "false" if m.group(1) == "true" else "true"
            result.append((n, "return", m.start(), m.group(0), f"return {flipped};"))
        if inside_function and starts_statement and is_statement(code):
            result.append((n, "drop", 0, line, ""))
            if n + 1 < len(lines):
                following = code_part(lines[n + 1])
                if is_statement(following) and following != code and \
                        len(line) - len(line.lstrip()) == len(lines[n + 1]) - len(lines[n + 1].lstrip()):
                    result.append((n, "swap", 0, line + lines[n + 1], lines[n + 1] + line))
    return [dict(file=path, line=n + 1, op=op, col=col, old=old, new=new) for n, op, col, old, new in result]


def apply(text, mutant):
    """The file's text with the mutant applied, or None if its line is gone."""
    lines = text.splitlines(keepends=True)
    n = mutant["line"] - 1
    original = mutant.get("original")
    if original is not None and (n >= len(lines) or lines[n] != original):
        # The file changed since the mutant was chosen: find the same line nearest to where it was.
        matches = [i for i, line in enumerate(lines) if line == original]
        if not matches:
            return None
        n = min(matches, key=lambda i: abs(i - n))
    if mutant["op"] in ("drop", "swap"):
        span = "".join(lines[n:n + mutant["old"].count("\n")])
        if span != mutant["old"]:
            return None
        return "".join(lines[:n]) + mutant["new"] + "".join(lines[n + mutant["old"].count("\n"):])
    line, col = lines[n], mutant["col"]
    if line[col:col + len(mutant["old"])] != mutant["old"]:
        return None
    new_line = line[:col] + mutant["new"] + line[col + len(mutant["old"]):]
    if mutant["op"] == "negate":
        # Close the negation where the condition's parenthesis closes.
        start = col + len(mutant["new"])
        level = 1
        for i in range(start, len(new_line)):
            level += {"(": 1, ")": -1}.get(new_line[i], 0)
            if level == 0:
                new_line = new_line[:i] + ")" + new_line[i:]
                break
        else:
            return None
    return "".join(lines[:n]) + new_line + "".join(lines[n + 1:])


def choose(areas, count, seed):
    chosen = []
    for area in areas:
        globs, _ = AREAS[area]
        files = sorted(str(p.relative_to(ROOT)) for g in globs for p in ROOT.glob(g))
        pool = [dict(m, area=area) for f in files for m in candidates(f)]
        # Shares follow each area's size, with a floor so that a small file still gets a fair look.
        share = min(len(pool), max(MIN_PER_AREA, round(count * len(pool) / total_pool(areas))))
        chosen += sorted(random.Random(f"{seed}:{area}").sample(pool, share),
                         key=lambda m: (m["file"], m["line"], m["op"], m["col"]))
    for i, m in enumerate(chosen):
        m["id"] = f"M{i + 1:03d}"
        m["original"] = (ROOT / m["file"]).read_text().splitlines(keepends=True)[m["line"] - 1]
    return chosen


def total_pool(areas):
    return sum(len(candidates(str(p.relative_to(ROOT)))) for a in areas for g in AREAS[a][0] for p in ROOT.glob(g))


def build(build_dir):
    return subprocess.run(["cmake", "--build", build_dir, "--target", "korv_tests"],
                          stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL).returncode == 0


def test_names(build_dir):
    listing = subprocess.run(["ctest", "--test-dir", build_dir, "-N"], capture_output=True, text=True).stdout
    return set(re.findall(r"Test +#\d+: (\S+)", listing))


def failed_tests(build_dir, regex, timeout):
    log = Path(build_dir) / "Testing/Temporary/LastTestsFailed.log"
    log.unlink(missing_ok=True)
    subprocess.run(["ctest", "--test-dir", build_dir, "-R", regex, "-j2", "--timeout", str(timeout), "-Q"],
                   stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
    if not log.exists():
        return []
    return sorted(line.split(":", 1)[1].strip() for line in log.read_text().splitlines() if ":" in line)


def run(args):
    if args.replay:
        mutants = [json.loads(line) for line in Path(args.replay).read_text().splitlines() if line.strip()]
    else:
        mutants = choose(args.areas or DEFAULT_AREAS, args.count, args.seed)
    out = Path(args.out)
    done = {}
    if out.exists() and args.resume:
        done = {r["id"]: r for r in map(json.loads, out.read_text().splitlines()) if r.get("status")}
    if args.per_area:
        # A shorter run: an evenly spread part of each area's mutants, plus any already done.
        kept = []
        for area in dict.fromkeys(m["area"] for m in mutants):
            pool = [m for m in mutants if m["area"] == area]
            picked = {pool[i * len(pool) // args.per_area]["id"] for i in range(min(args.per_area, len(pool)))}
            kept += [m for m in pool if m["id"] in picked or m["id"] in done]
        mutants = kept
    build_dir = str(Path(args.build).resolve())
    originals = {}

    def restore():
        for path, text in originals.items():
            if path.read_text() != text:
                path.write_text(text)

    def stop(*_):
        raise KeyboardInterrupt

    signal.signal(signal.SIGTERM, stop)
    results = []
    try:
        with out.open("a" if args.resume else "w") as sink:
            # The tests must pass on the unbroken code, or a failure says nothing.
            if not args.resume and (not build(build_dir) or failed_tests(build_dir, "|".join(
                    sorted({AREAS[m["area"]][1] for m in mutants})), args.timeout)):
                sys.exit("the unbroken build fails to build or to pass its tests")
            names = test_names(build_dir)
            for m in mutants:
                if args.quick and m.get("status") != "caught":
                    continue  # nothing caught it before: a trim cannot lose it
                if m["id"] in done:
                    results.append(done[m["id"]])
                    continue
                path = ROOT / m["file"]
                if path.exists():
                    originals.setdefault(path, path.read_text())
                mutated = apply(originals[path], m) if path in originals else None  # a file since removed
                start = time.time()
                record = {k: m[k] for k in ("id", "area", "file", "line", "op", "col", "old", "new", "original")}
                if mutated is None:
                    record["status"] = "not-found"
                else:
                    path.write_text(mutated)
                    try:
                        if not build(build_dir):
                            record["status"] = "no-compile"
                        else:
                            # Quick: the tests that caught it last time and are still there go
                            # first; only if none fails do all of the area's tests run.
                            earlier = [t for t in m.get("killed_by", []) if t in names] if args.quick else []
                            record["killed_by"] = earlier and failed_tests(
                                build_dir, "^(" + "|".join(map(re.escape, earlier)) + ")$", args.timeout)
                            if not record["killed_by"]:
                                record["killed_by"] = failed_tests(build_dir, AREAS[m["area"]][1], args.timeout)
                            record["status"] = "caught" if record["killed_by"] else "survived"
                    finally:
                        path.write_text(originals[path])
                record["seconds"] = round(time.time() - start)
                print(f"{record['id']} {m['file']}:{m['line']} {m['op']:8} {record['status']} "
                      f"{' '.join(record.get('killed_by', []))}", flush=True)
                sink.write(json.dumps(record) + "\n")
                sink.flush()
                results.append(record)
    finally:
        restore()
        build(build_dir)
    write_table(results, out.with_suffix(".md"))


def load(path):
    return [json.loads(line) for line in Path(path).read_text().splitlines() if line.strip()]


def write_table(results, path):
    rows = ["| mutant | file:line | operator | change | killed by |", "|---|---|---|---|---|"]
    for r in results:
        change = "drop statement" if r["op"] == "drop" else "swap with next" if r["op"] == "swap" else \
            f"`{r['old'].strip()}` → `{r['new'].strip()}`"
        killed = ", ".join(r.get("killed_by", [])) or r["status"].upper()
        rows.append(f"| {r['id']} | {r['file']}:{r['line']} | {r['op']} | {change} | {killed} |")
    tried = [r for r in results if r["status"] in ("caught", "survived")]
    caught = [r for r in tried if r["status"] == "caught"]
    rows.append(f"\n{len(results)} mutants, {len(tried)} built, {len(caught)} caught, "
                f"{len(tried) - len(caught)} survived.")
    path.write_text("\n".join(rows) + "\n")
    print(rows[-1].strip())


def report(args):
    results = load(args.result)
    write_table(results, Path(args.result).with_suffix(".md"))
    alone = {}
    counts = {}
    for r in results:
        for t in r.get("killed_by", []):
            counts[t] = counts.get(t, 0) + 1
        if len(r.get("killed_by", [])) == 1:
            alone.setdefault(r["killed_by"][0], []).append(r["id"])
    print("\nTests and the mutants they alone catch (tests absent here catch none alone):")
    for t in sorted(counts, key=lambda t: (len(alone.get(t, [])), t)):
        print(f"  {t}: {counts[t]} caught, alone: {' '.join(alone.get(t, [])) or '-'}")


def compare(args):
    before = {r["id"]: r for r in load(args.before)}
    after = {r["id"]: r for r in load(args.after)}
    caught_before = [i for i, r in before.items() if r["status"] == "caught"]
    lost = [i for i in caught_before if after.get(i, {}).get("status") != "caught"]
    print(f"tried {len(before)}, caught before {len(caught_before)}, "
          f"caught after {sum(1 for r in after.values() if r['status'] == 'caught')}")
    for i in lost:
        r = before[i]
        print(f"  lost {i} {r['file']}:{r['line']} {r['op']} (was caught by {', '.join(r['killed_by'])}; "
              f"now {after.get(i, {}).get('status', 'not run')})")
    return 1 if lost else 0


def main():
    parser = argparse.ArgumentParser(description=__doc__, formatter_class=argparse.RawDescriptionHelpFormatter)
    sub = parser.add_subparsers(dest="command", required=True)
    for name in ("run", "list"):
        p = sub.add_parser(name)
        p.add_argument("areas", nargs="*", metavar="AREA", help=", ".join(AREAS))
        p.add_argument("--count", type=int, default=70)
        p.add_argument("--seed", default="1")
    run_parser = sub.choices["run"]
    run_parser.add_argument("--out", default="mutants.jsonl")
    run_parser.add_argument("--replay")
    run_parser.add_argument("--quick", action="store_true",
                            help="with --replay: only the mutants caught before, their earlier catchers first")
    run_parser.add_argument("--per-area", type=int, help="try only this many of each area's mutants, evenly spread")
    run_parser.add_argument("--resume", action="store_true", help="go on with an interrupted run's --out file")
    run_parser.add_argument("--build", default=str(ROOT / "build"))
    run_parser.add_argument("--timeout", type=int, default=60, help="seconds per test")
    p = sub.add_parser("compare")
    p.add_argument("before")
    p.add_argument("after")
    p = sub.add_parser("report")
    p.add_argument("result")
    args = parser.parse_args()
    unknown = set(getattr(args, "areas", [])) - set(AREAS)
    if unknown:
        parser.error(f"unknown area {', '.join(sorted(unknown))}; the areas are {', '.join(AREAS)}")
    if args.command == "run":
        run(args)
    elif args.command == "list":
        for m in choose(args.areas or DEFAULT_AREAS, args.count, args.seed):
            print(f"{m['id']} {m['file']}:{m['line']} {m['op']:8} {m['old'].strip()!r} -> {m['new'].strip()!r}")
    elif args.command == "compare":
        sys.exit(compare(args))
    else:
        report(args)


if __name__ == "__main__":
    main()
