#pragma once
// CBitmapFont: the self-contained ASCII font of the frame-rate line. The
// printable characters 32..126 are rasterised once into one coverage atlas;
// strings are blended from it in the given colour. Bytes of 128 and above
// are skipped, and so are control characters other than the newline.

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

class CDirect3D;

class CBitmapFont {
public:
    CBitmapFont(const char* face, int pointSize, uint32_t flags);
    ~CBitmapFont();
    CBitmapFont(const CBitmapFont&) = delete;
    CBitmapFont& operator=(const CBitmapFont&) = delete;

    // Builds the glyph texture; a negative code on failure (no face).
    int createDeviceObjects(CDirect3D* device);
    int restoreDeviceObjects() { return 0; }
    void drawText(float x, float y, uint32_t colour, const char* text, uint32_t flags = 0);

private:
    struct Glyph {
        int x = 0, y = 0, w = 0, h = 0;  // rectangle in the atlas
        int left = 0, top = 0;           // ink offset from the pen and the line's top
        int advance = 0;
    };
    std::string face_;
    int pointSize_;
    uint32_t flags_;
    CDirect3D* device_ = nullptr;
    int atlasWidth_ = 0;
    int atlasHeight_ = 0;
    int lineHeight_ = 0;
    int spacing_ = 0;  // blank margin before the first character
    std::vector<uint8_t> atlas_;  // coverage
    Glyph glyphs_[95];
};
