#include "world/camera.h"

#include "world/map_data.h"

namespace {

constexpr int32_t kTile = 32;
constexpr int32_t kScreenHeight = 600;  // the camera shows this much of the map

// The camera follows the player only this far from the map's edges (cells).
bool followsX(int32_t cell, int32_t columns) { return 51 < cell && cell <= 4 * columns - 52; }
bool followsY(int32_t cell, int32_t rows) { return 40 <= cell && cell <= 4 * rows - 40; }

}  // namespace

void CCamera::place(int32_t cameraX, int32_t cameraY, int32_t playerX, int32_t playerY) {
    x = cameraX;
    y = cameraY;
    col = x / kTile;
    row = y / kTile;
    fineX = x % kTile;
    fineY = y % kTile;
    playerCellX = playerX / 8;
    playerCellY = playerY / 8;
}

bool CCamera::scrollLeft(int32_t a, int32_t& playerX) {
    bool follows = false;
    if (followsX(playerCellX, map_.columns)) {
        x -= a;
        fineX = x % kTile;
        col = x / kTile;
        lastScroll = 0;
        follows = true;
    }
    playerX -= a;
    playerCellX = playerX / 8;
    return follows;
}

bool CCamera::scrollRight(int32_t a, int32_t& playerX) {
    playerX += a;
    playerCellX = playerX / 8;
    if (!followsX(playerCellX, map_.columns)) return false;
    x += a;
    fineX = x % kTile;
    col = x / kTile;
    lastScroll = 1;
    return true;
}

bool CCamera::scrollUp(int32_t a, int32_t& playerY) {
    playerY -= a;
    playerCellY = playerY / 8;
    // The camera never shows above the map's top.
    if (!followsY(playerCellY, map_.rows) || y - a < 0) return false;
    y -= a;
    fineY = y % kTile;
    row = y / kTile;
    return true;
}

bool CCamera::scrollDown(int32_t a, int32_t& playerY) {
    bool follows = false;
    // Nor below its bottom.
    if (followsY(playerCellY, map_.rows) && y + a <= kTile * map_.rows - kScreenHeight) {
        y += a;
        fineY = y % kTile;
        row = y / kTile;
        follows = true;
    }
    playerY += a;
    playerCellY = playerY / 8;
    return follows;
}
