#pragma once
// CBoxFrame: the rim of the information and help boxes, a gold line inside
// a dark one, drawn around a background picture stretched to the box. The
// rim is drawn apart from the picture so it stays one crisp pixel at every
// box size (a stretched picture would stretch its rim with it).

#include <memory>

class CDirect3D;
class CTexture;

class CBoxFrame {
public:
    CBoxFrame();
    ~CBoxFrame();
    CBoxFrame(const CBoxFrame&) = delete;
    CBoxFrame& operator=(const CBoxFrame&) = delete;

    void init(CDirect3D* device);
    // The rim along the inside edge of the box (x, y, w, h).
    void draw(int x, int y, int w, int h) const;

private:
    CDirect3D* device_ = nullptr;
    std::unique_ptr<CTexture> gold_;
    std::unique_ptr<CTexture> ink_;
};
