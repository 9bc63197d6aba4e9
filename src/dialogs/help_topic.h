// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

class QWidget;

// The help topic of a window: each dialog (and the main window) declares its own,
// and F1 or a Help button opens the one of the nearest window that has one.
void setHelpTopic(QWidget* window, const char* topic);

// Opens the topic declared on widget or its nearest parent; the contents when none is.
void openHelpFor(const QWidget* widget);
