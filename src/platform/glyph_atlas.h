#pragma once
// A glyph atlas: faces rendered once, each at the pixel heights the game
// asks for, stored as coverage bitmaps. The native build makes it with
// FreeType (tools/glyph_atlas); the web build, which has no FreeType, draws
// its text from it, so both builds show the same pixels.
//
// File layout, little-endian: "VKGA", u32 version (1), u32 face count; per
// face a u8-length name, i32 height (the Windows height the face was set
// to), i32 ascender, i32 descender, u32 glyph count; per glyph u32 code
// point, i32 width, height, left, top (ink rows above the baseline),
// advance, then width x height coverage bytes.

#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>
#include <unordered_map>
#include <vector>

namespace velk {

class FontFace;

struct AtlasGlyph {
    size_t offset = 0;  // into the face's coverage store, rows of `width` bytes
    int width = 0;
    int height = 0;
    int left = 0;
    int top = 0;
    int advance = 0;
};

struct AtlasFace {
    std::string name;
    int height = 0;
    int ascender = 0;
    int descender = 0;
    std::unordered_map<char32_t, AtlasGlyph> glyphs;
    std::vector<uint8_t> coverage;

    // Adds a glyph, copying `width` bytes from each of `height` rows `pitch` apart.
    void add(char32_t codePoint, const AtlasGlyph& metrics, const uint8_t* rows, int pitch);
};

struct GlyphAtlas {
    std::vector<AtlasFace> faces;
    const AtlasFace* find(const std::string& name, int height) const;
    bool hasFace(const std::string& name) const;
};

// The atlas name of a face: the Hangul face of the game's text, or a family.
std::string atlasHangulName(bool bold);
std::string atlasFamilyName(const std::string& family, bool bold, bool italic);

std::vector<uint8_t> writeGlyphAtlas(const GlyphAtlas& atlas);
// False (with the reason in `why`) for a file that is not a whole atlas.
bool parseGlyphAtlas(const uint8_t* data, size_t size, GlyphAtlas& out, std::string& why);

// A face served from the atlas: setHeight succeeds for the heights the atlas
// holds under `name`, and a code point it lacks renders as its '?', as a
// face without the character does.
std::unique_ptr<FontFace> openAtlasFace(std::shared_ptr<const GlyphAtlas> atlas, const std::string& name);

}  // namespace velk
