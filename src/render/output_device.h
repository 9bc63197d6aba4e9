// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QIODevice>

class RenderOutput;

// A write-only device handing what Qt writes (a PDF) on to a render's output as
// it comes, so the file is never held whole in memory.
class OutputDevice : public QIODevice {
public:
    explicit OutputDevice(RenderOutput& out);

    bool isSequential() const override { return true; }

protected:
    qint64 readData(char* data, qint64 maxSize) override;
    qint64 writeData(const char* data, qint64 size) override;

private:
    RenderOutput& out_;
};
