#!/usr/bin/env python3
"""Fails when a text of the Qt-free core or kelvane-cli has no entry in a catalogue.

  catalogue_test.py SOURCE_DIR XGETTEXT MSGCMP MSGFMT LANGUAGES... -- OPTIONS... -- SOURCES...

Extracts the texts as the update-po target does and checks every catalogue: each text
translated (msgcmp), no entry left that the sources no longer use, the file well formed
(msgfmt --check), and each translation holding the same {placeholders} as its source.
"""
import os
import re
import subprocess
import sys
import tempfile

PLACEHOLDER = re.compile(r"\{[A-Za-z_]+\}")
ENTRY = re.compile(r'^(msgid|msgid_plural|msgstr(?:\[\d+\])?) (".*")$')


def split_args(argv):
    first = argv.index("--")
    second = argv.index("--", first + 1)
    return argv[:first], argv[first + 1:second], argv[second + 1:]


def unquote(text):
    return bytes(text[1:-1], "utf-8").decode("unicode_escape").encode("latin-1").decode("utf-8")


def entries(path):
    """(msgid, msgid_plural, [msgstr...], obsolete) of each entry but the header."""
    found = []
    current = None
    field = None
    with open(path, encoding="utf-8") as po:
        for line in po:
            line = line.rstrip("\n")
            obsolete = line.startswith("#~ ")
            if obsolete:
                line = line[3:]
            match = ENTRY.match(line)
            if match:
                field = match.group(1)
                if field == "msgid":
                    current = {"msgid": "", "msgid_plural": None, "msgstr": [],
                               "obsolete": obsolete}
                    found.append(current)
                if field.startswith("msgstr"):
                    current["msgstr"].append("")
                text = unquote(match.group(2))
            elif line.startswith('"') and current is not None:
                text = unquote(line)
            else:
                continue
            if field == "msgid":
                current["msgid"] += text
            elif field == "msgid_plural":
                current["msgid_plural"] = (current["msgid_plural"] or "") + text
            else:
                current["msgstr"][-1] += text
    return [e for e in found if e["msgid"]]


def main():
    head, options, sources = split_args(sys.argv[1:])
    source_dir, xgettext, msgcmp, msgfmt = head[:4]
    languages = head[4:]
    problems = []
    with tempfile.TemporaryDirectory() as tmp:
        template = os.path.join(tmp, "kelvane.pot")
        subprocess.run([xgettext, *options, "-o", template, *sources], cwd=source_dir,
                       check=True)
        wanted = {e["msgid"] for e in entries(template)}
        for language in languages:
            po = os.path.join(source_dir, "po", language + ".po")
            for tool in ([msgcmp, po, template], [msgfmt, "--check", "-o", os.devnull, po]):
                run = subprocess.run(tool, capture_output=True, text=True)
                if run.returncode != 0:
                    problems.append(f"{language}: {os.path.basename(tool[0])}: "
                                    f"{run.stderr.strip()}")
            for entry in entries(po):
                source = entry["msgid"]
                if entry["obsolete"] or source not in wanted:
                    problems.append(f"{language}: no longer used: {source!r}")
                    continue
                sources_held = [source, entry["msgid_plural"] or source]
                for index, translation in enumerate(entry["msgstr"]):
                    held = sources_held[min(index, 1)]
                    if translation and (set(PLACEHOLDER.findall(translation)) !=
                                        set(PLACEHOLDER.findall(held))):
                        problems.append(f"{language}: placeholders differ: {source!r} -> "
                                        f"{translation!r}")
    for problem in problems:
        print(problem)
    return 1 if problems else 0


if __name__ == "__main__":
    sys.exit(main())
