// SPDX-License-Identifier: GPL-3.0-or-later
#include "help/help_mgr.h"

#include "help/builtin_help.h"

#include <fstream>
#include <sstream>

HelpMgr HelpMgr::mainHelp;
std::ostream* HelpMgr::log_ = nullptr;
std::map<std::string, std::string> HelpMgr::topics_;
std::string HelpMgr::file_;
HelpMgr::Viewer HelpMgr::viewer_;

void HelpMgr::SetLog(std::ostream& log) { log_ = &log; }

void HelpMgr::setViewer(Viewer viewer) { viewer_ = std::move(viewer); }

std::map<std::string, std::string> HelpMgr::parseTopics(const std::string& text)
{
    std::map<std::string, std::string> topics;
    std::istringstream in(text);
    std::string line;
    std::string* current = nullptr;
    while (std::getline(in, line)) {
        if (!line.empty() && line.back() == '\r')
            line.pop_back();
        if (line.rfind("@topic", 0) == 0) {
            std::string name = line.substr(6);
            const auto first = name.find_first_not_of(' ');
            name = first == std::string::npos ? std::string() : name.substr(first);
            current = &topics[name];
            continue;
        }
        if (current)
            *current += line + '\n';
    }
    return topics;
}

bool HelpMgr::SetFile(const std::string& file, bool /*flag*/)
{
    std::ifstream in(file.c_str(), std::ios::binary);
    if (in) {
        std::ostringstream content;
        content << in.rdbuf();
        topics_ = parseTopics(content.str());
        file_ = file;
    }
    if (topics_.empty()) {
        topics_ = parseTopics(builtinHelpText);
        file_.clear();
        if (log_)
            *log_ << "Help file " << file.c_str() << " not found, using the built-in help"
                  << std::endl;
    }
    return !topics_.empty();
}

const std::map<std::string, std::string>& HelpMgr::topics() { return topics_; }

std::string HelpMgr::fileInUse() { return file_; }

bool HelpMgr::Open(const std::string& topic)
{
    const auto found = topics_.find(topic);
    if (found == topics_.end()) {
        if (log_)
            *log_ << "Help topic '" << topic.c_str() << "' not found" << std::endl;
        return false;
    }
    if (viewer_)
        viewer_(found->first, found->second);
    return true;
}
