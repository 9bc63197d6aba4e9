/* SPDX-License-Identifier: GPL-3.0-or-later */
/* The floor of `stirpa --log-tree`: a plain C program that reads a chart file
 * and writes the same stirpalog.txt through stdio, without the chart model.
 * It knows only well-formed charts, as the benchmark generator writes them.
 *
 * Usage: log_tree_floor CHART.txt   (writes stirpalog.txt in the current folder) */
#include <stdio.h>
#include <stdlib.h>
#include <string.h>

/* The chart's name: the file name without folder and extension. */
static void treeName(const char* path, char* name, size_t size)
{
    const char* base = strrchr(path, '/');
    base = base ? base + 1 : path;
    snprintf(name, size, "%s", base);
    char* dot = strrchr(name, '.');
    if (dot)
        *dot = '\0';
}

int main(int argc, char** argv)
{
    if (argc != 2) {
        fprintf(stderr, "usage: log_tree_floor CHART.txt\n");
        return 2;
    }
    FILE* in = fopen(argv[1], "rb");
    FILE* log = fopen("stirpalog.txt", "wb");
    if (!in || !log) {
        perror("log_tree_floor");
        return 1;
    }
    char name[4096];
    treeName(argv[1], name, sizeof name);
    fprintf(log, "Infile %s opened\n\nTree: %s\n", argv[1], name);
    char* line = NULL;
    size_t capacity = 0;
    ssize_t length;
    long boxWidth = 120, boxHeight = 50, maxColumn = 0, maxLevel = 0;
    while ((length = getline(&line, &capacity, in)) > 0) {
        if (line[length - 1] == '\n')
            line[--length] = '\0';
        if (strncmp(line, "Stirpa ", 7) == 0) {
            sscanf(line + 7, "%ldj%ld", &boxWidth, &boxHeight);
            continue;
        }
        char* cursor = line + 1;
        const int direction = line[0] == 'p' ? (int)strtol(cursor, &cursor, 10) : -1;
        const long column = strtol(cursor, &cursor, 10);
        const long level = strtol(cursor + 1, &cursor, 10);
        const long textLength = strtol(cursor, &cursor, 10);
        char* text = cursor + 1;
        cursor = text + textLength;
        *cursor = '\0';
        const long right = strtol(cursor + 1, &cursor, 10);
        const long down = strtol(cursor + 1, &cursor, 10);
        const long lineage = strtol(cursor, &cursor, 10);
        if (direction >= 0)
            fprintf(log, "  Continuation box, dir %d: %s", direction, text);
        else
            fprintf(log, "  Box %s", text);
        fprintf(log, " at %ldj%ld, connected %ldj%ld, lineage %ld\n", column, level, right, down,
                lineage);
        if (column > maxColumn)
            maxColumn = column;
        if (level > maxLevel)
            maxLevel = level;
    }
    fprintf(log, "  Extent: %ldj%ld\n", maxColumn * (boxWidth + 20) + 35,
            maxLevel * (boxHeight + 20) + 10);
    free(line);
    fclose(in);
    return fclose(log) == 0 ? 0 : 1;
}
