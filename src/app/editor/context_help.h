// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// Makes F1 open the help topic of the window it is pressed in, whichever window
// or dialog (modal or not) that is. Installing it more than once changes nothing.
void installContextHelp();
