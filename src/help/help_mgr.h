// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <functional>
#include <map>
#include <ostream>
#include <string>

// The help system: topics of a plain-text help file, shown through a viewer that
// the application installs. A help file holds topics, each introduced by a line
// "@topic NAME" (the empty name is the contents page); everything up to the next
// such line is the topic's text. When the file cannot be read, a built-in copy
// is used, so setting the file never fails for a missing file.
class HelpMgr {
public:
    using Viewer = std::function<void(const std::string& topic, const std::string& text)>;

    static HelpMgr mainHelp;

    static void SetLog(std::ostream& log);
    // Reads the help file (or the built-in copy). Returns false only when neither
    // yields any topic.
    static bool SetFile(const std::string& file, bool flag);
    static void setViewer(Viewer viewer);

    // Shows a topic; returns false when it does not exist.
    bool Open(const std::string& topic);

    // Parses help-file text into its topics.
    static std::map<std::string, std::string> parseTopics(const std::string& text);
    static const std::map<std::string, std::string>& topics();
    static std::string fileInUse();

private:
    static std::ostream* log_;
    static std::map<std::string, std::string> topics_;
    static std::string file_;
    static Viewer viewer_;
};
