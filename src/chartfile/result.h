// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string>

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
    std::string message;

    explicit operator bool() const { return status == Ok; }

    static Result failure(Status status, std::string message, long line = 0)
    {
        return {status, line, std::move(message)};
    }
};
