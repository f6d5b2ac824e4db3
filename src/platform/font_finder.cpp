#include "platform/font_finder.h"

#include <fontconfig/fontconfig.h>

#include <initializer_list>
#include <memory>

namespace velk {
namespace {

// Our own configuration rather than the library's implicit global one, so
// everything fontconfig loaded is released at exit.
FcConfig* config() {
    static const std::unique_ptr<FcConfig, decltype(&FcConfigDestroy)> loaded(
        FcInitLoadConfigAndFonts(), &FcConfigDestroy);
    return loaded.get();
}

// The first face of fontconfig's ranking for `pattern` that holds every one
// of `required` and has a file.
std::optional<FaceFile> firstCovering(FcPattern* pattern, bool bold,
                                      std::initializer_list<FcChar32> required) {
    if (!config()) {
        FcPatternDestroy(pattern);
        return std::nullopt;
    }
    FcPatternAddBool(pattern, FC_SCALABLE, FcTrue);
    FcPatternAddInteger(pattern, FC_WEIGHT, bold ? FC_WEIGHT_BOLD : FC_WEIGHT_REGULAR);
    FcConfigSubstitute(config(), pattern, FcMatchPattern);
    FcDefaultSubstitute(pattern);
    FcResult result = FcResultNoMatch;
    FcFontSet* fonts = FcFontSort(config(), pattern, FcFalse, nullptr, &result);
    FcPatternDestroy(pattern);
    if (!fonts) return std::nullopt;

    std::optional<FaceFile> found;
    for (int i = 0; i < fonts->nfont && !found; ++i) {
        FcPattern* font = fonts->fonts[i];
        FcCharSet* charset = nullptr;
        FcChar8* file = nullptr;
        FcBool scalable = FcFalse;
        if (FcPatternGetCharSet(font, FC_CHARSET, 0, &charset) != FcResultMatch ||
            FcPatternGetString(font, FC_FILE, 0, &file) != FcResultMatch ||
            FcPatternGetBool(font, FC_SCALABLE, 0, &scalable) != FcResultMatch || !scalable)
            continue;
        bool covers = true;
        for (FcChar32 c : required) covers = covers && FcCharSetHasChar(charset, c);
        if (!covers) continue;
        FaceFile face;
        face.path = reinterpret_cast<const char*>(file);
        FcPatternGetInteger(font, FC_INDEX, 0, &face.index);
        int weight = FC_WEIGHT_REGULAR;
        FcPatternGetInteger(font, FC_WEIGHT, 0, &weight);
        face.embolden = bold && weight < FC_WEIGHT_DEMIBOLD;
        found = face;
    }
    FcFontSetDestroy(fonts);
    return found;
}

std::optional<FaceFile> lookUpHangul(bool bold) {
    FcPattern* pattern = FcPatternCreate();
    FcLangSet* langs = FcLangSetCreate();
    FcLangSetAdd(langs, reinterpret_cast<const FcChar8*>("ko"));
    FcPatternAddLangSet(pattern, FC_LANG, langs);
    FcLangSetDestroy(langs);
    // Nanum Gothic when it is there (the face the windows are laid out
    // for); otherwise whatever Korean face the system ranks first.
    FcPatternAddString(pattern, FC_FAMILY, reinterpret_cast<const FcChar8*>("NanumGothic"));
    // 가, 한, 힣: the first, a common and the last syllable.
    return firstCovering(pattern, bold, {0xAC00, 0xD55C, 0xD7A3});
}

}  // namespace

const std::optional<FaceFile>& findHangulFace(bool bold) {
    static const std::optional<FaceFile> regular = lookUpHangul(false);
    static const std::optional<FaceFile> boldFace = lookUpHangul(true);
    return bold ? boldFace : regular;
}

std::optional<FaceFile> findFace(const std::string& family, bool bold, bool italic) {
    FcPattern* pattern = FcPatternCreate();
    if (!family.empty())
        FcPatternAddString(pattern, FC_FAMILY, reinterpret_cast<const FcChar8*>(family.c_str()));
    FcPatternAddString(pattern, FC_FAMILY, reinterpret_cast<const FcChar8*>("sans-serif"));
    FcPatternAddInteger(pattern, FC_SLANT, italic ? FC_SLANT_ITALIC : FC_SLANT_ROMAN);
    return firstCovering(pattern, bold, {'0', 'A', 'x', '~'});
}

std::string fontProblem() {
    if (findHangulFace(false)) return {};
    return "no font with Korean (Hangul) coverage found; install the Debian package fonts-nanum";
}

}  // namespace velk
