#pragma once
// Signatures, magic numbers and limits of the map, tile set and object set
// files, shared by the loaders here and the writers in content/.

#include <cstddef>
#include <cstdint>
#include <string>

#include "platform/byte_reader.h"
#include "platform/file_header.h"
#include "platform/cp949.h"

namespace velk {

inline const std::string& mapSignature() {
    static const std::string s = toCp949("Brandelmoorsky 2D맵 데이터.");
    return s;
}
inline const std::string& tileSetSignature() {
    static const std::string s = toCp949("Brandelmoorsky 2D타일 데이터..");
    return s;
}
inline const std::string& objectSetSignature() {
    static const std::string s = toCp949("Brandelmoorsky 2D오브젝트 데이터..");
    return s;
}

inline std::string mapFileName(int mapNumber) {
    return "maps/map_" + std::to_string(mapNumber) + ".mmf";
}
inline std::string tileSetFileName(int setNumber) {
    return "tiles/tile_" + std::to_string(setNumber) + ".ttl";
}
inline std::string objectSetFileName(int setNumber) {
    return "objects/obj_" + std::to_string(setNumber) + ".msp";
}

constexpr size_t kMapSignatureSize = 27;
constexpr size_t kTileSetSignatureSize = 30;
constexpr size_t kObjectSetSignatureSize = 34;
constexpr size_t kObjectMarkSize = 15;
constexpr const char* kObjectMark = "Qalvix";

constexpr int32_t kMapMagic1 = 5421;
constexpr int32_t kMapMagic2 = 9867;
constexpr int32_t kTileSetMagic1 = -5555;
constexpr int32_t kTileSetMagic2 = 9999;
constexpr int32_t kObjectSetMagic1 = -98798;
constexpr int32_t kObjectSetMagic2 = 980898;

inline const FileHeader& mapHeader() {
    static const FileHeader h{mapSignature(), kMapMagic1, kMapMagic2, "map"};
    return h;
}
inline const FileHeader& tileSetHeader() {
    static const FileHeader h{tileSetSignature(), kTileSetMagic1, kTileSetMagic2, "tile set"};
    return h;
}
inline const FileHeader& objectSetHeader() {
    static const FileHeader h{objectSetSignature(), kObjectSetMagic1, kObjectSetMagic2,
                              "object set"};
    return h;
}

// A map cell addresses tiles with 12 bits, so no set can use more tiles.
constexpr int32_t kMaxTiles = 4096;
// Keeps 32 x columns and 4 x columns far from overflow.
constexpr int32_t kMaxMapSide = 4096;
constexpr int32_t kMaxPlacements = 1 << 20;
constexpr int32_t kMaxObjectKinds = 4096;
constexpr int32_t kMaxKindFrames = 1024;
constexpr int32_t kMaxObjectImages = 4096;
// All pixels of one tile or object set together (256 MiB of ARGB).
constexpr uint64_t kMaxSetPixels = 64u * 1024u * 1024u;

// The densest image block (run packets of 128 pixels, 4 bytes each) yields
// 32 pixels a byte, so a block claiming more than that cannot be in the
// remaining bytes: refuse it before allocating its pixels.
inline bool imageBlockCouldFit(const ByteReader& in, uint64_t pixels) {
    return pixels <= 32u * uint64_t(in.remaining());
}

}  // namespace velk
