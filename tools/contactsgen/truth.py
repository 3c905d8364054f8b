"""Ground truth beside the database: TSV files, UTF-8, a header line naming the
columns, one record per line, NULL written as an empty field."""

LIVE_COLUMNS = ["raw_contact_id", "display_name", "display_name_source", "deleted_flag", "mimetype",
                "data1", "data2", "data3", "data4"]
DELETED_COLUMNS = ["raw_contact_id", "mimetype", "data1"]


def _write(path, columns, records):
    with open(path, "w", encoding="utf-8", newline="\n") as out:
        out.write("\t".join(columns) + "\n")
        for record in records:
            line = "\t".join("" if v is None else str(v) for v in record)
            if line.count("\t") != len(record) - 1 or "\n" in line or "\r" in line:
                raise ValueError("value not representable in the truth files: %r" % (record,))
            out.write(line + "\n")


def live_records(book, removed_ids):
    for raw in book:
        if raw.fate == "deleted":
            continue
        flag = 1 if raw.fate == "flagged" else 0
        for row in raw.rows:
            if row.data_id not in removed_ids:
                yield (raw.raw_contact_id, raw.display_name, raw.source, flag, row.mimetype,
                       row.data(1), row.data(2), row.data(3), row.data(4))


def deleted_records(book, removed_rows):
    rows = [row for raw in book if raw.fate == "deleted" for row in raw.rows] + list(removed_rows)
    rows.sort(key=lambda r: (r.raw_contact_id, r.data_id))
    return [(row.raw_contact_id, row.mimetype, row.data(1)) for row in rows]


def layout_facts(layout):
    """(data columns, raw_contact_id index, data1 index, hash_id index or None) of `data`'s final schema."""
    return {"modern": (32, 3, 9, 4), "kitkat": (27, 3, 8, None), "upgraded": (32, 3, 8, 27)}[layout]


def write(path, book, removed_rows, info):
    removed_ids = {row.data_id for row in removed_rows}
    live = list(live_records(book, removed_ids))
    deleted = deleted_records(book, removed_rows)
    _write(path + ".live.tsv", LIVE_COLUMNS, live)
    _write(path + ".deleted.tsv", DELETED_COLUMNS, deleted)
    columns, rc_index, d1_index, hash_index = layout_facts(info["layout"])
    facts = dict(info)
    facts.update({
        "deleted_contacts": sum(raw.fate == "deleted" for raw in book),
        "flagged_contacts": sum(raw.fate == "flagged" for raw in book),
        "live_rows": len(live),
        "deleted_rows": len(deleted),
        "data_columns": columns,
        "raw_contact_id_index": rc_index,
        "data1_index": d1_index,
        "hash_id_index": "" if hash_index is None else hash_index,
    })
    _write(path + ".info.tsv", ["key", "value"], facts.items())
    return facts


