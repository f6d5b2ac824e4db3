// The web build's faces: no FreeType and no fontconfig, but the glyph atlas
// the native build rendered from the same font files, which the page puts
// at kAtlasPath before the game starts.

#include <cstdio>
#include <memory>
#include <set>
#include <string>
#include <utility>
#include <vector>

#include "platform/files.h"
#include "platform/font_face.h"
#include "platform/font_finder.h"
#include "platform/glyph_atlas.h"

namespace velk {
namespace {

constexpr const char* kAtlasPath = "/atlas/glyphs.vkga";

struct LoadedAtlas {
    std::shared_ptr<const GlyphAtlas> atlas;
    std::string problem;
};

const LoadedAtlas& loaded() {
    static const LoadedAtlas result = [] {
        LoadedAtlas out;
        std::vector<uint8_t> bytes;
        if (!readFile(kAtlasPath, bytes)) {
            out.problem = std::string("the glyph atlas ") + kAtlasPath + " is missing";
            return out;
        }
        auto atlas = std::make_shared<GlyphAtlas>();
        std::string why;
        if (!parseGlyphAtlas(bytes.data(), bytes.size(), *atlas, why)) {
            out.problem = std::string(kAtlasPath) + ": " + why;
            return out;
        }
        if (!atlas->hasFace(atlasHangulName(true))) {
            out.problem = std::string(kAtlasPath) + " holds no Hangul face";
            return out;
        }
        out.atlas = std::move(atlas);
        return out;
    }();
    return result;
}

// A height the atlas lacks draws no text; said once per face and height so
// the missing entry in the atlas maker's list is easy to find.
class ReportingFace : public FontFace {
public:
    ReportingFace(std::unique_ptr<FontFace> inner, std::string name)
        : inner_(std::move(inner)), name_(std::move(name)) {}
    bool setHeight(int height) override {
        if (!inner_->setHeight(height)) {
            static std::set<std::pair<std::string, int>> said;
            if (said.insert({name_, height}).second)
                std::fprintf(stderr, "velk: the glyph atlas has no %s face at height %d\n", name_.c_str(), height);
            return false;
        }
        ascender_ = inner_->ascender();
        descender_ = inner_->descender();
        return true;
    }
    bool render(char32_t codePoint, RenderedGlyph& out) override { return inner_->render(codePoint, out); }

private:
    std::unique_ptr<FontFace> inner_;
    std::string name_;
};

}  // namespace

const std::optional<FaceFile>& findHangulFace(bool bold) {
    static const std::optional<FaceFile> regular = FaceFile{atlasHangulName(false), 0, false};
    static const std::optional<FaceFile> boldFace = FaceFile{atlasHangulName(true), 0, false};
    return bold ? boldFace : regular;
}

std::optional<FaceFile> findFace(const std::string& family, bool bold, bool italic) {
    return FaceFile{atlasFamilyName(family, bold, italic), 0, false};
}

std::string fontProblem() { return loaded().problem; }

std::unique_ptr<FontFace> FontFace::open(const FaceFile& file) {
    auto face = openAtlasFace(loaded().atlas, file.path);
    if (!face) return nullptr;
    return std::make_unique<ReportingFace>(std::move(face), file.path);
}

}  // namespace velk
