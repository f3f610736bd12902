#include "core/bitmapfile.h"

#include "core/bytecursor.h"
#include "core/fileio.h"

#include <algorithm>
#include <cstring>

namespace calivue {

namespace {

constexpr std::uint16_t kTypeBM = 0x4D42;
constexpr std::size_t kFileHeaderSize = 14;
constexpr std::size_t kInfoHeaderSize = 40;
constexpr std::size_t kHeadersSize = kFileHeaderSize + kInfoHeaderSize;  // 54

// Validated geometry of the pixel block: both sides positive and within the
// limits, and every size computed without overflow.
struct Geometry {
    std::size_t stride = 0;
    std::size_t rowBytes = 0;  // packed bytes of one row, width × 3
    std::size_t imageSize = 0;
};

std::optional<Geometry> geometryOf(std::int64_t width, std::int64_t height)
{
    if (width <= 0 || height <= 0 || width > kBitmapMaxSide || height > kBitmapMaxSide)
        return std::nullopt;
    auto stride = bitmapStride24(static_cast<std::int32_t>(width));
    if (!stride) return std::nullopt;
    auto size = checkedMul(*stride, static_cast<std::size_t>(height));
    if (!size || *size > kBitmapMaxPixelBytes) return std::nullopt;
    return Geometry{*stride, static_cast<std::size_t>(width) * 3, *size};
}

}  // namespace

// The checked headers: what the pixel block needs to be read and kept.
struct cBitmapFile::Headers {
    BitmapFileHeader file;
    BitmapInfoHeader info;  // normalised: height positive, imageSize the held size
    std::uint32_t infoSize = 0;
    std::uint32_t pixelOffset = 0;
    bool topDown = false;
    Geometry geo;
};

// Every header field is checked here, the declared sizes against fileLength, the
// length of the whole file; only the first 54 bytes are needed.
Result<cBitmapFile::Headers> cBitmapFile::checkHeaders(std::span<const std::uint8_t> bytes,
                                                       std::uintmax_t fileLength)
{
    ByteReader r(bytes);
    if (r.size() == 0) return Error::Empty;
    auto type = r.u16le(0);
    if (!type) return Error::Truncated;
    if (*type != kTypeBM) return Error::BadMagic;

    auto fileSize = r.u32le(2);
    auto reserved1 = r.u16le(6);
    auto reserved2 = r.u16le(8);
    auto pixelOffset = r.u32le(10);
    auto infoSize = r.u32le(14);
    auto width = r.i32le(18);
    auto height = r.i32le(22);
    auto planes = r.u16le(26);
    auto bitCount = r.u16le(28);
    auto compression = r.u32le(30);
    auto xPels = r.i32le(38);
    auto yPels = r.i32le(42);
    auto clrUsed = r.u32le(46);
    auto clrImportant = r.u32le(50);
    if (!clrImportant) return Error::Truncated;  // the last field: all the others are present

    // The declared sizes must agree with each other and with the bytes at hand.
    if (*fileSize > kBitmapMaxFileBytes) return Error::TooLarge;
    if (*pixelOffset < kHeadersSize || *fileSize < *pixelOffset) return Error::Corrupted;
    if (fileLength < *fileSize) return Error::Truncated;
    // Older 12-byte headers lay the fields out differently; larger (later)
    // headers begin with the same 40 bytes and are accepted.
    if (*infoSize < kInfoHeaderSize) return Error::Unsupported;
    if (*infoSize > *pixelOffset - kFileHeaderSize) return Error::Corrupted;

    if (*width <= 0 || *height == 0 || *planes != 1) return Error::Corrupted;
    if (*bitCount != 24 || *compression != 0) return Error::Unsupported;
    // A negative height marks a top-down file; it is flipped below so that the
    // held pixels are bottom-up like every other picture of the program.
    const bool topDown = *height < 0;
    const std::int64_t rows = topDown ? -static_cast<std::int64_t>(*height) : *height;
    auto geo = geometryOf(*width, rows);
    if (!geo) return Error::TooLarge;
    if (*fileSize - *pixelOffset < geo->imageSize) return Error::Truncated;

    Headers h;
    h.file = {*type, *fileSize, *reserved1, *reserved2, *pixelOffset};
    h.info.size = kInfoHeaderSize;
    h.info.width = *width;
    h.info.height = static_cast<std::int32_t>(rows);
    h.info.planes = *planes;
    h.info.bitCount = *bitCount;
    h.info.compression = *compression;
    h.info.imageSize = static_cast<std::uint32_t>(geo->imageSize);
    h.info.xPelsPerMeter = *xPels;
    h.info.yPelsPerMeter = *yPels;
    h.info.clrUsed = *clrUsed;
    h.info.clrImportant = *clrImportant;
    h.infoSize = *infoSize;
    h.pixelOffset = *pixelOffset;
    h.topDown = topDown;
    h.geo = *geo;
    return h;
}

std::optional<std::size_t> bitmapStride24(std::int32_t width)
{
    if (width <= 0) return std::nullopt;
    auto bytes = checkedMul(static_cast<std::size_t>(width), 3);
    if (!bytes) return std::nullopt;
    auto rounded = checkedAdd(*bytes, 3);
    if (!rounded) return std::nullopt;
    return *rounded & ~std::size_t{3};
}

cBitmapFile::cBitmapFile(const std::filesystem::path& path)
{
    Load(path);
}

void cBitmapFile::Free()
{
    m_info.reset();
    std::vector<std::uint8_t>().swap(m_pixels);
    std::vector<std::uint8_t>().swap(m_colourTable);
    m_fileHeader = {};
    m_fileOpened = 0;
}

std::size_t cBitmapFile::stride() const
{
    if (!m_info) return 0;
    return bitmapStride24(m_info->width).value_or(0);
}

Error cBitmapFile::Load(const std::filesystem::path& path)
{
    Free();
    // Only the headers are read before they are checked, against the file's
    // length on disk; then exactly the bytes they declare for the pixels. A
    // hostile header never makes the reader take more than that.
    auto head = readFilePrefix(path, kHeadersSize);
    if (!head) {
        m_fileOpened = head.error() == Error::NotFound || head.error() == Error::NotRegular ||
                               head.error() == Error::ReadFailed
                           ? 0
                           : 1;
        return head.error();
    }
    m_fileOpened = 1;
    std::error_code ec;
    const std::uintmax_t onDisk = std::filesystem::file_size(path, ec);
    if (ec) return Error::ReadFailed;
    Result<Headers> h = checkHeaders(*head, onDisk);
    if (!h) return h.error();
    auto whole = readFilePrefix(path, h->pixelOffset + h->geo.imageSize);
    return whole ? parseBody(*whole, *h) : whole.error();
}

Error cBitmapFile::LoadFromBytes(std::span<const std::uint8_t> bytes)
{
    Free();
    m_fileOpened = 1;
    return parse(bytes);
}

Error cBitmapFile::parseBody(std::span<const std::uint8_t> bytes, const Headers& h)
{
    ByteReader r(bytes);
    const std::size_t rows = static_cast<std::size_t>(h.info.height);
    const std::size_t tableStart = kFileHeaderSize + h.infoSize;
    auto table = r.bytes(tableStart, h.pixelOffset - tableStart);
    if (!table) return Error::Truncated;

    std::vector<std::uint8_t> pixels(h.geo.imageSize);
    for (std::size_t row = 0; row < rows; ++row) {
        auto src = r.bytes(h.pixelOffset + row * h.geo.stride, h.geo.stride);
        if (!src) return Error::Truncated;
        std::size_t dstRow = h.topDown ? rows - 1 - row : row;
        std::memcpy(pixels.data() + dstRow * h.geo.stride, src->data(), h.geo.stride);
    }

    m_fileHeader = h.file;
    m_colourTable.assign(table->begin(), table->end());
    m_pixels = std::move(pixels);
    m_info = h.info;
    return Error::None;
}

Error cBitmapFile::parse(std::span<const std::uint8_t> bytes)
{
    Result<Headers> h = checkHeaders(bytes, bytes.size());
    return h ? parseBody(bytes, *h) : h.error();
}

std::optional<std::vector<std::uint8_t>> cBitmapFile::CutRegion(int x0, int y0, int x1,
                                                                int y1) const
{
    if (!m_info || m_pixels.empty()) return std::nullopt;
    if (x0 < 0 || y0 < 0 || x1 < x0 || y1 < y0) return std::nullopt;
    if (x1 > m_info->width || y1 > m_info->height) return std::nullopt;

    const std::size_t srcStride = stride();
    const std::size_t rowBytes = static_cast<std::size_t>(x1 - x0) * 3;
    std::vector<std::uint8_t> out(static_cast<std::size_t>(y1 - y0) * rowBytes);
    ByteReader r(m_pixels);
    for (int y = y0; y < y1; ++y) {
        auto src = r.bytes(
            static_cast<std::size_t>(y) * srcStride + static_cast<std::size_t>(x0) * 3, rowBytes);
        if (src && !src->empty())
            std::memcpy(out.data() + static_cast<std::size_t>(y - y0) * rowBytes, src->data(),
                        rowBytes);
    }
    return out;
}

Error cBitmapFile::CreateFromPixels(int w, int h, std::span<const std::uint8_t> src)
{
    auto geo = geometryOf(w, h);
    if (!geo) return Error::BadArgument;
    // w and h are capped, so w × h × 3 cannot overflow.
    if (!src.empty() && src.size() != geo->rowBytes * static_cast<std::size_t>(h))
        return Error::BadArgument;

    std::vector<std::uint8_t> pixels(geo->imageSize);
    if (!src.empty()) {
        ByteReader r(src);
        for (std::size_t row = 0; row < static_cast<std::size_t>(h); ++row) {
            auto line = r.bytes(row * geo->rowBytes, geo->rowBytes);
            if (line) std::memcpy(pixels.data() + row * geo->stride, line->data(), geo->rowBytes);
        }
    }

    Free();
    BitmapInfoHeader info;
    info.width = w;
    info.height = h;
    info.imageSize = static_cast<std::uint32_t>(geo->imageSize);
    m_info = info;
    m_pixels = std::move(pixels);
    return Error::None;
}

Error cBitmapFile::Shrink(int n)
{
    if (!m_info || m_pixels.empty()) return Error::NotLoaded;
    const int w = m_info->width;
    const int h = m_info->height;
    // Rows are addressed without padding, which is only right when a row of
    // pixels fills its stride exactly.
    if (n <= 0 || w % 4 != 0 || w % n != 0 || h % n != 0) return Error::BadArgument;

    const int nw = w / n;
    const int nh = h / n;
    std::vector<std::uint8_t> out(static_cast<std::size_t>(nw) * static_cast<std::size_t>(nh) * 3);
    ByteReader r(m_pixels);
    std::size_t pos = 0;
    for (int row = 0; row < h; row += n) {
        for (int col = 0; col < w; col += n) {
            const std::size_t at =
                (static_cast<std::size_t>(row) * static_cast<std::size_t>(w) + col) * 3;
            if (auto px = r.bytes(at, 3)) std::memcpy(out.data() + pos, px->data(), 3);
            pos += 3;
        }
    }
    return CreateFromPixels(nw, nh, out);
}

std::vector<std::uint8_t> encodeBmp24(int width, int height,
                                      std::span<const std::uint8_t> bgrPackedRows)
{
    auto geo = geometryOf(width, height);
    if (!geo) return {};
    if (bgrPackedRows.size() != geo->rowBytes * static_cast<std::size_t>(height)) return {};

    std::vector<std::uint8_t> out(kHeadersSize + geo->imageSize);
    ByteWriter w(out);
    w.u16le(0, kTypeBM);
    w.u32le(2, static_cast<std::uint32_t>(out.size()));
    w.u32le(10, static_cast<std::uint32_t>(kHeadersSize));
    w.u32le(14, static_cast<std::uint32_t>(kInfoHeaderSize));
    w.i32le(18, width);
    w.i32le(22, height);  // positive: bottom-up
    w.u16le(26, 1);
    w.u16le(28, 24);
    w.u32le(30, 0);
    w.u32le(34, static_cast<std::uint32_t>(geo->imageSize));
    ByteReader r(bgrPackedRows);
    for (std::size_t row = 0; row < static_cast<std::size_t>(height); ++row) {
        if (auto line = r.bytes(row * geo->rowBytes, geo->rowBytes))
            w.bytes(kHeadersSize + row * geo->stride, *line);
    }
    if (w.overflowed()) return {};
    return out;
}

Error writeBmp24(const std::filesystem::path& path, int width, int height,
                 std::span<const std::uint8_t> bgrPackedRows, FileFailure* failure)
{
    auto bytes = encodeBmp24(width, height, bgrPackedRows);
    if (bytes.empty()) return Error::BadArgument;
    return writeFileAtomically(path, bytes, failure);
}

}  // namespace calivue
