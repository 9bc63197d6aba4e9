# Turns the benchmarks' output into one table: each median beside its floor,
# the ratio, the target and whether it is met. Used by run.sh.

# Medians in milliseconds, by name without the aggregate and option suffixes.
$1 ~ /_median$/ && $3 ~ /^(ns|us|ms|s)$/ {
    name = $1; sub(/_median$/, "", name)
    gsub(/\/real_time|\/iterations:[0-9]+/, "", name)
    scale = $3 == "ns" ? 1e-6 : $3 == "us" ? 1e-3 : $3 == "s" ? 1e3 : 1
    ms[name] = $2 * scale
}
/^bytes per box beyond its text/ { perBox = $0; sub(/.* /, "", perBox) }

function size(n) { return n >= 1000000 ? n / 1000000 "M" : n >= 1000 ? n / 1000 "k" : n }
function shown(v) {
    return v >= 100 ? sprintf("%.0f ms", v) : v >= 1 ? sprintf("%.2f ms", v) : v >= 0.1 ? sprintf("%.0f us", v * 1e3) : \
        v >= 0.001 ? sprintf("%.1f us", v * 1e3) : sprintf("%.0f ns", v * 1e6)
}
function row(op, n, time, floor, limitRatio, limitMs, target,    ratio, verdict) {
    if (time == "") return
    ratio = floor > 0 ? sprintf("%.2fx", time / floor) : "-"
    verdict = "-"
    if (limitRatio > 0) verdict = time <= limitRatio * floor ? "pass" : "FAIL"
    if (limitMs > 0) verdict = time < limitMs ? "pass" : "FAIL"
    printf "| %-30s | %5s | %10s | %10s | %7s | %-16s | %-4s |\n", op, size(n), shown(time),
        (floor > 0 ? shown(floor) : "-"), ratio, target, verdict
    if (verdict == "FAIL") failed++
}
function files(op, bench, n, target,    key) {
    key = bench "/" n
    row(op, n, ms[key], ms[bench "Floor/" n], n == 100000 && target != "" ? 3 : 0, 0,
        n == 100000 && target != "" ? target : "-")
}
END {
    printf "| %-30s | %5s | %10s | %10s | %7s | %-16s | %-4s |\n", "operation", "size", "time", "floor", "ratio", "target", ""
    print "|--------------------------------|-------|------------|------------|---------|------------------|------|"
    split("1000 10000 100000 1000000", sizes, " ")
    for (i = 1; i <= 4; i++) files("load", "load", sizes[i], "<= 3x floor")
    row("load against a bare read", 100000, ms["load/100000"], ms["loadBulkFloor/100000"], 0, 0, "-")
    row("load, all boxes in one cell", 100000, ms["loadOneCell/100000"], ms["load/100000"], 2, 0,
        "<= 2x grid chart")
    for (i = 1; i <= 4; i++) files("save (atomic, to disk)", "save", sizes[i], "<= 3x floor")
    for (i = 1; i <= 4; i++) files("writeChart to a file", "writeStream", sizes[i], "<= 3x floor")
    for (i = 1; i <= 4; i++) files("HTML export", "html", sizes[i], "<= 3x floor")
    for (i = 1; i <= 4; i++) files("tree dump", "dump", sizes[i], "")
    split("100 1000 10000 100000 1000000", views, " ")
    for (i = 1; i <= 5; i++)
        row("paint 1000x800, far corner", views[i], ms["paintViewport/" views[i]], ms["paintViewport/1000"],
            views[i] == 1000000 ? 2 : 0, 0, views[i] == 1000000 ? "<= 2x 1k chart" : "-")
    row("paint 1000x800 at scale 2", 1000000, ms["paintViewportScale2/1000000"],
        ms["paintViewportScale2/1000"], 2, 0, "<= 2x 1k chart")
    row("paint 1000x800, Fit Chart (2 %)", 1000000, ms["paintFitChart/1000000"], 0, 0, 50, "< 50 ms")
    row("overview picture after an edit", 1000000, ms["overviewAfterEdit/1000000"], 0, 0, 50, "< 50 ms")
    row("paint 1000x800, zoom step to 80%", 1000000, ms["paintZoomStep/1000000"],
        ms["paintActualSize/1000000"], 2, 0, "<= 2x at 100 %")
    row("render whole chart to PNG", 10000, ms["renderPng/10000"], 0, 0, 0, "-")
    row("render whole chart to SVG", 10000, ms["renderSvg/10000"], 0, 0, 0, "-")
    row("render whole chart to PDF", 10000, ms["renderPdf/10000"], 0, 0, 0, "-")
    split("findPerson selectCell arrowKey move cutAndUndo fitConnectors findAncestor clearLineage", edits, " ")
    split("findPerson|select (document.selectCell)|arrow key (stepSelection)|move|cut and undo, last box|" \
          "fitConnectors, 1,000 columns|findParent, 1,000 generations|clearLineage", labels, "|")
    for (i = 1; i <= 8; i++) row(labels[i], 100000, ms[edits[i]], 0, 0, 1, "< 1 ms")
    row("insertLine", 100000, ms["insertLine"], 0, 0, 20, "< 20 ms")
    row("find: fold texts after a change", 1000000, ms["findPrepare/1000000"], 0, 0, 0, "-")
    row("find: all matches of a query", 1000000, ms["findText/1000000"], 0, 0, 50, "< 50 ms")
    row("GEDCOM import (read, lay out)", 100000, ms["gedcomImport/100000"], ms["gedcomImportFloor/100000"],
        4, 0, "<= 4x load+save")
    row("GEDCOM import as a book, saved", 100000, ms["gedcomImportBook/100000"],
        ms["gedcomImportBookFloor/100000"], 4, 0, "<= 4x load+save")
    row("person list filter, keystroke", 100000, ms["gedcomFilter/100000"], 0, 0, 50, "< 50 ms")
    row("GEDCOM --list-persons", 100000, ms["gedcomListPersons/100000"], ms["gedcomRead/100000"],
        2, 0, "<= 2x its read")
    if (perBox != "")
        printf "| %-30s | %5s | %10s | %10s | %7s | %-16s | %-4s |\n", "peak memory per box, no text",
            "1M", perBox " B", "-", "-", "< 300 B", (perBox < 300 ? "pass" : "FAIL")
    if (perBox != "" && perBox >= 300) failed++
    printf "\n%d target(s) missed\n", failed
}
