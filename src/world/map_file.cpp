#include "world/map_file.h"

#include "platform/byte_reader.h"
#include "formats/formats.h"

namespace velk {

std::string parseMapFile(const uint8_t* data, size_t size, MapFile& out) {
    ByteReader in(data, size);
    if (std::string why = readFileHeader(in, mapHeader()); !why.empty()) return why;

    // The sizes and counts are checked before anything is allocated.
    {
        ByteReader check = in;
        const int32_t h = check.i32();
        const int32_t w = check.i32();
        if (check.failed()) return "truncated header";
        if (w < 0 || h < 0 || w > kMaxMapSide || h > kMaxMapSide)
            return "size " + std::to_string(w) + "x" + std::to_string(h) + " out of range";
        if (!check.skip(68u * size_t(w) * size_t(h)) || !check.skip(4)) return "grids truncated";
        const int32_t placements = check.i32();
        if (check.failed()) return "placement count missing";
        if (placements < 0 || placements > kMaxPlacements ||
            uint64_t(placements) * 12u > check.remaining())
            return "placement count " + std::to_string(placements) + " out of range";
    }

    MapFile file;
    const int32_t rows = in.i32();
    const int32_t columns = in.i32();
    file.grids.allocate(columns, rows);
    file.grids.readGrids(in);
    file.setNumber = in.i32();
    readObjectPlacements(in, file.placements);
    out = std::move(file);
    return {};
}

}  // namespace velk
