// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/editor/display_check.h"

#include <X11/Xlib.h>

#include <array>
#include <cstdlib>
#include <string_view>

namespace {

std::string environment(const char* name)
{
    const char* value = std::getenv(name);
    return value ? value : "";
}

// Qt platforms that draw without a display server.
bool needsNoDisplay(std::string_view platform)
{
    static constexpr std::array<std::string_view, 8> names = {
        "offscreen", "minimal", "minimalegl", "vnc", "eglfs", "linuxfb", "vkkhrdisplay", "webgl"};
    for (const std::string_view name : names)
        if (platform == name)
            return true;
    return false;
}

// QT_QPA_PLATFORM lists platforms to try in turn, separated by ';', each
// perhaps with ':' and its options.
bool namesDisplaylessPlatform(std::string_view platforms)
{
    while (!platforms.empty()) {
        const std::size_t end = platforms.find(';');
        const std::string_view entry = platforms.substr(0, end);
        if (needsNoDisplay(entry.substr(0, entry.find(':'))))
            return true;
        if (end == std::string_view::npos)
            break;
        platforms.remove_prefix(end + 1);
    }
    return false;
}

} // namespace

std::string editorDisplayProblem()
{
    const std::string platforms = environment("QT_QPA_PLATFORM");
    if (namesDisplaylessPlatform(platforms))
        return {};
    const std::string x11 = environment("DISPLAY");
    const std::string wayland = environment("WAYLAND_DISPLAY");
    if (x11.empty() && wayland.empty())
        return "no display to open the editor on (set DISPLAY or WAYLAND_DISPLAY, or use "
               "--help for the batch commands)";
    // Qt goes to X here; trying the display first costs one connection.
    if (wayland.empty() && (platforms.empty() || platforms.starts_with("xcb"))) {
        Display* display = XOpenDisplay(nullptr);
        if (!display)
            return "cannot open display '" + x11 +
                   "' for the editor (use --help for the batch commands)";
        XCloseDisplay(display);
    }
    return {};
}
