// SPDX-License-Identifier: GPL-3.0-or-later
#include "files/atomic_file.h"

#include "files/atomic_file_set.h"

Result writeFileAtomically(const std::string& path, std::string_view bytes,
                           std::optional<unsigned> permissions)
{
    return writeFileAtomically(
        path, [bytes](const PieceWriter& write) { write(bytes); }, permissions);
}

Result writeFileAtomically(const std::string& path,
                           const std::function<void(const PieceWriter&)>& produce,
                           std::optional<unsigned> permissions)
{
    AtomicFileSet file;
    if (Result written = file.write(path, produce, permissions); !written)
        return written;
    return file.commit();
}
