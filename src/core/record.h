// The 154,133-byte snapshot record: decoding into a cBrixa, encoding back, and
// the default isotherm bands of a record that carries none.
#pragma once

#include "core/brixa.h"
#include "core/error.h"

#include <cstdint>
#include <span>
#include <vector>

namespace calivue {

// Local time used for the "modified" stamp of an encoded record. valid = false
// stands for "the local time could not be obtained".
struct LocalStamp {
    bool valid = true;
    int hour = 0, minute = 0, second = 0, day = 1, month = 1, year = 2000;
    static LocalStamp now();
};

// Fills img (already reset) from the record bytes. A buffer shorter than a
// record is treated as zero-filled. Empty input gives Error::Empty, a wrong
// magic BadMagic, version 0/0 BadVersion. Arrays are not built here.
Error decodeRecord(std::span<const std::uint8_t> bytes, cBrixa& img);

// Encodes the image into a new record and stamps its modified time (also into
// img). Returns an empty vector when img holds no raw pixels.
std::vector<std::uint8_t> encodeRecord(cBrixa& img, const LocalStamp& stamp = LocalStamp::now());
// As encodeRecord, into out, whose storage is reused (out is emptied when img
// holds no raw pixels).
void encodeRecordInto(cBrixa& img, const LocalStamp& stamp, std::vector<std::uint8_t>& out);

struct IsothermBands {
    std::uint16_t blueLower, blueUpper, redLower, redUpper;
};
// Bands at 20–25 % and 70–75 % of the value range of the image array.
IsothermBands defaultIsothermBands(const std::int32_t* imageArray);

}  // namespace calivue
