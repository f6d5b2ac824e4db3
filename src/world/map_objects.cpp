#include "world/map_objects.h"

CMapObjects::CMapObjects(CDirect3D* device)
    : tileSet(std::make_unique<CTileSet>()),
      objectSet(std::make_unique<CObjectSet>()),
      field(std::make_unique<CField>(device)) {
    g_tileSet = tileSet.get();
    g_objectSet = objectSet.get();
    g_field = field.get();
    field->init();
}

CMapObjects::~CMapObjects() {
    g_field = nullptr;
    field.reset();
    g_objectSet = nullptr;
    g_tileSet = nullptr;
    objectSet.reset();
    tileSet.reset();
}
