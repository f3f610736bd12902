#include "core/archive.h"

#include "core/fileio.h"

namespace calivue {

Result<std::vector<std::uint8_t>> CArchive::readUpTo(std::size_t maxBytes)
{
    if (!isLoading()) return Error::BadArgument;
    return readFilePrefix(m_path, maxBytes);
}

void CArchive::write(std::span<const std::uint8_t> bytes)
{
    m_out.insert(m_out.end(), bytes.begin(), bytes.end());
}

Error CArchive::commit()
{
    if (!isStoring()) return Error::BadArgument;
    return writeFileAtomically(m_path, m_out);
}

}  // namespace calivue
