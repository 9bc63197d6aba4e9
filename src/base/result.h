// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "base/tr_noop.h"

#include <string>
#include <string_view>
#include <vector>

// The pattern with each %1 to %9 replaced by its argument; a % not followed by the
// number of an argument stays as it is.
std::string formatMessage(std::string_view pattern, const std::vector<std::string>& args);

// The outcome of anything that can fail (reading, saving, exporting, rendering,
// printing): what happened, where in the input when a line is to blame, and a
// message for the user. It converts to true exactly on success.
struct Result {
    enum Status {
        Ok,
        CannotOpen,         // the input cannot be opened or read
        InvalidRecord,      // a line of the input is not what it must be
        CannotCreate,       // the output cannot be created
        CannotWrite,        // writing the output failed; the old file stays
        WriteProtected,     // the output exists and may not be written to
        TemplateIncomplete, // the page template is missing or has no TREE line
        TooLarge,           // the output would be too large to make
        Failed,             // any other failure the message describes
    };

    Status status = Ok;
    long line = 0; // the line to blame, counted from 1; 0 when none is
    // The message as an English pattern in the "Message" context, %1 %2 ...
    // standing for the arguments; the Qt layer translates the pattern.
    const char* pattern = "";
    std::vector<std::string> args;

    explicit operator bool() const { return status == Ok; }

    // The English message: what batch mode prints and the debug log keeps.
    std::string message() const { return formatMessage(pattern, args); }

    static Result failure(Status status, const char* pattern, std::vector<std::string> args = {},
                          long line = 0)
    {
        return {status, line, pattern, std::move(args)};
    }
    // A line to tell about something that succeeded.
    static Result note(const char* pattern, std::vector<std::string> args = {})
    {
        return {Ok, 0, pattern, std::move(args)};
    }
};

// The base of an outcome that carries a value besides (a chart, a family):
// made from any Result, so that a failure passes on by construction, the value
// as a new one is. Each such outcome derives with `using Outcome::Outcome;`.
struct Outcome : Result {
    Outcome() = default;
    Outcome(Result result) : Result(std::move(result)) {}
};
