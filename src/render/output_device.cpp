// SPDX-License-Identifier: GPL-3.0-or-later
#include "render/output_device.h"

#include "render/render_output.h"

#include <string_view>

OutputDevice::OutputDevice(RenderOutput& out) : out_(out) { open(QIODevice::WriteOnly); }

qint64 OutputDevice::readData(char* /*data*/, qint64 /*maxSize*/) { return -1; }

qint64 OutputDevice::writeData(const char* data, qint64 size)
{
    out_.write(std::string_view(data, std::size_t(size)));
    return out_.failed() ? -1 : size;
}
