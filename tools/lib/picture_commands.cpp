#include "lib/picture_commands.h"

#include <algorithm>

#include "content/pic_writer.h"
#include "lib/pack_common.h"
#include "platform/files.h"
#include "platform/image_block.h"
#include "platform/picture.h"
#include "platform/png_io.h"

namespace velk::pack {

namespace {

constexpr const char* kPng2PicSynopsis =
    "velk-pack png2pic IN.png OUT.pic [--bits 24|32] [--rle|--no-rle] [--bottom-up]";
constexpr const char* kPic2PngSynopsis = "velk-pack pic2png IN.pic OUT.png";

void png2picHelp(std::ostream& out) {
    out << "usage: " << kPng2PicSynopsis << "\n\n"
        << "Converts a PNG into a picture file the game reads (\".pic\", or the cursor file).\n\n"
        << "  --bits 24|32   pixel size; 24 drops alpha (every pixel opaque). Default: 32 when\n"
        << "                 the PNG has any pixel that is not fully opaque, else 24\n"
        << "  --rle          run-length coded rows (the default)\n"
        << "  --no-rle       raw rows\n"
        << "  --bottom-up    store the bottom row first (default: top row first)\n";
}

void pic2pngHelp(std::ostream& out) {
    out << "usage: " << kPic2PngSynopsis << "\n\n"
        << "Converts a picture file (\".pic\" or the cursor file) into a PNG with alpha.\n";
}

}  // namespace

int png2picCommand(const std::vector<std::string>& args, std::ostream& out, std::ostream& err) {
    if (wantsHelp(args)) {
        png2picHelp(out);
        return kExitOk;
    }
    std::vector<std::string> files;
    int bits = 0;  // 0: chosen from the pixels
    ImageBlockOptions options;
    for (size_t i = 0; i < args.size(); ++i) {
        const std::string& a = args[i];
        if (a == "--bits") {
            if (i + 1 >= args.size() || !parseInt(args[i + 1], bits) || (bits != 24 && bits != 32))
                return usageError(err, "png2pic", "--bits takes 24 or 32", kPng2PicSynopsis);
            ++i;
        } else if (a == "--rle") {
            options.runLength = true;
        } else if (a == "--no-rle") {
            options.runLength = false;
        } else if (a == "--bottom-up") {
            options.topDown = false;
        } else if (a.size() > 1 && a[0] == '-') {
            return usageError(err, "png2pic", "unknown option " + a, kPng2PicSynopsis);
        } else {
            files.push_back(a);
        }
    }
    if (files.size() != 2)
        return usageError(err, "png2pic", "needs IN.png and OUT.pic", kPng2PicSynopsis);

    std::vector<uint32_t> pixels;
    uint32_t width = 0, height = 0;
    std::string error;
    if (!readPng(files[0], pixels, width, height, &error)) {
        err << "velk-pack png2pic: " << files[0] << ": " << error << "\n";
        return kExitFailure;
    }
    if (!imageSizeAcceptable(width, height)) {
        err << "velk-pack png2pic: " << files[0] << ": " << width << " x " << height
            << " is larger than the game reads\n";
        return kExitFailure;
    }
    const bool translucent =
        std::any_of(pixels.begin(), pixels.end(), [](uint32_t p) { return (p >> 24) != 0xFF; });
    options.bitsPerPixel = bits != 0 ? bits : (translucent ? 32 : 24);
    if (options.bitsPerPixel == 24 && translucent)
        err << "velk-pack png2pic: note: " << files[0]
            << " has transparent pixels; 24 bits makes them opaque\n";
    if (!writePicture(files[1], width, height, pixels.data(), options)) {
        err << "velk-pack png2pic: cannot write " << files[1] << "\n";
        return kExitFailure;
    }
    return kExitOk;
}

int pic2pngCommand(const std::vector<std::string>& args, std::ostream& out, std::ostream& err) {
    if (wantsHelp(args)) {
        pic2pngHelp(out);
        return kExitOk;
    }
    for (const std::string& a : args)
        if (a.size() > 1 && a[0] == '-')
            return usageError(err, "pic2png", "unknown option " + a, kPic2PngSynopsis);
    if (args.size() != 2)
        return usageError(err, "pic2png", "needs IN.pic and OUT.png", kPic2PngSynopsis);

    std::vector<uint8_t> bytes;
    if (!readFile(args[0], bytes)) {
        err << "velk-pack pic2png: " << args[0] << ": cannot be read\n";
        return kExitFailure;
    }
    BadFileCapture capture;
    CPicture picture(nullptr);
    if (!picture.loadFromMemory(bytes.data(), bytes.size(), args[0].c_str())) {
        err << "velk-pack pic2png: " << args[0] << ": " << capture.reasonFor(args[0]) << "\n";
        return kExitFailure;
    }
    if (picture.width == 0 || picture.height == 0) {
        err << "velk-pack pic2png: " << args[0] << ": the picture is empty (" << picture.width
            << " x " << picture.height << ")\n";
        return kExitFailure;
    }
    if (!writePng(args[1], picture.pixels.data(), picture.width, picture.height, true)) {
        err << "velk-pack pic2png: cannot write " << args[1] << "\n";
        return kExitFailure;
    }
    return kExitOk;
}

}  // namespace velk::pack
