#pragma once
// CMapObjects: the tile set, the object set and the field, made in that
// order and installed as g_tileSet, g_objectSet and g_field for as long as
// it lives. The game builds it inside CGameObjects; tools that only load
// maps build it alone.

#include <memory>

#include "world/field.h"
#include "world/object_set.h"
#include "world/tile_set.h"

class CDirect3D;

class CMapObjects {
public:
    // `device` may be null: the field then loads maps without textures.
    explicit CMapObjects(CDirect3D* device);
    // Clears the global pointers and frees the field before the sets.
    ~CMapObjects();
    CMapObjects(const CMapObjects&) = delete;
    CMapObjects& operator=(const CMapObjects&) = delete;

    std::unique_ptr<CTileSet> tileSet;
    std::unique_ptr<CObjectSet> objectSet;
    std::unique_ptr<CField> field;
};
