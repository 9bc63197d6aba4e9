// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// Marks an English text for the translation tools, which read it as
// QT_TRANSLATE_NOOP(context, text); the core itself never translates: the Qt
// layer does, by the text.
#define STIRPA_TR_NOOP(context, text) text
