#!/usr/bin/env python3
"""Checks the help's names against the built switchboard-cli, so that neither the help nor the
README can name a setting, an option or an exit code the program does not have.

  check_names.py settings CLI HELP_DIR
      Every row of a settings table (a row with a <td class="key">) names a key that the
      program has, beside that key's own label; and every key of the program has such a row.
      "formN.x" stands for the key x of the five forms.
  check_names.py cli CLI HELP_DIR README
      The commands, options and exit codes of `--help` are those of the help's reference,
      each option's row there carries the numbers (limits, defaults) of its --help entry, and
      the README quotes --help word for word and lists the same exit codes.
"""

import html.parser
import json
import pathlib
import re
import subprocess
import sys

OPTION = re.compile(r"(?<![\w/-])(--[a-z][a-z-]*|-[a-z])(?![\w-])")
NUMBER = re.compile(r"(?<![\w.])\d+(?![\w.])")


class Tables(html.parser.HTMLParser):
    """The rows of every table: (table class, [(cell class, cell text)])."""

    def __init__(self):
        super().__init__(convert_charrefs=True)
        self.rows = []
        self._table = []
        self._cell = None

    def handle_starttag(self, tag, attrs):
        attrs = dict(attrs)
        if tag == "table":
            self._table.append(attrs.get("class") or "")
        elif tag == "tr" and self._table:
            self.rows.append((self._table[-1], []))
        elif tag in ("td", "th") and self._table:
            self._cell = [attrs.get("class") or "", ""]
            self.rows[-1][1].append(self._cell)
        elif tag == "br" and self._cell:
            self._cell[1] += " "

    def handle_endtag(self, tag):
        if tag == "table" and self._table:
            self._table.pop()
        elif tag in ("td", "th"):
            self._cell = None

    def handle_data(self, data):
        if self._cell is not None:
            self._cell[1] += data


def rows_of(path):
    parser = Tables()
    parser.feed(pathlib.Path(path).read_text(encoding="utf-8"))
    return [(table, [(cls, " ".join(text.split())) for cls, text in cells])
            for table, cells in parser.rows]


def run(cli, *args):
    done = subprocess.run([cli, *args], capture_output=True, check=False)
    if done.returncode != 0:
        sys.exit(f"{cli} {' '.join(args)} failed ({done.returncode}): "
                 f"{done.stderr.decode(errors='replace')}")
    return done.stdout.decode("utf-8")


def as_named(key):
    """A key as the help's tables name it: the forms' keys once, as formN."""
    return re.sub(r"^form\d\.", "formN.", key)


def check_settings(cli, help_dir):
    fields = json.loads(run(cli, "show", "factory", "--json"))["fields"]
    labels = {field["key"]: field["label"] for field in fields}
    problems = []
    named = set()
    for page in sorted(pathlib.Path(help_dir).glob("*.htm")):
        for _, cells in rows_of(page):
            keys = [text for cls, text in cells if cls == "key"]
            if not keys:
                continue
            shown = next((text for cls, text in cells if cls == "ui"), None)
            key = keys[0]
            named.add(key)
            own = {label for k, label in labels.items() if as_named(k) == key}
            if not own:
                problems.append(f"{page.name}: {key} is no key of the program")
            elif shown not in own:
                problems.append(f"{page.name}: {key} is labelled {shown!r}, the program says "
                                f"{' or '.join(sorted(own))!r}")
    for key in sorted({as_named(key) for key in labels} - named):
        problems.append(f"no settings table of the help names {key}")
    return problems, f"{len(named)} keys of the help's settings tables"


def help_entries(text):
    """The commands, options (with the numbers of their entries) and exit codes of --help."""
    lines = text.splitlines()
    commands = set()
    options = {}
    for i, line in enumerate(lines):
        # The usage lines name options without their entries.
        if not line.startswith(" ") or line.lstrip().startswith("or:"):
            continue
        command = re.match(r"  ([a-z]+) ", line)
        if command:
            commands.add(command.group(1))
        entry = line
        for follow in lines[i + 1:]:
            if not follow.startswith(" " * 20) or OPTION.search(follow[:32]):
                break
            entry += " " + follow
        for option in OPTION.findall(line):
            if option not in options:
                options[option] = set(NUMBER.findall(OPTION.sub(" ", entry)))
    heading = re.search(r"^Exit (?:codes|status):", text, re.M)
    exits = text[heading.end():].split("\n\n", 1)[0] if heading else ""
    codes = set(re.findall(r"(?:^|[:;\n])\s*(\d+)\s", exits))
    return commands, options, codes


def check_cli(cli, help_dir, readme):
    text = run(cli, "--help")
    commands, options, codes = help_entries(text)
    problems = []
    if not options or not codes:
        problems.append("--help names no option or no exit code")

    reference = {"commands": {}, "options": {}, "exits": {}}
    for table, cells in rows_of(pathlib.Path(help_dir) / "cli-ref.htm"):
        if table in reference and cells:
            # An option's row names it in each of its spellings.
            names = OPTION.findall(cells[0][1]) if table == "options" else \
                re.findall(r"^[a-z0-9]+", cells[0][1])
            for name in names:
                reference[table][name] = " ".join(t for _, t in cells)
    for kind, ours in (("commands", commands), ("options", set(options)), ("exits", codes)):
        theirs = set(reference[kind])
        for name in sorted(ours - theirs):
            problems.append(f"cli-ref.htm: {kind} table lacks {name}, which --help names")
        for name in sorted(theirs - ours):
            problems.append(f"cli-ref.htm: {kind} table names {name}, which --help does not")
    for option, numbers in sorted(options.items()):
        row = reference["options"].get(option, "")
        for number in sorted(numbers - set(NUMBER.findall(row.replace("～", " ")))):
            if option in reference["options"]:
                problems.append(f"cli-ref.htm: the row of {option} lacks {number} of its "
                                "--help entry")

    readme_text = pathlib.Path(readme).read_text(encoding="utf-8")
    if text.strip("\n") not in readme_text:
        problems.append("README.md does not quote switchboard-cli --help as it reads now")
    table = re.search(r"^\| Exit code \|.*?\n((?:\|.*\n)+)", readme_text, re.M)
    listed = set(re.findall(r"^\| (\d+) \|", table.group(1), re.M)) if table else set()
    if listed != codes:
        problems.append(f"README.md lists the exit codes {sorted(listed)}, --help {sorted(codes)}")
    return problems, (f"{len(commands)} commands, {len(options)} options and {len(codes)} exit "
                      f"codes of --help")


def main(argv):
    if len(argv) == 4 and argv[1] == "settings":
        problems, what = check_settings(argv[2], argv[3])
    elif len(argv) == 5 and argv[1] == "cli":
        problems, what = check_cli(argv[2], argv[3], argv[4])
    else:
        sys.exit(__doc__)
    if problems:
        print("\n".join(problems))
        return 1
    print(f"help: {what} agree with switchboard-cli")
    return 0


if __name__ == "__main__":
    sys.exit(main(sys.argv))
