#include "content/pic_writer.h"

#include "content/byte_writer.h"
#include "platform/files.h"
#include "platform/picture.h"

namespace velk {

std::string encodePicture(uint32_t width, uint32_t height, const uint32_t* pixels,
                          const ImageBlockOptions& options) {
    std::string out;
    appendBytes(out, kPictureSignature.data(), kPictureSignature.size());
    appendI32(out, kPictureMagic1);
    appendI32(out, kPictureMagic2);
    appendU32(out, width);
    appendU32(out, height);
    appendImageBlock(out, width, height, pixels, options);
    return out;
}

bool writePicture(const std::string& path, uint32_t width, uint32_t height,
                  const uint32_t* pixels, const ImageBlockOptions& options) {
    const std::string bytes = encodePicture(width, height, pixels, options);
    return writeFileAtomic(path, bytes.data(), bytes.size());
}

}  // namespace velk
