#include "platform/glyph_atlas.h"

#include <algorithm>
#include <utility>

#include "platform/byte_reader.h"
#include "platform/font_face.h"

namespace velk {
namespace {

constexpr char kMagic[4] = {'V', 'K', 'G', 'A'};
constexpr uint32_t kVersion = 1;
// Far beyond any glyph the game draws; a larger one marks a corrupt file.
constexpr int kMaxGlyphSide = 1024;

void putU32(std::vector<uint8_t>& out, uint32_t v) {
    for (int i = 0; i < 4; ++i) out.push_back(uint8_t(v >> (8 * i)));
}
void putI32(std::vector<uint8_t>& out, int v) { putU32(out, static_cast<uint32_t>(v)); }

class AtlasFontFace : public FontFace {
public:
    AtlasFontFace(std::shared_ptr<const GlyphAtlas> atlas, std::string name)
        : atlas_(std::move(atlas)), name_(std::move(name)) {}

    bool setHeight(int height) override {
        face_ = atlas_->find(name_, height);
        if (!face_) return false;
        ascender_ = face_->ascender;
        descender_ = face_->descender;
        return true;
    }

    bool render(char32_t codePoint, RenderedGlyph& out) override {
        if (!face_) return false;
        auto it = face_->glyphs.find(codePoint);
        if (it == face_->glyphs.end()) it = face_->glyphs.find(U'?');
        if (it == face_->glyphs.end()) return false;
        const AtlasGlyph& g = it->second;
        out.coverage = face_->coverage.data() + g.offset;
        out.pitch = g.width;
        out.width = g.width;
        out.height = g.height;
        out.left = g.left;
        out.top = g.top;
        out.advance = g.advance;
        return true;
    }

private:
    std::shared_ptr<const GlyphAtlas> atlas_;
    std::string name_;
    const AtlasFace* face_ = nullptr;
};

}  // namespace

void AtlasFace::add(char32_t codePoint, const AtlasGlyph& metrics, const uint8_t* rows, int pitch) {
    AtlasGlyph g = metrics;
    g.offset = coverage.size();
    coverage.resize(coverage.size() + size_t(g.width) * size_t(g.height));
    for (int row = 0; row < g.height; ++row)
        std::copy_n(rows + ptrdiff_t(row) * pitch, g.width, coverage.data() + g.offset + size_t(row) * g.width);
    glyphs[codePoint] = g;
}

const AtlasFace* GlyphAtlas::find(const std::string& name, int height) const {
    for (const AtlasFace& f : faces)
        if (f.name == name && f.height == height) return &f;
    return nullptr;
}

bool GlyphAtlas::hasFace(const std::string& name) const {
    return std::any_of(faces.begin(), faces.end(), [&](const AtlasFace& f) { return f.name == name; });
}

std::string atlasHangulName(bool bold) { return bold ? "hangul-bold" : "hangul"; }

std::string atlasFamilyName(const std::string& family, bool bold, bool italic) {
    return "family:" + family + (bold ? "-bold" : "") + (italic ? "-italic" : "");
}

std::vector<uint8_t> writeGlyphAtlas(const GlyphAtlas& atlas) {
    std::vector<uint8_t> out(kMagic, kMagic + 4);
    putU32(out, kVersion);
    putU32(out, uint32_t(atlas.faces.size()));
    for (const AtlasFace& f : atlas.faces) {
        const size_t nameLength = std::min<size_t>(f.name.size(), 255);
        out.push_back(uint8_t(nameLength));
        out.insert(out.end(), f.name.begin(), f.name.begin() + ptrdiff_t(nameLength));
        putI32(out, f.height);
        putI32(out, f.ascender);
        putI32(out, f.descender);
        // In code point order, so the same atlas always writes the same bytes.
        std::vector<char32_t> points;
        points.reserve(f.glyphs.size());
        for (const auto& [cp, g] : f.glyphs) points.push_back(cp);
        std::sort(points.begin(), points.end());
        putU32(out, uint32_t(points.size()));
        for (char32_t cp : points) {
            const AtlasGlyph& g = f.glyphs.at(cp);
            putU32(out, uint32_t(cp));
            for (int v : {g.width, g.height, g.left, g.top, g.advance}) putI32(out, v);
            const uint8_t* rows = f.coverage.data() + g.offset;
            out.insert(out.end(), rows, rows + size_t(g.width) * size_t(g.height));
        }
    }
    return out;
}

bool parseGlyphAtlas(const uint8_t* data, size_t size, GlyphAtlas& out, std::string& why) {
    ByteReader r(data, size);
    char magic[4];
    if (!r.bytes(magic, 4) || !std::equal(magic, magic + 4, kMagic)) {
        why = "not a glyph atlas";
        return false;
    }
    if (r.u32() != kVersion) {
        why = "unknown glyph atlas version";
        return false;
    }
    GlyphAtlas atlas;
    const uint32_t faceCount = r.u32();
    for (uint32_t i = 0; i < faceCount && !r.failed(); ++i) {
        AtlasFace face;
        const uint8_t nameLength = r.u8();
        const uint8_t* name = r.view(nameLength);
        if (!name) break;
        face.name.assign(reinterpret_cast<const char*>(name), nameLength);
        face.height = r.i32();
        face.ascender = r.i32();
        face.descender = r.i32();
        const uint32_t glyphCount = r.u32();
        for (uint32_t n = 0; n < glyphCount && !r.failed(); ++n) {
            const char32_t cp = r.u32();
            AtlasGlyph g;
            g.width = r.i32();
            g.height = r.i32();
            g.left = r.i32();
            g.top = r.i32();
            g.advance = r.i32();
            if (g.width < 0 || g.height < 0 || g.width > kMaxGlyphSide || g.height > kMaxGlyphSide) {
                why = "glyph of impossible size";
                return false;
            }
            const uint8_t* rows = r.view(size_t(g.width) * size_t(g.height));
            if (!rows) break;
            face.add(cp, g, rows, g.width);
        }
        atlas.faces.push_back(std::move(face));
    }
    if (r.failed()) {
        why = "glyph atlas cut short";
        return false;
    }
    out = std::move(atlas);
    return true;
}

std::unique_ptr<FontFace> openAtlasFace(std::shared_ptr<const GlyphAtlas> atlas, const std::string& name) {
    if (!atlas || !atlas->hasFace(name)) return nullptr;
    return std::make_unique<AtlasFontFace>(std::move(atlas), name);
}

}  // namespace velk
