#pragma once
// CCamera: which part of the current map the screen shows. The hero's steps
// move it while it follows them (never past the map's edges); the tile
// layers, the actors, the drops and the minimap draw relative to it.

#include <cstdint>

class CMapData;

class CCamera {
public:
    // The map whose edges stop the camera; the field's own, for its lifetime.
    explicit CCamera(const CMapData& map) : map_(map) {}

    void resetScroll() { fineX = fineY = 0; }
    // Places the camera: derives the tile and fine offsets and the player's cell.
    void place(int32_t cameraX, int32_t cameraY, int32_t playerX, int32_t playerY);

    // Camera moves by a step of `a` pixels. Each moves the player's
    // coordinate too and returns whether the camera followed (the caller's
    // cameraFollowsX / cameraFollowsY). The camera follows only while the
    // player's terrain column is in 52 .. 4W - 52 and its row in 40 .. 4H - 40;
    // left and down test the cell before the step, right and up the cell after.
    bool scrollLeft(int32_t a, int32_t& playerX);
    bool scrollRight(int32_t a, int32_t& playerX);
    bool scrollUp(int32_t a, int32_t& playerY);
    bool scrollDown(int32_t a, int32_t& playerY);

    int32_t x = 0;  // world position of the screen's top-left corner
    int32_t y = 0;
    int32_t col = 0;  // x / 32
    int32_t row = 0;
    int32_t fineX = 0;  // x % 32, with the sign of x
    int32_t fineY = 0;
    int32_t playerCellX = 0;  // terrain column under the player
    int32_t playerCellY = 0;
    int32_t lastScroll = -1;  // 0 after a scroll left, 1 after a scroll right

private:
    const CMapData& map_;
};
