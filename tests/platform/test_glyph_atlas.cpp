// The glyph atlas the web build draws its text from: written and read back,
// it must render every glyph exactly as the FreeType face it was made from,
// and a damaged file must be refused whole.

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/font_face.h"
#include "platform/font_finder.h"
#include "platform/glyph_atlas.h"

namespace {

struct Glyph {
    std::vector<uint8_t> rows;
    int width = 0, height = 0, left = 0, top = 0, advance = 0;
    bool operator==(const Glyph&) const = default;
};

Glyph render(velk::FontFace& face, char32_t cp) {
    velk::RenderedGlyph g;
    EXPECT_TRUE(face.render(cp, g)) << uint32_t(cp);
    Glyph out{{}, g.width, g.height, g.left, g.top, g.advance};
    for (int y = 0; y < g.height; ++y) out.rows.insert(out.rows.end(), g.coverage + y * g.pitch, g.coverage + y * g.pitch + g.width);
    return out;
}

// 'A', '?', 가, 한, the middle dot and 힣.
const std::vector<char32_t> kSample = {U'A', U'?', 0xAC00, 0xD55C, 0x00B7, 0xD7A3};
constexpr int kHeights[] = {16, 28};

class GlyphAtlasTest : public ::testing::Test {
protected:
    void SetUp() override {
        if (!velk::fontProblem().empty()) GTEST_SKIP() << velk::fontProblem();
        for (int height : kHeights) {
            auto face = velk::FontFace::open(*velk::findHangulFace(true));
            ASSERT_TRUE(face && face->setHeight(height));
            velk::AtlasFace f{velk::atlasHangulName(true), height, face->ascender(), face->descender(), {}, {}};
            for (char32_t cp : kSample) {
                velk::RenderedGlyph g;
                ASSERT_TRUE(face->render(cp, g));
                f.add(cp, {0, g.width, g.height, g.left, g.top, g.advance}, g.coverage, g.pitch);
            }
            atlas.faces.push_back(std::move(f));
        }
        bytes = velk::writeGlyphAtlas(atlas);
    }

    velk::GlyphAtlas atlas;
    std::vector<uint8_t> bytes;
};

TEST_F(GlyphAtlasTest, ReadBackItRendersAsTheFreeTypeFace) {
    auto read = std::make_shared<velk::GlyphAtlas>();
    std::string why;
    ASSERT_TRUE(velk::parseGlyphAtlas(bytes.data(), bytes.size(), *read, why)) << why;
    EXPECT_EQ(velk::writeGlyphAtlas(*read), bytes);

    auto fromAtlas = velk::openAtlasFace(read, velk::atlasHangulName(true));
    auto native = velk::FontFace::open(*velk::findHangulFace(true));
    ASSERT_TRUE(fromAtlas && native);
    for (int height : kHeights) {
        ASSERT_TRUE(fromAtlas->setHeight(height) && native->setHeight(height));
        EXPECT_EQ(fromAtlas->ascender(), native->ascender());
        EXPECT_EQ(fromAtlas->descender(), native->descender());
        for (char32_t cp : kSample) EXPECT_TRUE(render(*fromAtlas, cp) == render(*native, cp)) << uint32_t(cp) << " at " << height;
    }
    // A character the atlas lacks draws as its '?', as a face without it does.
    EXPECT_TRUE(render(*fromAtlas, 0x4E00) == render(*fromAtlas, U'?'));
    // A height or a face it lacks is refused, so the game knows it has no such font.
    EXPECT_FALSE(fromAtlas->setHeight(17));
    EXPECT_EQ(velk::openAtlasFace(read, velk::atlasFamilyName("Arial", false, false)), nullptr);
}

TEST_F(GlyphAtlasTest, ADamagedFileIsRefusedWhole) {
    struct Case {
        const char* what;
        std::vector<uint8_t> file;
        const char* why;
    };
    std::vector<uint8_t> wrongMagic = bytes;
    wrongMagic[0] = 'X';
    std::vector<uint8_t> newer = bytes;
    newer[4] = 2;
    std::vector<uint8_t> cut(bytes.begin(), bytes.end() - 10);
    std::vector<uint8_t> huge = bytes;
    // The first glyph's width: after the header, the face's name and numbers and its code point.
    const size_t width = 12 + 1 + velk::atlasHangulName(true).size() + 16 + 4;
    huge[width + 2] = 0x7F;
    for (const Case& c : {Case{"magic", wrongMagic, "not a glyph atlas"}, Case{"version", newer, "unknown glyph atlas version"},
                          Case{"cut", cut, "glyph atlas cut short"}, Case{"size", huge, "glyph of impossible size"}}) {
        velk::GlyphAtlas out;
        out.faces.resize(1);
        std::string why;
        EXPECT_FALSE(velk::parseGlyphAtlas(c.file.data(), c.file.size(), out, why)) << c.what;
        EXPECT_EQ(why, c.why) << c.what;
        EXPECT_EQ(out.faces.size(), 1u) << c.what << ": the caller's atlas is left alone";
    }
}

}  // namespace
