// SPDX-License-Identifier: GPL-3.0-or-later
#include "help/help_markup.h"

#include "base/markup_escape.h"

#include <sstream>
#include <vector>

namespace {

bool startsWith(const std::string& text, const char* prefix) { return text.rfind(prefix, 0) == 0; }

std::string inlineHtml(const std::string& text);

// The text between `open` at `at` and the next `close`; false when it is never closed.
bool enclosed(const std::string& text, std::size_t at, const std::string& open,
              const std::string& close, std::string& inner, std::size_t& end)
{
    if (text.compare(at, open.size(), open) != 0)
        return false;
    const std::size_t from = at + open.size();
    const std::size_t found = text.find(close, from);
    if (found == std::string::npos || found == from)
        return false;
    inner = text.substr(from, found - from);
    end = found + close.size();
    return true;
}

std::string link(const std::string& target, const std::string& label)
{
    return "<a href=\"" + escapedMarkup(target) + "\">" + inlineHtml(label) + "</a>";
}

std::string inlineHtml(const std::string& text)
{
    std::string out;
    std::size_t i = 0;
    while (i < text.size()) {
        std::string inner;
        std::size_t end = 0;
        if (text[i] == '\\' && i + 1 < text.size()) {
            out += escapedMarkup(text.substr(i + 1, 1));
            i += 2;
        } else if (enclosed(text, i, "`", "`", inner, end)) {
            out += "<code>" + escapedMarkup(inner) + "</code>";
            i = end;
        } else if (enclosed(text, i, "**", "**", inner, end)) {
            out += "<b>" + inlineHtml(inner) + "</b>";
            i = end;
        } else if (enclosed(text, i, "*", "*", inner, end) && inner.front() != ' ') {
            out += "<i>" + inlineHtml(inner) + "</i>";
            i = end;
        } else if (enclosed(text, i, "[[", "]]", inner, end)) {
            out += link("#" + inner, inner);
            i = end;
        } else if (enclosed(text, i, "[", "](", inner, end) &&
                   text.find(')', end) != std::string::npos) {
            const std::size_t close = text.find(')', end);
            out += link(text.substr(end, close - end), inner);
            i = close + 1;
        } else {
            out += escapedMarkup(text.substr(i, 1));
            ++i;
        }
    }
    return out;
}

// "![caption](file)" alone on a line.
bool picture(const std::string& line, std::string& html)
{
    const std::size_t middle = line.find("](");
    if (!startsWith(line, "![") || middle == std::string::npos || line.back() != ')')
        return false;
    const std::string caption = line.substr(2, middle - 2);
    const std::string file = line.substr(middle + 2, line.size() - middle - 3);
    html = "<p><img src=\"" + escapedMarkup(file) + "\" alt=\"" + escapedMarkup(caption) +
           "\"><br><i>" + inlineHtml(caption) + "</i></p>\n";
    return true;
}

class Blocks {
public:
    void line(const std::string& text)
    {
        std::string html;
        if (text.find_first_not_of(' ') == std::string::npos) {
            close();
        } else if (startsWith(text, "    ") && kind_ != Kind::List) {
            open(Kind::Pre);
            if (!text_.empty())
                text_ += '\n';
            text_.append(text, 4);
        } else if (startsWith(text, "## ") || startsWith(text, "# ")) {
            close();
            const char* tag = text[1] == '#' ? "h2" : "h1";
            out_ << '<' << tag << '>' << inlineHtml(text.substr(text.find(' ') + 1)) << "</" << tag
                 << ">\n";
        } else if (startsWith(text, "- ")) {
            open(Kind::List);
            items_.push_back(text.substr(2));
        } else if (picture(text, html)) {
            close();
            out_ << html;
        } else if (kind_ == Kind::List && startsWith(text, "  ")) {
            items_.back() += ' ' + text.substr(text.find_first_not_of(' '));
        } else {
            open(Kind::Paragraph);
            text_ += (text_.empty() ? "" : " ") + text;
        }
    }

    std::string finish()
    {
        close();
        return out_.str();
    }

private:
    enum class Kind { None, Paragraph, List, Pre };

    void open(Kind kind)
    {
        if (kind_ != kind)
            close();
        kind_ = kind;
    }

    void close()
    {
        switch (kind_) {
        case Kind::Paragraph:
            out_ << "<p>" << inlineHtml(text_) << "</p>\n";
            break;
        case Kind::Pre:
            out_ << "<pre>" << escapedMarkup(text_) << "</pre>\n";
            break;
        case Kind::List:
            out_ << "<ul>\n";
            for (const std::string& item : items_)
                out_ << "<li>" << inlineHtml(item) << "</li>\n";
            out_ << "</ul>\n";
            break;
        case Kind::None:
            break;
        }
        kind_ = Kind::None;
        text_.clear();
        items_.clear();
    }

    std::ostringstream out_;
    Kind kind_ = Kind::None;
    std::string text_;
    std::vector<std::string> items_;
};

} // namespace

std::string helpMarkupToHtml(const std::string& markup)
{
    Blocks blocks;
    std::istringstream in(markup);
    std::string line;
    while (std::getline(in, line)) {
        if (!line.empty() && line.back() == '\r')
            line.pop_back();
        blocks.line(line);
    }
    return blocks.finish();
}

std::string compileHelpSource(const std::string& source)
{
    std::string out;
    std::string topic;
    std::istringstream in(source);
    std::string line;
    while (std::getline(in, line)) {
        if (startsWith(line, "@topic")) {
            out += helpMarkupToHtml(topic);
            out += line + '\n';
            topic.clear();
        } else {
            topic += line + '\n';
        }
    }
    return out + helpMarkupToHtml(topic);
}
