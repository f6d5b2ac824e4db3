#pragma once
// CNoticeLog: the last five game messages at the right of the screen. New
// notices enter at the top and push older ones down; each fades out in its
// last 50 frames and is gone after 200.

#include <cstdint>
#include <memory>
#include <string>

#include "platform/d3dx_font.h"

class CDirect3D;

class CNoticeLog {
public:
    static constexpr int kLines = 5;
    static constexpr int kLineBytes = 30;  // 29 bytes of CP949 text and the terminator
    static constexpr int kLife = 20;       // life steps of 10 frames each

    explicit CNoticeLog(CDirect3D* device);
    ~CNoticeLog();

    void init();
    // Adds a CP949 notice at the top. Text longer than 29 bytes is cut there,
    // never splitting a two-byte character.
    void add(const char* text);
    // Advances the timers and draws; once per paced play frame.
    void draw();

    // Alpha the line is drawn with at its current life.
    static int alphaForLife(int life) { return life < 6 ? (life + 2) * 32 : 255; }

    CDirect3D* device;
    std::unique_ptr<CD3dxFont> font;
    uint32_t colour = 0xFFFFFFFF;
    char lines[kLines][kLineBytes] = {};
    int32_t ticks[kLines] = {};
};

// Remaining life of each line (shared with the log's owner as in the game).
extern int32_t g_noticeLife[CNoticeLog::kLines];
// The notice log every part adds to.
extern CNoticeLog* g_noticeLog;

namespace velk {
// Adds a notice written in UTF-8 (converted to CP949) when the notice log
// exists; the one way game code posts a notice of its own text.
void addNotice(const std::string& utf8);
}  // namespace velk
