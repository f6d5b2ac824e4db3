// Map loading: the time to load a big map with its tile and object sets and
// make every texture, and the image-block decode speed next to SDL2_image
// decoding the same pixels as a TGA in the same process.
//
//   bench_map_load [DATA_DIR]   also times the biggest map of a content tree

#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <functional>
#include <string>
#include <vector>

#ifdef VELK_HAVE_SDL_IMAGE
#include <SDL.h>
#include <SDL_image.h>
#endif

#include "content/image_block_writer.h"
#include "content/map_writer.h"
#include "content/object_set_writer.h"
#include "content/tile_set_writer.h"
#include "platform/byte_reader.h"
#include "platform/direct3d.h"
#include "platform/files.h"
#include "platform/image_block.h"
#include "world/field.h"
#include "formats/formats.h"
#include "world/map_objects.h"
#include "world/object_set.h"
#include "world/tile_set.h"

namespace {

using Clock = std::chrono::steady_clock;

uint32_t g_seed = 2024;
uint32_t nextRandom() {
    g_seed = g_seed * 1664525u + 1013904223u;
    return g_seed >> 8;
}

// Pixel art as the game's content has it: flat areas, outlines and a few
// dithered texels, so run-length packets of every length occur.
std::vector<uint32_t> artImage(int w, int h, uint32_t base, bool transparentCorners) {
    std::vector<uint32_t> px(size_t(w) * size_t(h));
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x) {
            uint32_t c = 0xFF000000u | base;
            if (y % 16 == 0 || x % 16 == 0) c = 0xFF202020u;
            else if ((nextRandom() & 15) == 0) c = 0xFF000000u | (nextRandom() & 0xFFFFFF);
            else if (y > h / 2) c = 0xFF000000u | ((base + 0x101010u) & 0xFFFFFF);
            if (transparentCorners && (x + y < w / 4 || x - y > 3 * w / 4)) c = 0;
            px[size_t(y) * w + x] = c;
        }
    return px;
}

void writeFile(const std::string& name, const std::string& bytes) {
    const std::string path = velk::dataPath(name);
    std::filesystem::create_directories(std::filesystem::path(path).parent_path());
    if (!velk::writeFileAtomic(path, bytes.data(), bytes.size())) {
        std::fprintf(stderr, "cannot write %s\n", path.c_str());
        std::exit(1);
    }
}

// The fixture: a 200 x 60 tile map, a 256-tile set and an object set of 48
// images in 16 animated kinds with 400 placements.
void writeFixture() {
    velk::TileSetSource tiles;
    for (int t = 0; t < 256; ++t)
        tiles.tiles.push_back(artImage(32, 32, (uint32_t(t) * 0x9E3779u) & 0xFFFFFF, false));
    writeFile(velk::tileSetFileName(0), velk::encodeTileSet(tiles));

    velk::ObjectSetSource objects;
    for (int i = 0; i < 48; ++i) {
        const int w = 32 + (i % 4) * 32, h = 48 + (i % 3) * 40;
        objects.images.push_back({w, h, artImage(w, h, uint32_t(i) * 0x51A3u, true)});
    }
    for (int k = 0; k < 16; ++k) {
        velk::ObjectKindSource kind;
        for (int f = 0; f < 3; ++f) kind.frames.push_back({k * 3 + f, 0, 0});
        objects.kinds.push_back(kind);
    }
    writeFile(velk::objectSetFileName(0), velk::encodeObjectSet(objects));

    velk::MapSource map;
    map.columns = 200;
    map.rows = 60;
    for (int i = 0; i < 16 * 200 * 60; ++i) map.terrain.push_back(int32_t(nextRandom() % 11));
    for (int i = 0; i < 200 * 60; ++i)
        map.tiles.push_back(
            velk::tileCell(nextRandom() % 256, nextRandom() % 4 ? 0 : nextRandom() % 256));
    for (int p = 0; p < 400; ++p)
        map.placements.push_back({int32_t(nextRandom() % 6400), int32_t(nextRandom() % 1920),
                                  int32_t(nextRandom() % 16)});
    writeFile(velk::mapFileName(0), velk::encodeMap(map));
}

struct Timing {
    double bestMs = 0;
    double medianMs = 0;
};

Timing timeRuns(int runs, const std::function<void()>& run) {
    std::vector<double> ms;
    for (int i = 0; i < runs; ++i) {
        const auto t0 = Clock::now();
        run();
        ms.push_back(std::chrono::duration<double, std::milli>(Clock::now() - t0).count());
    }
    std::sort(ms.begin(), ms.end());
    return {ms.front(), ms[ms.size() / 2]};
}

void benchMapLoad(const char* what, int mapNumber) {
    CDirect3D device;
    device.init(nullptr, 800, 600, true);
    CMapObjects mapObjects(&device);
    CField& field = *mapObjects.field;
    field.mapNumber = mapNumber;
    if (!field.loadMap()) {
        std::printf("%-44s does not load\n", what);
        return;
    }
    const Timing t = timeRuns(15, [&] { field.loadMap(); });
    std::printf("%-44s %4dx%-3d tiles %4d images %3d: best %7.2f ms, median %7.2f ms\n", what,
                field.mapData.columns, field.mapData.rows, mapObjects.tileSet->tileCount(),
                mapObjects.objectSet->lastImageIndex() + 1, t.bestMs, t.medianMs);
}

// The biggest map file of a content tree.
int biggestMap(const std::string& dataDir) {
    int best = -1;
    uintmax_t bestSize = 0;
    std::error_code ec;
    for (const auto& entry : std::filesystem::directory_iterator(dataDir + "/maps", ec)) {
        const std::string name = entry.path().filename().string();
        int number = 0;
        if (std::sscanf(name.c_str(), "map_%d.mmf", &number) != 1) continue;
        if (entry.file_size(ec) > bestSize) {
            bestSize = entry.file_size(ec);
            best = number;
        }
    }
    return best;
}

#ifdef VELK_HAVE_SDL_IMAGE
// The same packets behind a TGA header (type 2 raw, 10 run-length).
std::string asTga(const std::string& block, int w, int h, const velk::ImageBlockOptions& o) {
    std::string tga(18, '\0');
    tga[2] = char(o.runLength ? 10 : 2);
    tga[12] = char(w & 0xFF);
    tga[13] = char(w >> 8);
    tga[14] = char(h & 0xFF);
    tga[15] = char(h >> 8);
    tga[16] = char(o.bitsPerPixel);
    tga[17] = char((o.topDown ? 0x20 : 0) | (o.bitsPerPixel == 32 ? 8 : 0));
    return tga + block.substr(6);
}
#endif

void benchDecode() {
    constexpr int kW = 1024, kH = 1024;
    std::vector<uint32_t> pixels;
    pixels.reserve(size_t(kW) * kH);
    {
        // Tiles of art laid side by side, as a big picture would hold them.
        std::vector<std::vector<uint32_t>> tiles;
        for (int t = 0; t < 64; ++t)
            tiles.push_back(artImage(64, 64, uint32_t(t) * 0x3F1D5u, t % 3 == 0));
        for (int y = 0; y < kH; ++y)
            for (int x = 0; x < kW; ++x)
                pixels.push_back(
                    tiles[size_t((y / 64) * 16 + x / 64) % 64][size_t(y % 64) * 64 + x % 64]);
    }
    const double outMB = double(kW) * kH * 4 / 1e6;
    struct Layout {
        const char* what;
        velk::ImageBlockOptions options;
    };
    const Layout layouts[] = {
        {"32-bit run-length", {32, true, true}},
        {"32-bit raw", {32, false, true}},
        {"24-bit run-length, bottom-up", {24, true, false}},
        {"24-bit raw, bottom-up", {24, false, false}},
    };
    std::printf("\nimage block decode, %dx%d, MB/s of 32-bit pixels produced (best of 9):\n",
                kW, kH);
    std::vector<uint32_t> out(size_t(kW) * kH);
    for (const Layout& l : layouts) {
        std::string block;
        velk::appendImageBlock(block, kW, kH, pixels.data(), l.options);
        const Timing ours = timeRuns(9, [&] {
            velk::ByteReader in(reinterpret_cast<const uint8_t*>(block.data()), block.size());
            if (!velk::decodeImageBlock(in, kW, kH, out.data())) std::abort();
        });
        std::printf("  %-30s %6.2f MB in: velk %7.0f MB/s", l.what, block.size() / 1e6,
                    outMB / (ours.bestMs / 1e3));
#ifdef VELK_HAVE_SDL_IMAGE
        const std::string tga = asTga(block, kW, kH, l.options);
        // SDL2_image keeps 24-bit pixels as 3 bytes; the game needs ARGB
        // words, so the second figure adds the conversion where one is due.
        auto loadTga = [&](bool toArgb) {
            SDL_RWops* rw = SDL_RWFromConstMem(tga.data(), int(tga.size()));
            SDL_Surface* s = IMG_LoadTGA_RW(rw);
            SDL_RWclose(rw);
            if (!s) std::abort();
            if (toArgb && s->format->format != SDL_PIXELFORMAT_ARGB8888) {
                SDL_Surface* argb = SDL_ConvertSurfaceFormat(s, SDL_PIXELFORMAT_ARGB8888, 0);
                SDL_FreeSurface(s);
                s = argb;
            }
            SDL_FreeSurface(s);
        };
        const Timing sdl = timeRuns(9, [&] { loadTga(false); });
        const Timing sdlArgb = timeRuns(9, [&] { loadTga(true); });
        std::printf(", SDL2_image %7.0f MB/s (%7.0f MB/s to ARGB)", outMB / (sdl.bestMs / 1e3),
                    outMB / (sdlArgb.bestMs / 1e3));
#endif
        std::printf("\n");
    }
}

}  // namespace

int main(int argc, char** argv) {
    std::string dir = (std::filesystem::temp_directory_path() / "velk-bench-XXXXXX").string();
    if (!mkdtemp(dir.data())) return 1;
    velk::setDataDirectory(dir);
    writeFixture();
    std::printf("map load with its sets and textures (best and median of 15):\n");
    benchMapLoad("fixture map", 0);
    std::error_code ec;
    std::filesystem::remove_all(dir, ec);

    if (argc > 1) {
        velk::setDataDirectory(argv[1]);
        const int number = biggestMap(argv[1]);
        if (number < 0) {
            std::printf("no maps in %s\n", argv[1]);
        } else {
            const std::string what = "biggest map of the tree (map " + std::to_string(number) + ")";
            benchMapLoad(what.c_str(), number);
        }
    }
    benchDecode();
    return 0;
}
