// SPDX-License-Identifier: GPL-3.0-or-later
#include "hostile_files.h"

std::string deeplyNested(int levels)
{
    std::string text = "0 HEAD\n0 @I1@ INDI\n1 NAME Deep /Down/\n";
    for (int level = 1; level <= levels; ++level)
        text += std::to_string(level) + " _DEEPER\n";
    return text + "0 TRLR\n";
}

std::string oneLongLine(std::size_t bytes)
{
    const std::string start = "1 NAME ";
    return "0 HEAD\n0 @I1@ INDI\n" + start + std::string(bytes - start.size(), 'a') +
           "\n1 BIRT\n2 DATE 1900\n0 TRLR\n";
}

std::string manyChildren(int children)
{
    std::string text = "0 HEAD\n0 @P@ INDI\n1 NAME Abraham /Many/\n1 FAMS @F@\n"
                       "0 @F@ FAM\n1 HUSB @P@\n";
    for (int child = 1; child <= children; ++child)
        text += "1 CHIL @C" + std::to_string(child) + "@\n";
    for (int child = 1; child <= children; ++child)
        text += "0 @C" + std::to_string(child) + "@ INDI\n1 FAMC @F@\n";
    return text + "0 TRLR\n";
}

std::string manyBadLines(int lines)
{
    std::string text = "0 HEAD\n0 @I1@ INDI\n1 NAME Ann /Lee/\n";
    for (int line = 0; line < lines; ++line)
        text += "this is no GEDCOM line\n";
    return text + "0 TRLR\n";
}
