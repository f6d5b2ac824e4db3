// velk-web-assets DIR: what the web build takes from the native one, as it
// has neither FreeType nor a CP949 converter: DIR/glyphs.vkga, the game's
// faces rendered with FreeType at every height the game asks for
// (platform/glyph_atlas.h), and DIR/cp949.bin, the system converter's
// table of every two-byte code (u16 code points, little-endian, in
// cp949CodeIndex order).

#include <cstdio>
#include <string>
#include <vector>

#include "platform/cp949.h"
#include "platform/cp949_codes.h"
#include "platform/files.h"
#include "platform/font_face.h"
#include "platform/font_finder.h"
#include "platform/glyph_atlas.h"

namespace {

enum class Set { Ascii, Text };

struct FaceRequest {
    const char* family;  // null: the Hangul face of the game's text
    bool bold;
    int height;          // Windows height, as the game passes it
    Set set;
};

// The heights of the game's fonts (every CD3dxFont is bold): windows and
// boxes at 10 to 28 pixels (the texts fitted to their boxes take 10 to 16),
// the damage numbers at 70 (digits only), and the frame-rate line's 10-point
// regular face (13 pixels to the em). A height
// missing here draws no text in the web build, which says so on its console.
constexpr FaceRequest kRequests[] = {
    {nullptr, true, 10, Set::Text},  {nullptr, true, 11, Set::Text}, {nullptr, true, 12, Set::Text},
    {nullptr, true, 14, Set::Text},  {nullptr, true, 15, Set::Text}, {nullptr, true, 16, Set::Text},
    {nullptr, true, 17, Set::Text},  {nullptr, true, 18, Set::Text}, {nullptr, true, 25, Set::Text},
    {nullptr, true, 28, Set::Text},  {nullptr, true, 70, Set::Ascii}, {"Arial", false, -13, Set::Ascii},
};

// Printable ASCII, every Hangul syllable, and every CP949 character outside
// the hanja rows (symbols, jamo, Latin and Greek letters, box drawing).
std::vector<char32_t> codePoints(Set set) {
    std::vector<char32_t> out;
    for (char32_t c = 32; c < 127; ++c) out.push_back(c);
    if (set == Set::Ascii) return out;
    for (char32_t c = 0xAC00; c <= 0xD7A3; ++c) out.push_back(c);
    for (int lead = 0xA1; lead <= 0xAF; ++lead) {
        for (int trail = 0xA1; trail <= 0xFE; ++trail) {
            const char pair[2] = {char(lead), char(trail)};
            char32_t cp = 0;
            if (velk::decodeCp949(pair, 2, 0, cp) == 2 && cp != 0xFFFD && (cp < 0xAC00 || cp > 0xD7A3))
                out.push_back(cp);
        }
    }
    return out;
}

bool write(const std::string& path, const std::vector<uint8_t>& bytes) {
    std::string why;
    if (velk::writeFileAtomic(path, bytes.data(), bytes.size(), &why)) return true;
    std::fprintf(stderr, "velk-web-assets: cannot write %s: %s\n", path.c_str(), why.c_str());
    return false;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: velk-web-assets DIR\n");
        return 2;
    }
    const std::string dir = argv[1];
    velk::GlyphAtlas atlas;
    for (const FaceRequest& req : kRequests) {
        const auto file = req.family ? velk::findFace(req.family, req.bold, false) : velk::findHangulFace(req.bold);
        if (!file) {
            std::fprintf(stderr, "velk-web-assets: no face for %s\n", req.family ? req.family : "Hangul text");
            return 1;
        }
        auto face = velk::FontFace::open(*file);
        if (!face || !face->setHeight(req.height)) {
            std::fprintf(stderr, "velk-web-assets: cannot open %s at height %d\n", file->path.c_str(), req.height);
            return 1;
        }
        velk::AtlasFace out;
        out.name = req.family ? velk::atlasFamilyName(req.family, req.bold, false) : velk::atlasHangulName(req.bold);
        out.height = req.height;
        out.ascender = face->ascender();
        out.descender = face->descender();
        for (char32_t cp : codePoints(req.set)) {
            velk::RenderedGlyph g;
            if (!face->render(cp, g)) continue;
            out.add(cp, velk::AtlasGlyph{0, g.width, g.height, g.left, g.top, g.advance}, g.coverage, g.pitch);
        }
        atlas.faces.push_back(std::move(out));
    }
    std::vector<char16_t> codes(velk::kCp949CodeCount);
    velk::fillCp949Codes(codes.data());
    std::vector<uint8_t> table;
    for (char16_t c : codes) {
        table.push_back(uint8_t(c));
        table.push_back(uint8_t(c >> 8));
    }
    return write(dir + "/glyphs.vkga", velk::writeGlyphAtlas(atlas)) && write(dir + "/cp949.bin", table) ? 0 : 1;
}
