#pragma once
// The demo world's map objects: houses, shops, trees, signs, lamps and the
// animated torches, flags, water glints and camp fires. Every object set
// holds the whole catalogue, so a map names an object kind by its name.

#include <string>
#include <vector>

#include "content/object_set_writer.h"
#include "demo/art.h"

namespace demo {

struct ObjectArt {
    std::string name;
    std::vector<Canvas> frames;  // one for a still object; each shown 5 drawn frames
};

const std::vector<ObjectArt>& objectCatalogue();
// The kind index of a named object, or -1.
int objectKindIndex(const std::string& name);
// The set file's contents: one kind per catalogue entry, images in order.
velk::ObjectSetSource objectSetSource();

}  // namespace demo
