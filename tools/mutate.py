#!/usr/bin/env python3
"""Mutation testing of the C++ sources: makes one-line faults (mutants) in the
.cpp files, builds each in a scratch copy of the project and runs the unit
tests on it. A mutant the tests do not catch survives, and is printed with the
lines around it.

    tools/mutate.py                          # every candidate line of src/
    tools/mutate.py --mutants 400            # a sample, shared among the files by their lines
    tools/mutate.py --since abc123           # the lines changed since a commit
    tools/mutate.py src/ui/FrmMain.cpp src/core --mutants 30
    tools/mutate.py --again                  # the survivors of the last run, once more
    tools/mutate.py --list ...               # the mutants only; builds nothing

The same --draw, options and sources make the same mutants. The scratch copy
and its build live in build-mutants/ (--work) and are kept between runs, so
that the next run builds only what changed; the work tree and build/ are only
read. The scratch build links the libraries as shared ones and does not
relink programs when a library changes, so a mutant rebuilds one file and
relinks one library; with ccache, the rebuild after a revert is a cache hit.
"""

import argparse
import collections
import json
import os
import random
import re
import shutil
import signal
import subprocess
import sys
import time

KINDS = ("relational", "logical", "negation", "constant", "boolean", "removal", "return")

# The unit tests: what ctest runs without the end-to-end cases, the packaging
# check and the test of this runner itself.
TEST_SELECTION = ("-LE", "^(e2e|tools)$", "-E", "^packaging_")

BUILD_SECONDS = 900


# ---------------------------------------------------------------- the sources

def code_of(text):
    """The text with every comment, string and character literal blanked out
    (each of their characters becomes \\x01, line feeds stay), so that the
    mutants touch code alone and keep their columns."""
    out = []
    i, n = 0, len(text)
    blank = lambda s: re.sub(r"[^\n]", "\x01", s)
    while i < n:
        c = text[i]
        if text.startswith("//", i):
            end = text.find("\n", i)
            end = n if end < 0 else end
            out.append(blank(text[i:end]))
            i = end
        elif text.startswith("/*", i):
            end = text.find("*/", i + 2)
            end = n if end < 0 else end + 2
            out.append(blank(text[i:end]))
            i = end
        elif c == '"' or (c == "'" and not (i > 0 and text[i - 1].isalnum() and i + 1 < n and text[i + 1].isalnum())):
            raw = re.search(r'R"([^ ()\\]{0,16})\($', text[max(0, i - 20):i + 1]) if c == '"' else None
            if raw:
                end = text.find(")" + raw.group(1) + '"', i)
                end = n if end < 0 else end + len(raw.group(1)) + 2
            else:
                end = i + 1
                while end < n and text[end] != c and text[end] != "\n":
                    end += 2 if text[end] == "\\" else 1
                end = min(end + 1, n)
            out.append(blank(text[i:end]))
            i = end
        else:
            out.append(c)
            i += 1
    return "".join(out)


Mutant = collections.namedtuple("Mutant", "file line kind original mutated")


def balanced(code):
    return all(code.count(a) == code.count(b) for a, b in ("()", "[]", "{}"))


def starts_statement(previous):
    """Whether a line after this one starts a statement of its own."""
    if not previous or previous.endswith((";", "{", "}")):
        return True
    if previous.endswith(":") and not previous.endswith("::"):
        return True
    header = re.match(r"^(\} )?(else )?(if|for|while|switch) \(", previous)
    return bool(header and previous.endswith(")") and balanced(previous)) or re.match(r"^(\} )?else$", previous)


REMOVABLE = [
    re.compile(r"^return;$"),
    re.compile(r"^(Q_EMIT|delete) .*;$"),
    re.compile(r"^(\+\+|--)[\w.\->\[\]]+;$"),
    re.compile(r"^[\w.\->\[\]]+(\+\+|--);$"),
    # a call: nothing but the callee before the first parenthesis
    re.compile(r"^[\w:.\-><\[\]*&!]+\(.*\);$"),
    # an assignment to something that is no declaration
    re.compile(r"^\*?[\w.\->\[\]:]+(\(\))? ([-+*/%|&^]|<<|>>)?= .*;$"),
]

# Values that a `return {};` would give back unchanged.
DEFAULT_VALUES = {"{}", "false", "0", "nullptr", "std::nullopt", "QString()", "QStringList()", "QByteArray()"}


def closing_parenthesis(code, opening):
    depth = 0
    for i in range(opening, len(code)):
        if code[i] == "(":
            depth += 1
        elif code[i] == ")":
            depth -= 1
            if depth == 0:
                return i
    return -1


def line_mutants(line, code, previous, kinds):
    """(kind, start, end, replacement) for each mutant of one line."""
    found = []

    def add(kind, start, end, replacement):
        if kind in kinds:
            found.append((kind, start, end, replacement))

    swaps = {"<": "<=", "<=": "<", ">": ">=", ">=": ">", "==": "!=", "!=": "=="}
    for m in re.finditer(r"(?<=\S) (<=|>=|==|!=|<|>) (?=\S)", code):
        add("relational", m.start(1), m.end(1), swaps[m.group(1)])
    for m in re.finditer(r"(?<=\S) (&&|\|\|) (?=\S)", code):
        add("logical", m.start(1), m.end(1), "||" if m.group(1) == "&&" else "&&")
    for m in re.finditer(r"\b(if|while) \(", code):
        opening = m.end() - 1
        closing = closing_parenthesis(code, opening)
        if closing < 0:
            continue
        start = opening + 1
        # if (init; condition): the condition alone
        depth = 0
        for i in range(opening + 1, closing):
            depth += {"(": 1, ")": -1}.get(code[i], 0)
            if code[i] == ";" and depth == 0:
                start = i + 2
        condition = line[start:closing]
        if re.search(r"(?<=\S) = ", code[start:closing]):
            continue  # a declaration or an assignment
        simple = re.fullmatch(r"!([\w:.\->]+(\([^()]*\))?)", condition)
        add("negation", start, closing, simple.group(1) if simple else "!(" + condition + ")")
    for m in re.finditer(r"(?<![\w.'])(0[xX][0-9a-fA-F]+|\d+)([uUlL]*)(?![\w.'])", code):
        literal = m.group(1)
        base = 16 if literal[:2] in ("0x", "0X") else 8 if len(literal) > 1 and literal[0] == "0" else 10
        value = int(literal, base)
        for changed in (value + 1, value - 1):
            if changed >= 0:
                text = {16: hex(changed), 8: "0" + format(changed, "o"), 10: str(changed)}[base]
                add("constant", m.start(1), m.end(1), text)
    for m in re.finditer(r"\b(true|false)\b", code):
        add("boolean", m.start(), m.end(), "false" if m.group() == "true" else "true")
    for m in re.finditer(r"\breturn ([^;]+);", code):
        value = line[m.start(1):m.end(1)]
        if balanced(code[m.start(1):m.end(1)]) and value.strip() not in DEFAULT_VALUES:
            add("return", m.start(1), m.end(1), "{}")
    statement = code.strip()
    if (statement and balanced(statement) and starts_statement(previous)
            and any(p.match(statement) for p in REMOVABLE)):
        start = len(line) - len(line.lstrip())
        add("removal", start, start + len(line.strip()), "{}")
    return found


def file_candidates(path, text, kinds, wanted_lines=None):
    """Every mutant of a file, by line number (1-based)."""
    lines = text.split("\n")
    codes = code_of(text).split("\n")
    by_line = {}
    previous = ""
    continued = False
    for number, (line, code) in enumerate(zip(lines, codes), start=1):
        code = code.rstrip().replace("\x01", "")
        stripped = code.strip()
        directive = continued or stripped.startswith("#")
        continued = directive and stripped.endswith("\\")
        if not stripped:
            continue
        if not directive and (wanted_lines is None or number in wanted_lines):
            code_columns = codes[number - 1]
            mutants = [Mutant(path, number, kind, line, line[:start] + replacement + line[end:])
                       for kind, start, end, replacement in line_mutants(line, code_columns, previous, kinds)]
            if mutants:
                by_line[number] = mutants
        previous = stripped
    return by_line


def counted_lines(text):
    """The lines that carry code."""
    return sum(1 for line in code_of(text).split("\n") if line.replace("\x01", "").strip())


def shares(total, weights, rooms):
    """total shared among the files in proportion to their weights (largest
    remainders first), each at least one and at most its room; what a file
    has no room for goes to the others."""
    share = {f: 0 for f in weights}
    open_files = [f for f in weights if rooms[f] > 0]
    left = total
    while left > 0 and open_files:
        weight = sum(weights[f] for f in open_files) or 1
        exact = {f: left * weights[f] / weight for f in open_files}
        given = {f: min(int(exact[f]), rooms[f] - share[f]) for f in open_files}
        rest = left - sum(given.values())
        for f in sorted(open_files, key=lambda f: (-(exact[f] - int(exact[f])), f)):
            if rest <= 0:
                break
            if given[f] < rooms[f] - share[f]:
                given[f] += 1
                rest -= 1
        for f in open_files:
            if share[f] == 0 and given[f] == 0 and left > sum(given.values()):
                given[f] = 1
        for f in open_files:
            share[f] += given[f]
        placed = sum(given.values())
        if placed == 0:
            break
        left -= placed
        open_files = [f for f in open_files if share[f] < rooms[f]]
    return share


def choose_mutants(project, files, kinds, draw, count, per_line, changed_lines):
    rng = random.Random(draw)
    candidates, weights = {}, {}
    for path in files:
        text = read_text(os.path.join(project, path))
        wanted = changed_lines.get(path) if changed_lines is not None else None
        candidates[path] = file_candidates(path, text, kinds, wanted)
        weights[path] = counted_lines(text) if wanted is None else len(wanted)
    rooms = {f: len(candidates[f]) * per_line for f in files}
    share = shares(count, weights, rooms) if count else rooms
    chosen = []
    for path in files:
        lines = sorted(candidates[path])
        wanted_lines = share[path] // per_line + (1 if share[path] % per_line else 0)
        picked = sorted(rng.sample(lines, min(wanted_lines, len(lines))))
        left = share[path]
        for number in picked:
            options = candidates[path][number]
            take = min(per_line, left, len(options))
            chosen.extend(sorted(rng.sample(options, take), key=lambda m: KINDS.index(m.kind)))
            left -= take
    return chosen


def read_text(path):
    with open(path, encoding="utf-8", newline="") as f:
        return f.read()


def cpp_files(project, paths):
    found = []
    for path in paths:
        full = os.path.join(project, path)
        if os.path.isfile(full):
            found.append(os.path.normpath(path))
        elif os.path.isdir(full):
            for folder, _, names in os.walk(full):
                found.extend(os.path.relpath(os.path.join(folder, n), project) for n in names if n.endswith(".cpp"))
        else:
            sys.exit(f"mutate.py: no such file or folder: {path}")
    return sorted(set(f for f in found if f.endswith(".cpp")))


def changed_since(project, commit, files):
    """Line numbers of the work tree that differ from the commit, by file."""
    diff = subprocess.run(["git", "-C", project, "diff", "-U0", "--no-color", commit, "--", *files],
                          capture_output=True, text=True)
    if diff.returncode != 0:
        sys.exit(f"mutate.py: git diff {commit}: {diff.stderr.strip()}")
    changed, current = collections.defaultdict(set), None
    for line in diff.stdout.splitlines():
        if line.startswith("+++ "):
            current = None if line[4:] == "/dev/null" else line[6:]
        elif line.startswith("@@") and current:
            start, _, length = re.match(r"@@ -\S+ \+(\d+)(,(\d+))? @@", line).groups()
            length = 1 if length is None else int(length)
            changed[current].update(range(int(start), int(start) + length))
    untracked = subprocess.run(["git", "-C", project, "ls-files", "--others", "--exclude-standard", "--", *files],
                               capture_output=True, text=True).stdout.split()
    for path in untracked:
        changed[path] = set(range(1, read_text(os.path.join(project, path)).count("\n") + 2))
    return changed


# ------------------------------------------------------- the scratch project

def project_files(project):
    listed = subprocess.run(["git", "-C", project, "ls-files", "-z", "--cached", "--others", "--exclude-standard"],
                            capture_output=True)
    if listed.returncode == 0:
        return [p for p in listed.stdout.decode().split("\0") if p and os.path.isfile(os.path.join(project, p))]
    files = []
    for folder, folders, names in os.walk(project):
        folders[:] = [f for f in folders if f != ".git" and not f.startswith("build")]
        files.extend(os.path.relpath(os.path.join(folder, n), project) for n in names)
    return files


def sync_tree(project, tree):
    """Makes the scratch copy the same as the work tree; files that did not
    change keep their times, so the build after it is incremental."""
    wanted = set(project_files(project))
    for path in sorted(wanted):
        source, copy = os.path.join(project, path), os.path.join(tree, path)
        if os.path.islink(source):
            target = os.readlink(source)
            if not (os.path.islink(copy) and os.readlink(copy) == target):
                remove(copy)
                os.makedirs(os.path.dirname(copy), exist_ok=True)
                os.symlink(target, copy)
            continue
        with open(source, "rb") as f:
            content = f.read()
        if os.path.isfile(copy) and not os.path.islink(copy):
            with open(copy, "rb") as f:
                if f.read() == content:
                    continue
        remove(copy)
        os.makedirs(os.path.dirname(copy), exist_ok=True)
        with open(copy, "wb") as f:
            f.write(content)
        shutil.copymode(source, copy)
    for folder, _, names in os.walk(tree):
        for name in names:
            path = os.path.relpath(os.path.join(folder, name), tree)
            if path not in wanted:
                os.remove(os.path.join(folder, name))


def remove(path):
    if os.path.islink(path) or os.path.isfile(path):
        os.remove(path)
    elif os.path.isdir(path):
        shutil.rmtree(path)


def run(command, seconds, **options):
    """(status, output) of a command in a process group of its own; status
    None when it ran out of time and was killed."""
    process = subprocess.Popen(command, stdout=subprocess.PIPE, stderr=subprocess.STDOUT, text=True,
                               start_new_session=True, **options)
    try:
        output, _ = process.communicate(timeout=seconds)
        return process.returncode, output
    except subprocess.TimeoutExpired:
        os.killpg(process.pid, signal.SIGKILL)
        output, _ = process.communicate()
        return None, output


class Scratch:
    def __init__(self, project, work, jobs, test_seconds, desktop_cases=None):
        self.project = project
        self.tree = os.path.join(work, "tree")
        self.build = os.path.join(work, "build")
        self.home = os.path.join(work, "home")
        self.jobs = jobs
        self.test_seconds = test_seconds
        self.desktop_cases = desktop_cases
        self.environment = dict(os.environ, CCACHE_DIR=os.path.join(work, "ccache"), QT_QPA_PLATFORM="offscreen")
        self.catchers = collections.defaultdict(collections.Counter)  # file -> tests that caught its mutants

    def prepare(self):
        sync_tree(self.project, self.tree)
        options = ["-DCMAKE_BUILD_TYPE=", "-DQX_BUILD_TESTS=ON", "-DQX_WARNINGS_AS_ERRORS=OFF",
                   "-DBUILD_SHARED_LIBS=ON", "-DCMAKE_LINK_DEPENDS_NO_SHARED=ON",
                   f"-DQX_TEST_TIMEOUT={self.test_seconds}"]
        if shutil.which("ccache"):
            options.append("-DCMAKE_CXX_COMPILER_LAUNCHER=ccache")
        if shutil.which("ninja") and not os.path.exists(os.path.join(self.build, "CMakeCache.txt")):
            options.append("-GNinja")
        status, output = run(["cmake", "--no-warn-unused-cli", "-S", self.tree, "-B", self.build, *options],
                             BUILD_SECONDS, env=self.environment)
        if status != 0:
            sys.exit("mutate.py: the scratch project does not configure:\n" + output)
        started = time.monotonic()
        if not self.compile():
            sys.exit("mutate.py: the scratch project does not build without a mutant:\n" + self.last_output)
        self.build_seconds = time.monotonic() - started
        self.tests = self.list_tests(TEST_SELECTION)
        if not self.tests:
            sys.exit("mutate.py: the scratch project has no unit tests")
        self.desktop_tests = self.list_tests(("-L", "^e2e$", "-R", self.desktop_cases)) if self.desktop_cases else []
        if self.desktop_cases and not self.desktop_tests:
            sys.exit(f"mutate.py: no end-to-end case matches {self.desktop_cases}")
        failed = self.failing_tests(self.tests)
        if failed:
            sys.exit("mutate.py: the unit tests fail without any mutant: " + ", ".join(sorted(failed)) + "\n"
                     + self.last_output)

    def compile(self):
        status, self.last_output = run(["cmake", "--build", self.build, "-j", str(self.jobs)], BUILD_SECONDS,
                                       env=self.environment)
        return status == 0

    def list_tests(self, selection):
        status, output = run(["ctest", "--test-dir", self.build, "-N", *selection], 120, env=self.environment)
        return re.findall(r"^\s*Test\s+#\d+: (\S+)$", output, re.M) if status == 0 else []

    def failing_tests(self, names):
        """The tests among names that fail (a timeout counts as 'Timeout'),
        stopping at the first failure."""
        if not names:
            return {}
        remove(self.home)
        os.makedirs(self.home)
        environment = dict(self.environment, HOME=self.home, XDG_CONFIG_HOME=os.path.join(self.home, ".config"),
                           XDG_CACHE_HOME=os.path.join(self.home, ".cache"))
        pattern = "^(" + "|".join(re.escape(n) for n in names) + ")$"
        command = ["ctest", "--test-dir", self.build, "-j", str(self.jobs), "--stop-on-failure", "-R", pattern]
        seconds = (max(self.test_seconds, 120) + 5) * len(names) + 60
        status, self.last_output = run(command, seconds, env=environment)
        failed = {}
        for name, result in re.findall(r"Test\s+#\d+: (\S+) \.*\s*(.*?)\s+[\d.]+ sec$", self.last_output, re.M):
            if "Passed" not in result and "Skipped" not in result:
                failed[name] = "Timeout" if "Timeout" in result else "Failed"
        if status is None:
            failed.setdefault("ctest", "Timeout")
        elif status != 0 and not failed:
            failed["ctest"] = "Failed"
        return failed

    def try_mutant(self, mutant):
        """'dropped', 'caught', 'timeout', 'desktop' (caught by an end-to-end
        case alone) or 'survived', and the tests that failed."""
        path = os.path.join(self.tree, mutant.file)
        original = read_text(path)
        lines = original.split("\n")
        if lines[mutant.line - 1] != mutant.original:
            return "stale", []
        lines[mutant.line - 1] = mutant.mutated
        try:
            with open(path, "w", encoding="utf-8", newline="") as f:
                f.write("\n".join(lines))
            if not self.compile():
                return "dropped", []
            # The tests that caught this file's mutants before run first: a
            # caught mutant rarely needs the rest.
            likely = [t for t, _ in self.catchers[mutant.file].most_common() if t in self.tests]
            failed = self.failing_tests(likely)
            if not failed:
                failed = self.failing_tests([t for t in self.tests if t not in likely])
            if not failed and self.desktop_tests:
                failed = self.failing_tests(self.desktop_tests)
                if failed:
                    return "desktop", sorted(failed)
        finally:
            with open(path, "w", encoding="utf-8", newline="") as f:
                f.write(original)
        caught = [t for t, r in failed.items() if r == "Failed"]
        self.catchers[mutant.file].update(t for t in failed if t != "ctest")
        if caught:
            return "caught", sorted(caught)
        if failed:
            return "timeout", sorted(failed)
        return "survived", []

    def restore(self):
        """Leaves the scratch build as the work tree builds it."""
        self.compile()


# ------------------------------------------------------------------- report

def show_mutant(mutant, project):
    lines = read_text(os.path.join(project, mutant.file)).splitlines()
    around = []
    for number in range(max(1, mutant.line - 2), min(len(lines), mutant.line + 2) + 1):
        if number == mutant.line:
            around.append(f"  - {number:5} | {mutant.original}")
            around.append(f"  + {number:5} | {mutant.mutated}")
        else:
            around.append(f"    {number:5} | {lines[number - 1]}")
    return "\n".join(around)


def print_totals(results):
    columns = ("made", "dropped", "caught", "desktop", "survived", "timeout")
    per_file = collections.defaultdict(collections.Counter)
    for result in results:
        per_file[result["file"]]["made"] += 1
        per_file[result["file"]][result["status"]] += 1
    width = max([len(f) for f in per_file] + [5])
    print(f"{'file':{width}}  " + "  ".join(f"{c:>8}" for c in columns) + "  survived of built")
    total = collections.Counter()
    for path in sorted(per_file):
        total.update(per_file[path])
        print(f"{path:{width}}  " + "  ".join(f"{per_file[path][c]:8}" for c in columns) + rate(per_file[path]))
    print(f"{'total':{width}}  " + "  ".join(f"{total[c]:8}" for c in columns) + rate(total))


def rate(counts):
    built = counts["made"] - counts["dropped"] - counts["stale"]
    return f"  {100 * counts['survived'] / built:5.1f} %" if built else "       -"


def main():
    parser = argparse.ArgumentParser(description=__doc__.split("\n\n")[0],
                                     formatter_class=argparse.RawDescriptionHelpFormatter)
    parser.add_argument("paths", nargs="*", help=".cpp files or folders (default: src)")
    parser.add_argument("--since", metavar="COMMIT", help="only the lines changed since COMMIT (work tree included)")
    parser.add_argument("--mutants", type=int, metavar="N",
                        help="at most N mutants, shared among the files in proportion to their lines")
    parser.add_argument("--per-line", type=int, default=1, metavar="N", help="mutants per line at most (1)")
    parser.add_argument("--draw", type=int, default=1, metavar="N",
                        help="which random draw of lines and mutants (1); the same draw makes the same mutants")
    parser.add_argument("--kinds", default=",".join(KINDS), help="the kinds of mutant, comma-separated: " +
                        ", ".join(KINDS))
    parser.add_argument("--again", action="store_true", help="the survivors of the last run, once more")
    parser.add_argument("--list", action="store_true", help="print the mutants; build and test nothing")
    parser.add_argument("--project", default=os.path.dirname(os.path.dirname(os.path.abspath(__file__))),
                        help="the project's folder (the one holding this tool)")
    parser.add_argument("--work", help="scratch folder, kept between runs (PROJECT/build-mutants)")
    parser.add_argument("--timeout", type=int, default=30, metavar="SECONDS",
                        help="how long one test program may run (30)")
    parser.add_argument("--e2e", metavar="REGEX",
                        help="run the end-to-end cases matching REGEX on what the unit tests miss")
    parser.add_argument("--jobs", type=int, default=os.cpu_count() or 1, metavar="N",
                        help="parallel builds and tests (the number of cores)")
    args = parser.parse_args()

    project = os.path.abspath(args.project)
    work = os.path.abspath(args.work or os.path.join(project, "build-mutants"))
    kinds = [k for k in args.kinds.split(",") if k]
    if any(k not in KINDS for k in kinds) or args.per_line < 1:
        parser.error("unknown kind or per-line below 1")
    last_run = os.path.join(work, "last-run.json")

    if args.again:
        try:
            with open(last_run) as f:
                previous = json.load(f)
        except OSError:
            sys.exit(f"mutate.py: no last run in {work}")
        mutants = [relocated(Mutant(**{k: r[k] for k in Mutant._fields}), project)
                   for r in previous if r["status"] == "survived"]
        mutants = [m for m in mutants if m]
    else:
        files = cpp_files(project, args.paths or ["src"])
        changed = changed_since(project, args.since, files) if args.since else None
        if changed is not None:
            files = [f for f in files if f in changed]
        mutants = choose_mutants(project, files, kinds, args.draw, args.mutants, args.per_line, changed)

    if args.list:
        for mutant in mutants:
            shown = "removed: " + mutant.original.strip() if mutant.kind == "removal" else mutant.mutated.strip()
            print(f"{mutant.file}:{mutant.line} [{mutant.kind}] {shown}")
        print(f"{len(mutants)} mutants")
        return 0

    os.makedirs(work, exist_ok=True)
    scratch = Scratch(project, work, args.jobs, args.timeout, args.e2e)
    started = time.monotonic()
    scratch.prepare()
    print(f"scratch build ready in {scratch.build_seconds:.0f} s, {len(scratch.tests)} unit tests pass; "
          f"{len(mutants)} mutants", flush=True)
    results = []
    try:
        for index, mutant in enumerate(mutants, start=1):
            begun = time.monotonic()
            status, tests = scratch.try_mutant(mutant)
            results.append(dict(mutant._asdict(), status=status, tests=tests))
            print(f"[{index}/{len(mutants)}] {mutant.file}:{mutant.line} {mutant.kind}: {status}"
                  + (f" ({', '.join(tests)})" if tests else "") + f"  {time.monotonic() - begun:.1f} s", flush=True)
    except KeyboardInterrupt:
        print("interrupted: the totals below count the mutants tried so far")
    finally:
        scratch.restore()
        with open(last_run, "w") as f:
            json.dump(results, f, indent=1)

    survivors = [r for r in results if r["status"] == "survived"]
    if survivors:
        print(f"\n{len(survivors)} survivors:")
        for result in survivors:
            mutant = Mutant(**{k: result[k] for k in Mutant._fields})
            print(f"\nSURVIVED {mutant.file}:{mutant.line} [{mutant.kind}]\n{show_mutant(mutant, project)}")
    print()
    print_totals(results)
    tried = max(1, len(results))
    print(f"{time.monotonic() - started:.0f} s in all, {(time.monotonic() - started - scratch.build_seconds) / tried:.1f} s"
          " a mutant after the scratch build")
    return 0


def relocated(mutant, project):
    """The mutant where its line now stands (lines above it may have moved it),
    or None when the line is gone."""
    path = os.path.join(project, mutant.file)
    if not os.path.isfile(path):
        return None
    lines = read_text(path).split("\n")
    if mutant.line <= len(lines) and lines[mutant.line - 1] == mutant.original:
        return mutant
    places = [i + 1 for i, line in enumerate(lines) if line == mutant.original]
    if not places:
        return None
    return mutant._replace(line=min(places, key=lambda n: abs(n - mutant.line)))


if __name__ == "__main__":
    sys.exit(main())
