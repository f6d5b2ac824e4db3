#pragma once
// CItemPack: the icon store of the item pack ("itm/itm.ipk"). Loading also
// fills the item tables (`g_itemTables`) with their names from the three
// name files. The inventory owns the one pack of the run.

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "formats/item_pack_format.h"
#include "items/item_tables.h"
#include "platform/texture.h"

class CDirect3D;

class CItemPack {
public:
    explicit CItemPack(CDirect3D* device);
    ~CItemPack();
    CItemPack(const CItemPack&) = delete;
    CItemPack& operator=(const CItemPack&) = delete;

    // Reads the pack (a game file name) and its name files, then replaces
    // the icons and `g_itemTables` whole. 1 on success; 0 on a missing or
    // malformed pack, which leaves everything as it was (--verbose says why).
    int load(const char* fileName);
    void createTextures();
    // Picture `icon` at its own size with its top-left corner at (x, y);
    // nothing for a number the pack does not hold.
    void drawIcon(float x, float y, int32_t icon) const;

    int32_t pictureCount() const { return lastPicture + 1; }

    CDirect3D* device = nullptr;
    // Why the last load failed (file and reason), for the one who must stop.
    std::string error;
    int32_t lastPicture = -1;
    std::vector<velk::PackPicture> pictures;
    std::vector<std::unique_ptr<CTexture>> textures;
};
