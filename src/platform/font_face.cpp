#include "platform/font_face.h"

#include <ft2build.h>
#include FT_FREETYPE_H
#include FT_SYNTHESIS_H

#include <cstddef>
#include <utility>

namespace velk {
namespace {

struct Library {
    FT_Library handle = nullptr;
    Library() {
        if (FT_Init_FreeType(&handle) != 0) handle = nullptr;
    }
    ~Library() {
        if (handle) FT_Done_FreeType(handle);
    }
};

class FreeTypeFace : public FontFace {
public:
    FreeTypeFace(std::shared_ptr<Library> library, FT_Face face, bool embolden)
        : library_(std::move(library)), face_(face), embolden_(embolden) {}
    ~FreeTypeFace() override { FT_Done_Face(face_); }
    FreeTypeFace(const FreeTypeFace&) = delete;
    FreeTypeFace& operator=(const FreeTypeFace&) = delete;

    bool setHeight(int height) override;
    bool render(char32_t codePoint, RenderedGlyph& out) override;

private:
    std::shared_ptr<Library> library_;  // outlives the face
    FT_Face face_;
    bool embolden_;
};

bool FreeTypeFace::setHeight(int height) {
    if (height == 0) return false;
    FT_Size_RequestRec request{};
    request.type = height > 0 ? FT_SIZE_REQUEST_TYPE_CELL : FT_SIZE_REQUEST_TYPE_NOMINAL;
    request.height = static_cast<FT_Long>(height > 0 ? height : -height) * 64;
    if (FT_Request_Size(face_, &request) != 0) return false;
    ascender_ = static_cast<int>((face_->size->metrics.ascender + 63) >> 6);
    descender_ = static_cast<int>((-face_->size->metrics.descender + 63) >> 6);
    return true;
}

bool FreeTypeFace::render(char32_t codePoint, RenderedGlyph& out) {
    FT_UInt index = FT_Get_Char_Index(face_, codePoint);
    if (index == 0) index = FT_Get_Char_Index(face_, '?');
    // Outlines only: embedded bitmaps would be unsmoothed and could not be thickened.
    if (FT_Load_Glyph(face_, index, FT_LOAD_NO_BITMAP | FT_LOAD_TARGET_NORMAL) != 0) return false;
    FT_GlyphSlot slot = face_->glyph;
    if (embolden_) FT_GlyphSlot_Embolden(slot);
    if (FT_Render_Glyph(slot, FT_RENDER_MODE_NORMAL) != 0) return false;
    const FT_Bitmap& bitmap = slot->bitmap;
    if (bitmap.pixel_mode != FT_PIXEL_MODE_GRAY && bitmap.rows != 0) return false;
    out.width = static_cast<int>(bitmap.width);
    out.height = static_cast<int>(bitmap.rows);
    out.pitch = bitmap.pitch;
    out.coverage = bitmap.buffer;
    // A bottom-up bitmap: start at its top row and walk backwards.
    if (bitmap.pitch < 0 && bitmap.buffer)
        out.coverage = bitmap.buffer - static_cast<ptrdiff_t>(bitmap.pitch) * (bitmap.rows - 1);
    out.left = slot->bitmap_left;
    out.top = slot->bitmap_top;
    out.advance = static_cast<int>((slot->advance.x + 32) >> 6);
    return true;
}

}  // namespace

std::unique_ptr<FontFace> FontFace::open(const FaceFile& file) {
    // One FreeType instance for every face; each face keeps it alive.
    static const std::shared_ptr<Library> shared = std::make_shared<Library>();
    if (!shared->handle) return nullptr;
    FT_Face face = nullptr;
    if (FT_New_Face(shared->handle, file.path.c_str(), file.index, &face) != 0) return nullptr;
    if (!FT_IS_SCALABLE(face)) {
        FT_Done_Face(face);
        return nullptr;
    }
    return std::make_unique<FreeTypeFace>(shared, face, file.embolden);
}

}  // namespace velk
