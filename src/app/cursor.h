#pragma once
// CCursor: the drawn mouse pointer, a 32 x 32 quad at the mouse position.

#include <memory>

#include "platform/picture.h"

class CDirect3D;

class CCursor {
public:
    void init(CDirect3D* device);
    void draw();

    CDirect3D* device = nullptr;
    std::unique_ptr<CPicture> picture;
};
