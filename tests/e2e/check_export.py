#!/usr/bin/env python3
"""Checks a recovered contacts.txt against the generator's ground truth.

    check_export.py DATABASE CARVED_TEXT OUTPUT_FOLDER [LIST_ROWS]

DATABASE is the phone's contacts2.db with its .live.tsv and .deleted.tsv
beside it; CARVED_TEXT the engine's carved text for the same file (the
command-line front end's "carve"); OUTPUT_FOLDER the folder the recover was
pointed at. The file must be OUTPUT_FOLDER/Cardivane<14 digits>/Contacts (N)/
contacts.txt and equal, byte for byte, what the ground truth and the carved
lines make of it. LIST_ROWS, when given, is the number of rows the window's
list showed. Prints what was recovered against the truth; exit status 1 on
any difference.
"""
import os
import re
import sys

PHONE_LABELS = {1: "Home", 2: "Mobile", 3: "Work", 4: "WorkFax", 5: "HomeFax", 6: "Pager", 7: "Other",
                10: "CompanyMain", 11: "ISDN", 13: "OtherFax", 14: "Radio", 15: "Telex", 16: "TTY_TTD",
                17: "WorkMobile", 18: "WorkPager", 19: "Assistant", 20: "MMS"}
EMAIL_LABELS = {1: "Home Email", 2: "Work Email", 3: "Other Email", 4: "Mobile Email"}
NAME = "vnd.android.cursor.item/name"
PHONE = "vnd.android.cursor.item/phone_v2"
EMAIL = "vnd.android.cursor.item/email_v2"
ORGANIZATION = "vnd.android.cursor.item/organization"


def type_code(text):
    # Leading blanks, an optional sign, then digits up to the first other character.
    m = re.match(r"[ \t\n\v\f\r]*([+-]?)(\d*)", text or "")
    if not m.group(2):
        return 0
    value = int(m.group(2))
    return -value if m.group(1) == "-" else value


def label_of(mimetype, data2):
    if mimetype == ORGANIZATION:
        return "Company"
    if mimetype == PHONE:
        return PHONE_LABELS.get(type_code(data2), "")
    if mimetype == EMAIL:
        return EMAIL_LABELS.get(type_code(data2), "")
    return None


def read_tsv(path):
    with open(path, encoding="utf-8", newline="\n") as f:
        lines = f.read().split("\n")
    return [line.split("\t") for line in lines[1:] if line]


def live_contacts(database):
    """[(raw_contact_id, display_name, display_name_source, [(mimetype, data1, data2)])] in truth order."""
    contacts = []
    for raw_id, name, source, _flag, mimetype, data1, data2, _data3, _data4 in read_tsv(database + ".live.tsv"):
        if not contacts or contacts[-1][0] != raw_id:
            contacts.append((raw_id, name, int(source or 0), []))
        contacts[-1][3].append((mimetype, data1, data2))
    return contacts


def carved_lines(carved_bytes):
    text = carved_bytes.decode("utf-8")
    lines = text.split("\r\n")
    if lines and lines[-1] == "":
        lines.pop()
    return lines


def shown_part(line):
    # A carved record's name is a C string: a stray NUL in the carved bytes ends it.
    return line.split("\0", 1)[0]


def expected_export(contacts, carved):
    out = ["Contacts:"]
    blocks = []
    no_name = 0
    for _raw_id, name, source, rows in contacts:
        if source != 40:
            name = "No Name%d" % no_name
            no_name += 1
        block = [name + "(" + label + ") : " + data1
                 for mimetype, data1, data2 in rows
                 for label in [label_of(mimetype, data2)] if label is not None]
        blocks.append(block)
        out.extend(block)
    if carved:
        out.append("-" * 66)
        out.append("Deleted:")
        for line in map(shown_part, carved):
            if "\t" in line:
                first, second = line.split("\t", 1)
                out.append(first + " : " + second)
    return "\ufeff" + "".join(line + "\r\n" for line in out), blocks


def find_export(folder, total):
    stamped = [d for d in os.listdir(folder) if re.fullmatch(r"Cardivane\d{14}", d)]
    if len(stamped) != 1:
        return None, "expected one Cardivane<time stamp> folder in %s, found %s" % (folder, os.listdir(folder))
    path = os.path.join(folder, stamped[0], "Contacts (%d)" % total, "contacts.txt")
    if not os.path.isfile(path):
        return None, "missing %s (found %s)" % (path, os.listdir(os.path.join(folder, stamped[0])))
    return path, None


def main(argv):
    if len(argv) not in (4, 5):
        print(__doc__.strip().splitlines()[2].strip(), file=sys.stderr)
        return 2
    database, carved_path, folder = argv[1:4]
    contacts = live_contacts(database)
    with open(carved_path, "rb") as f:
        carved = carved_lines(f.read())
    expected, blocks = expected_export(contacts, carved)
    failures = []

    carved_rows = sum(1 for line in carved if "\t" in shown_part(line))
    if len(argv) == 5 and int(argv[4]) != len(contacts) + carved_rows:
        failures.append("list rows %s, expected %d live + %d carved" % (argv[4], len(contacts), carved_rows))

    path, problem = find_export(folder, len(contacts) + len(carved))
    actual = ""
    if problem:
        failures.append(problem)
    else:
        with open(path, "rb") as f:
            raw = f.read()
        actual = raw.decode("utf-16-le", errors="replace")
        if raw != expected.encode("utf-16-le"):
            got, want = actual.split("\r\n"), expected.split("\r\n")
            first = next((i for i in range(min(len(got), len(want))) if got[i] != want[i]), min(len(got), len(want)))
            failures.append("contacts.txt differs from the ground truth at line %d:\n  got:      %r\n  expected: %r"
                            % (first + 1, got[first] if first < len(got) else "(end)",
                               want[first] if first < len(want) else "(end)"))
        print("contacts.txt: %s" % os.path.relpath(path, folder))

    # Figures against the truth, whatever the comparison said.
    live_part, _, deleted_part = actual.partition("-" * 66 + "\r\nDeleted:\r\n")
    found = sum(1 for block in blocks if "\r\n".join(block) in live_part)
    print("live contacts found: %d / %d" % (found, len(contacts)))

    with open(database, "rb") as f:
        file_bytes = f.read()
    halves = set()
    for line in deleted_part.split("\r\n"):
        if " : " in line:
            first, second = line.split(" : ", 1)
            halves.update((first, second))
    deleted = [(mimetype, data1) for _raw, mimetype, data1 in read_tsv(database + ".deleted.tsv")
               if mimetype in (NAME, PHONE) and data1]
    survived = [data1 for _m, data1 in deleted if data1.encode("utf-8") in file_bytes]
    recovered = [data1 for data1 in survived if data1 in halves]
    print("deleted name and number rows recovered: %d / %d whose bytes survived in the file (%d deleted)"
          % (len(recovered), len(survived), len(deleted)))
    print("carved lines: %d (%d with a TAB, shown as rows)" % (len(carved), carved_rows))

    for failure in failures:
        print("FAIL " + failure)
    return 1 if failures else 0


if __name__ == "__main__":
    sys.exit(main(sys.argv))
