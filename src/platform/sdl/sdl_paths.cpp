#include "platform/sdl/sdl_paths.h"

#include <SDL.h>

namespace velk {

namespace {
std::string takeSdlString(char* s) {
    std::string out = s ? s : "";
    SDL_free(s);
    while (out.size() > 1 && out.back() == '/') out.pop_back();
    return out;
}
}  // namespace

std::string programDirectory() { return takeSdlString(SDL_GetBasePath()); }

std::string userDataDirectory() { return takeSdlString(SDL_GetPrefPath("", "velk")); }

}  // namespace velk
